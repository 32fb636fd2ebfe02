// The about box: title, version line, second line and an OK button.
#include "control/qt/AboutDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vantil {

namespace {

QString utf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

AboutDialog::AboutDialog(const AboutBoxContent& content, QWidget* parent) : QDialog(parent) {
    setWindowTitle(utf8(content.title));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* version = new QLabel(utf8(content.versionLine), this);
    version->setObjectName(QStringLiteral("versionLine"));
    auto* second = new QLabel(utf8(content.secondLine), this);
    second->setObjectName(QStringLiteral("secondLine"));
    layout->addWidget(version);
    layout->addWidget(second);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(utf8(content.okText), QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

} // namespace vantil
