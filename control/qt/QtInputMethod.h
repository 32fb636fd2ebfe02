// The input method of a control's window on Qt. Qt's input-method support knows no open state
// or conversion mode, so the context keeps them as the control set them and maps them onto
// what Qt offers: a detached window takes no input-method events at all, and a closed input
// method or an alphanumeric conversion asks for Latin input through the input-method hints.
#pragma once

#include "control/core/edit/EditServices.h"

#include <QFont>

class QWidget;

namespace vantil {

class QtInputMethod final : public InputMethodContext {
public:
    explicit QtInputMethod(QWidget& window) : window_(window) {}

    bool isOpen() const override { return open_; }
    void setOpen(bool open) override;
    std::uint32_t conversion() const override { return conversion_; }
    void setConversion(std::uint32_t mode) override;
    bool attached() const override { return attached_; }
    void setAttached(bool attached) override;
    void setCompositionFont(const plat::automation::FontDesc& font) override;

    // What the window answers to the input method's queries.
    Qt::InputMethodHints hints() const;
    const QFont& compositionFont() const { return font_; }

private:
    void changed(Qt::InputMethodQueries queries);

    QWidget& window_;
    bool open_ = false;
    std::uint32_t conversion_ = imeconv::Native | imeconv::FullShape | imeconv::Roman;
    bool attached_ = true;
    QFont font_;
};

} // namespace vantil
