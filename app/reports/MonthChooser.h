// The month box of the statement and inquiry screens: the box with its label and the buttons
// that step to the previous and the next month (never past the current month).
#pragma once

#include "platform/text/DateTime.h"

class QHBoxLayout;
class QWidget;

namespace plat::widgets {
class ButtonArray;
class DateBox;
class Label;
} // namespace plat::widgets

namespace tamsel::reports {

struct MonthChooser {
    // The buttons' indexes in `buttons`.
    enum Button { Previous = 0, Next = 1 };

    plat::widgets::DateBox* box = nullptr;
    plat::widgets::Label* label = nullptr;
    plat::widgets::ButtonArray* buttons = nullptr;

    // The box ("Nengetu"), its label and the buttons ("comUD"), made in that order.
    static MonthChooser make(QWidget* parent);
    // Label, box and the two buttons, side by side.
    void addTo(QHBoxLayout* row) const;
};

// Shows in `box` the month before or after the one it shows, as the button `index` asks.
void stepMonth(plat::widgets::DateBox& box, int index, const plat::text::DateTime& today);

} // namespace tamsel::reports
