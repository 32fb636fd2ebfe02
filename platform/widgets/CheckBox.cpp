// Check box stand-in.
#include "platform/widgets/CheckBox.h"

#include "platform/widgets/UiFont.h"

namespace plat::widgets {

CheckBox::CheckBox(const QString& caption, QWidget* parent) : QCheckBox(caption, parent) {
    setFont(uiFont());
}

} // namespace plat::widgets
