// The text being typed into the current cell before it is committed: a number cell takes
// digits (also full-width ones), one decimal point and a leading minus, so that a negative
// entry reaches the screen's check instead of losing its sign; a text cell takes any
// printable text.
#pragma once

#include "platform/widgets/slipgrid/SlipGridLayout.h"
#include "platform/widgets/slipgrid/SlipValue.h"

#include <QString>

namespace plat::widgets {

class SlipEditBuffer {
public:
    bool isActive() const { return active_; }
    const QString& text() const { return text_; }

    void begin(SlipKind kind, const QString& initial);
    void cancel();
    // Appends what the cell accepts; returns false when nothing of it was accepted. refused
    // (when given) tells whether any printable character was not accepted.
    bool type(const QString& typed, bool* refused = nullptr);
    void backspace();
    void clear() { text_.clear(); }
    // Ends editing and gives the typed value: empty text is the empty value; a lone point
    // reads as empty too; a number cell's text that is no number (a lone minus) is given as
    // text, for the screen to refuse.
    SlipValue finish();

    static constexpr int maxNumberLength = 12;

private:
    bool active_ = false;
    SlipKind kind_ = SlipKind::Number;
    QString text_;
};

} // namespace plat::widgets
