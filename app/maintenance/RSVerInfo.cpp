// Version dialog and the search for a system-information tool.
#include "app/maintenance/RSVerInfo.h"

#include "app/frame/AppIcon.h"
#include "app/frame/ScreenText.h"
#include "app/frame/Std_1.h"
#include "app/frame/Texts.h"
#include "app/frame/Version.h"
#include "app/maintenance/Texts.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageService.h"
#include "platform/widgets/UiFont.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QProcess>
#include <QStandardPaths>
#include <QVBoxLayout>

namespace tamsel {

namespace t = maintenance::texts;
using plat::automation::RegistryRoot;

namespace {

// Where the system-information tool registers itself.
constexpr char kToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr char kToolValue[] = "PATH";
constexpr char kToolLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr char kToolLocationValue[] = "MSINFO";
constexpr char kToolFile[] = "MSINFO32.EXE";

// System-information viewers of the desktop, tried in this order when none is registered.
constexpr const char* kViewers[] = {"hardinfo2", "hardinfo", "kinfocenter", "gnome-system-monitor",
                                    "xfce4-taskmanager"};
} // namespace

RSVerInfo::RSVerInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("RSVerInfo"));
    setModal(false);
    setFont(plat::widgets::uiFont());
    const QString title = tr8(texts::kAppTitle);
    setWindowTitle(title + tr8(t::kVersionCaptionSuffix));

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(QPixmap::fromImage(appIconImage(64)));
    picIcon->setAlignment(Qt::AlignTop);

    lblTitle_ = new plat::widgets::Label(title, this);
    lblTitle_->setObjectName(QStringLiteral("lblTitle"));
    lblTitle_->setFont(plat::widgets::uiFont(16));
    lblVersion_ = new plat::widgets::Label(
        tr8(t::kVersionPrefix) +
            QStringLiteral("%1.%2.%3").arg(kVersionMajor).arg(kVersionMinor).arg(kVersionRevision),
        this);
    lblVersion_->setObjectName(QStringLiteral("lblVersion"));

    cmdOK_ = new plat::widgets::CommandButton(tr8(t::kOK), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDefault(true);
    cmdSysInfo_ = new plat::widgets::CommandButton(tr8(t::kSysInfo), this);
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::close);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &RSVerInfo::StartSysInfo);

    auto* texts = new QVBoxLayout;
    texts->addWidget(lblTitle_);
    texts->addWidget(lblVersion_);
    texts->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(picIcon);
    top->addSpacing(12);
    top->addLayout(texts, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    cmdOK_->setMinimumWidth(130);
    cmdSysInfo_->setMinimumWidth(130);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdSysInfo_);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addLayout(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(18, 18, 18, 14);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(bottom);
    setMinimumWidth(380);
    adjustSize();
}

void RSVerInfo::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    double left = 0;
    double top = 0;
    CenterPosition(*this, left, top);
    moveToTwips(*this, left, top);
}

bool RSVerInfo::GetKeyValue(RegistryRoot KeyRoot, const QString& KeyName, const QString& SubKeyRef,
                            QString& KeyVal) {
    const plat::automation::ComponentRegistry store;
    const std::optional<plat::automation::RegistryValue> v =
        store.value(KeyRoot, KeyName.toStdString(), SubKeyRef.toStdString());
    if (!v)
        return false;
    if (v->kind == plat::automation::RegistryValue::Kind::Text) {
        KeyVal = QString::fromStdString(v->text);
        if (KeyVal.endsWith(QChar(0)))
            KeyVal.chop(1);
        return true;
    }
    QString text = QStringLiteral("&h");
    for (int shift = 24; shift >= 0; shift -= 8)
        text += QString::number((v->number >> shift) & 0xFFu, 16).toUpper();
    KeyVal = text;
    return true;
}

QString RSVerInfo::findSysInfoTool() {
    QString path;
    if (GetKeyValue(RegistryRoot::LocalMachine, QString::fromLatin1(kToolKey),
                    QString::fromLatin1(kToolValue), path) &&
        !path.isEmpty())
        return path;
    QString folder;
    if (GetKeyValue(RegistryRoot::LocalMachine, QString::fromLatin1(kToolLocationKey),
                    QString::fromLatin1(kToolLocationValue), folder)) {
        const QString candidate = folder + QLatin1Char('/') + QString::fromLatin1(kToolFile);
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    for (const char* viewer : kViewers) {
        const QString found = QStandardPaths::findExecutable(QString::fromLatin1(viewer));
        if (!found.isEmpty())
            return found;
    }
    return {};
}

void RSVerInfo::StartSysInfo() {
    const QString tool = findSysInfoTool();
    if (!tool.isEmpty() && QProcess::startDetached(tool, {}))
        return;
    plat::widgets::MessageService::notice(tr8(t::kSysInfoUnavailable), tr8(texts::kAppTitle), this);
}

} // namespace tamsel
