// The pick boxes of the ledger screens as hosted combo controls: each is created from the
// program's form data under its form's name (the parent widget's object name) and its own
// ("SyainID", "GenbaID(3)"), filled and read through the control's dispatch interface, and its
// ChangeText, KeyDown and CloseUp events reach the screen.
#pragma once

#include "app/ledger/PickBox.h"
#include "platform/host/HostedControl.h"

#include <QPointer>

namespace tamsel::ledger {

class VantilPickBox final : public PickBox {
public:
    // control may be nullptr (it could not be created); loadError then says why and the box
    // stands on the form as an empty, inert widget.
    VantilPickBox(plat::host::HostedControl* control, QWidget* placeholder, QString loadError);

    plat::host::HostedControl* control() const { return control_.data(); }

    QWidget* widget() override;
    QString loadError() const override { return loadError_; }
    void ClearItem() override;
    void AddItem(int index, const QString& text) override;
    void AddSubItem(int row, int subIndex, const QString& text) override;
    int ListIndex() const override;
    QString ItemText(int index) const override;
    QString Text() const override;
    void setText(const QString& text) override;

private:
    QPointer<plat::host::HostedControl> control_;
    QPointer<QWidget> placeholder_;
    QString loadError_;
};

// Creates the boxes from the program's form data and its control registries.
PickBoxFactory vantilPickBoxes();

} // namespace tamsel::ledger
