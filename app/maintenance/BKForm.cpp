// Compaction and backup screen.
#include "app/maintenance/BKForm.h"

#include "app/frame/ClsGetIni.h"
#include "app/frame/DbFiles.h"
#include "app/frame/ProgramFolder.h"
#include "app/frame/ScreenText.h"
#include "app/frame/Std_1.h"
#include "app/frame/Texts.h"
#include "app/maintenance/Texts.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/Label.h"
#include "platform/widgets/MessageService.h"
#include "platform/widgets/TextBox.h"

#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace tamsel {

namespace t = maintenance::texts;
using plat::widgets::MessageService;

BKForm::BKForm(QWidget* parent) : Screen(parent) {
    setObjectName(QStringLiteral("BKForm"));
    setWindowTitle(tr8(t::kBKFormCaption));
    setKeyPreview(true);

    auto* info1 = new plat::widgets::Label(tr8(t::kInfo1), this);
    auto* info2 = new plat::widgets::Label(tr8(t::kInfo2), this);
    const QString location = databasePath();
    auto* target = new plat::widgets::Label(
        tr8(databaseIsServer() ? t::kTargetServer : t::kTargetFile)
            .arg(databaseIsServer() ? location : QDir::toNativeSeparators(location)),
        this);
    target->setObjectName(QStringLiteral("DbTarget"));
    target->setWordWrap(true);
    auto* pathLabel = new plat::widgets::Label(tr8(t::kBKPathLabel), this);
    bkPath_ = new plat::widgets::TextBox(this);
    bkPath_->setObjectName(QStringLiteral("BKPath"));
    bkPath_->setMinimumWidth(380);
    pathLabel->setBuddy(bkPath_);

    comFunc_ = new plat::widgets::ButtonArray(this);
    comFunc_->setObjectName(QStringLiteral("comFunc"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const char* captions[] = {t::kCompactOnly, t::kCompactAndBackup, t::kClose};
    for (int i = 0; i < 3; ++i) {
        auto* b = comFunc_->add(i, tr8(captions[i]), this);
        b->setMinimumWidth(160);
        buttons->addWidget(b);
    }
    connect(comFunc_, &plat::widgets::ButtonArray::clicked, this, &BKForm::comFunc_Click);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(pathLabel);
    pathRow->addWidget(bkPath_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 18);
    layout->setSpacing(12);
    layout->addWidget(info1);
    layout->addWidget(info2);
    layout->addWidget(target);
    layout->addSpacing(6);
    layout->addLayout(pathRow);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    adjustSize();
}

void BKForm::onLoad() {
    placeCentered();
    readConfiguration();
}

void BKForm::readConfiguration() {
    configState_ = kConfigUsable;
    QString folder;
    const QString iniPath = programFolder() + QStringLiteral("/bkmdb.ini");
    ClsGetIni ini;
    if (ini.SetInifile(iniPath) != 0) {
        MessageService::error(QDir::toNativeSeparators(iniPath) + tr8(t::kCannotOpen), {}, this);
        configState_ = kConfigMissing;
    }
    if (const std::optional<QString> value =
            ini.GetKeyword(QStringLiteral("BKPATH"), QStringLiteral("PATH"))) {
        folder = *value;
    } else {
        MessageService::error(tr8(t::kNoBackupPath), tr8(t::kNoBackupPathTitle), this);
        configState_ = kConfigMissing;
    }
    bkPath_->fill(folder);
}

void BKForm::comFunc_Click(int index) {
    bool finished = false;
    runBusy([&] {
        switch (index) {
        case 0:
            if (MessageService::askYesNo(tr8(t::kAskCompact), tr8(t::kAskCompactTitle), this))
                finished = CompactDb(databasePath(), this);
            break;
        case 1:
            if (MessageService::askYesNo(tr8(t::kAskBackup), tr8(t::kAskBackupTitle), this) &&
                configState_ == kConfigUsable) {
                QString folder;
                if (const std::optional<DbFailure> refused =
                        resolveBackupFolder(bkPath_->text(), programFolder(), folder)) {
                    MessageService::error(refused->description,
                                          QString::fromUtf8(texts::kTitleBackup), this);
                    break;
                }
                finished = EnsureFolder(folder, this) &&
                           BackupDb(databasePath(), folder + QStringLiteral("/RoumuBK.mdb"), this);
            }
            break;
        case 2:
            finished = true;
            break;
        default:
            break;
        }
    });
    if (finished)
        close();
}

bool BKForm::onPreviewKey(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_F2:
        comFunc_Click(0);
        return true;
    case Qt::Key_F3:
        comFunc_Click(1);
        return true;
    case Qt::Key_F12:
        comFunc_Click(2);
        return true;
    case Qt::Key_F1:
    case Qt::Key_F10:
        return true;
    default:
        return false;
    }
}

} // namespace tamsel
