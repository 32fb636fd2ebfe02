// Pick boxes on hosted combo controls.
#include "app/ledger/VantilPickBox.h"

#include "app/frame/FormControls.h"
#include "platform/host/HostedControl.h"
#include "platform/host/LoadError.h"

namespace tamsel::ledger {

VantilPickBox::VantilPickBox(plat::host::HostedControl* control, QWidget* placeholder,
                             QString loadError)
    : control_(control), placeholder_(placeholder), loadError_(std::move(loadError)) {
    if (!control)
        return;
    QObject::connect(control, &plat::host::HostedControl::changeText, control, [this] {
        if (ChangeText)
            ChangeText();
    });
    QObject::connect(control, &plat::host::HostedControl::closeUp, control, [this] {
        if (CloseUp)
            CloseUp();
    });
    QObject::connect(control, &plat::host::HostedControl::keyDown, control,
                     [this](short& keyCode, short shift) {
                         if (KeyDown)
                             KeyDown(keyCode, shift);
                     });
}

QWidget* VantilPickBox::widget() {
    return control_ ? static_cast<QWidget*>(control_.data()) : placeholder_.data();
}

void VantilPickBox::ClearItem() {
    if (control_)
        control_->clearItems();
}

// The control appends: the ledger adds its items in order, so the new index is `index`.
void VantilPickBox::AddItem(int, const QString& text) {
    if (control_)
        control_->addItem(text);
}

void VantilPickBox::AddSubItem(int row, int subIndex, const QString& text) {
    if (control_)
        control_->addSubItem(row, subIndex, text);
}

int VantilPickBox::ListIndex() const {
    return control_ ? control_->listIndex() : -1;
}

QString VantilPickBox::ItemText(int index) const {
    return control_ ? control_->itemText(index) : QString();
}

QString VantilPickBox::Text() const {
    return control_ ? control_->text() : QString();
}

void VantilPickBox::setText(const QString& text) {
    if (control_)
        control_->setText(text);
}

PickBoxFactory vantilPickBoxes() {
    return [](QWidget* parent, const QString& name) -> std::unique_ptr<PickBox> {
        plat::automation::AutomationError error;
        plat::host::HostedControl* control =
            createFormControl(parent, parent->objectName().toStdString(), name, error);
        if (control)
            return std::make_unique<VantilPickBox>(control, nullptr, QString());
        auto* placeholder = new QWidget(parent);
        placeholder->setObjectName(name);
        return std::make_unique<VantilPickBox>(nullptr, placeholder,
                                               plat::host::loadErrorText(error, name));
    };
}

} // namespace tamsel::ledger
