// The version dialog (RSVerInfo): the application's title, icon and version, and a button that
// starts a system-information tool found through the registry store or on the machine.
#pragma once

#include "platform/automation/ComponentRegistry.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace tamsel {

class RSVerInfo : public QDialog {
    Q_OBJECT
public:
    explicit RSVerInfo(QWidget* parent = nullptr);

    QLabel* lblTitle() const { return lblTitle_; }
    QLabel* lblVersion() const { return lblVersion_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdSysInfo() const { return cmdSysInfo_; }

    // Starts the system-information tool, or says that none is available.
    void StartSysInfo();
    // Reads value SubKeyRef of key KeyName under KeyRoot from the registry store: text as it
    // is, a 32-bit number as "&h" and its bytes from the highest, each in hexadecimal without
    // a leading zero. False when the key or value is missing.
    static bool GetKeyValue(plat::automation::RegistryRoot KeyRoot, const QString& KeyName,
                            const QString& SubKeyRef, QString& KeyVal);
    // The path of the tool to start: the registered one, else a viewer found on PATH; empty
    // when there is none.
    static QString findSysInfoTool();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLabel* lblTitle_;
    QLabel* lblVersion_;
    QPushButton* cmdOK_;
    QPushButton* cmdSysInfo_;
};

} // namespace tamsel
