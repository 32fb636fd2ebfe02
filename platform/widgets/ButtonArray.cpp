// Control array of command buttons, dispatched by index.
#include "platform/widgets/ButtonArray.h"

#include "platform/widgets/CommandButton.h"

namespace plat::widgets {

ButtonArray::ButtonArray(QObject* parent) : QObject(parent) {}

CommandButton* ButtonArray::add(int index, const QString& caption, QWidget* parentWidget) {
    auto it = buttons_.find(index);
    if (it != buttons_.end() && it->second)
        delete it->second.data();
    auto* b = new CommandButton(caption, parentWidget);
    b->setObjectName(QStringLiteral("%1_%2").arg(objectName()).arg(index));
    connect(b, &QPushButton::clicked, this, [this, index] { emit clicked(index); });
    buttons_[index] = b;
    return b;
}

CommandButton* ButtonArray::button(int index) const {
    auto it = buttons_.find(index);
    return it == buttons_.end() ? nullptr : it->second.data();
}

void ButtonArray::press(int index) {
    if (CommandButton* b = button(index))
        b->click();
}

} // namespace plat::widgets
