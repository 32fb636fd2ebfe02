// Command button stand-in.
#include "platform/widgets/CommandButton.h"

#include "platform/widgets/UiFont.h"

namespace plat::widgets {

CommandButton::CommandButton(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent) {
    setFont(uiFont());
    setAutoDefault(false);
    setMinimumHeight(30);
}

} // namespace plat::widgets
