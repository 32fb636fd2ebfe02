// Label stand-in.
#include "platform/widgets/Label.h"

#include "platform/widgets/UiFont.h"

namespace plat::widgets {

Label::Label(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    setFont(uiFont());
}

} // namespace plat::widgets
