// Command button stand-in.
#include "platform/widgets/CommandButton.h"

#include "platform/widgets/UiFont.h"

#include <QKeyEvent>

namespace plat::widgets {

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setFont(uiFont());
    setAutoDefault(false);
    setMinimumHeight(30);
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (isEnabled())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

} // namespace plat::widgets
