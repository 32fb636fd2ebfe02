// The about box: title, version line, second line and an OK button.
#include "control/qt/AboutDialog.h"

#include "control/qt/QtConvert.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantil {

namespace {

using qtconv::utf8ToQt;

} // namespace

AboutDialog::AboutDialog(const AboutBoxContent& content, QWidget* parent) : QDialog(parent) {
    setWindowTitle(utf8ToQt(content.title));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* version = new QLabel(utf8ToQt(content.versionLine), this);
    version->setObjectName(QStringLiteral("versionLine"));
    auto* second = new QLabel(utf8ToQt(content.secondLine), this);
    second->setObjectName(QStringLiteral("secondLine"));
    layout->addWidget(version);
    layout->addWidget(second);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(utf8ToQt(content.okText), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace vantil
