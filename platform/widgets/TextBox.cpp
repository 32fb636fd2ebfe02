// Text box stand-in with a data-changed flag.
#include "platform/widgets/TextBox.h"

#include "platform/widgets/UiFont.h"

namespace plat::widgets {

TextBox::TextBox(QWidget* parent) : QLineEdit(parent) {
    setFont(uiFont());
    setMinimumHeight(26);
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!filling_)
            dataChanged_ = true;
    });
}

void TextBox::fill(const QString& text) {
    filling_ = true;
    setText(text);
    filling_ = false;
    dataChanged_ = false;
}

} // namespace plat::widgets
