// The version dialog: its texts, closing it, and finding or not finding a system-information
// tool through the registry store and the machine's PATH.
#include "app/maintenance/RSVerInfo.h"
#include "platform/widgets/MessageRecorder.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace tamsel;
using plat::automation::ComponentRegistry;
using plat::automation::RegistryRoot;
using plat::automation::RegistryValue;
using plat::widgets::MessageRecorder;
using plat::widgets::MsgIcon;

namespace {
const char kToolKey[] = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const char kLocationKey[] = "SOFTWARE\\Microsoft\\Shared Tools Location";
} // namespace

class RSVerInfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::qtApp();
        savedPath = qgetenv("PATH");
        savedRegistry = qgetenv("VANTIL_REGISTRY");
        qputenv("VANTIL_REGISTRY", dir.file(QStringLiteral("registry.txt")).toUtf8());
        qputenv("PATH", dir.path().toUtf8()); // no viewer on this PATH
    }
    void TearDown() override {
        qputenv("PATH", savedPath);
        qputenv("VANTIL_REGISTRY", savedRegistry);
    }
    void registerText(const char* key, const char* name, const QString& value) {
        ComponentRegistry store;
        store.setValue(RegistryRoot::LocalMachine, key, name,
                       RegistryValue{RegistryValue::Kind::Text, value.toStdString(), 0});
    }
    QString makeScript(const QString& name, const QString& marker) {
        const QString path = dir.file(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n/usr/bin/touch '" + marker.toUtf8() + "'\n");
        f.close();
        f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return path;
    }

    testsupport::TempFolder dir;
    QByteArray savedPath;
    QByteArray savedRegistry;
};

TEST_F(RSVerInfoTest, ShowsTheTitleAndTheProgramsVersion) {
    RSVerInfo dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Tamselのﾊﾞｰｼﾞｮﾝ情報"));
    EXPECT_EQ(dialog.lblTitle()->text(), QStringLiteral("Tamsel"));
    EXPECT_EQ(dialog.lblVersion()->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ 1.0.5"));
    EXPECT_EQ(dialog.cmdOK()->text(), QStringLiteral("OK"));
    EXPECT_EQ(dialog.cmdSysInfo()->text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
    EXPECT_FALSE(dialog.isModal());
}

TEST_F(RSVerInfoTest, OkClosesTheDialogWithoutTouchingTheMainMenu) {
    QWidget menu;
    menu.show();
    RSVerInfo dialog;
    dialog.show();
    QTest::mouseClick(dialog.cmdOK(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(menu.isVisible());
}

TEST_F(RSVerInfoTest, WithoutAnyToolTheMessageIsShownAndNothingStarts) {
    MessageRecorder rec;
    RSVerInfo dialog;
    QTest::mouseClick(dialog.cmdSysInfo(), Qt::LeftButton);
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.shown()[0].text, QStringLiteral("現時点ではｼｽﾃﾑ情報を使用できません"));
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("Tamsel"));
    EXPECT_EQ(rec.shown()[0].icon, MsgIcon::None);
}

TEST_F(RSVerInfoTest, ARegisteredToolIsStarted) {
    const QString marker = dir.file(QStringLiteral("started"));
    registerText(kToolKey, "PATH", makeScript(QStringLiteral("sysinfo.sh"), marker));
    MessageRecorder rec;
    RSVerInfo dialog;
    dialog.StartSysInfo();
    EXPECT_TRUE(rec.shown().empty());
    QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(marker), 5000);
}

TEST_F(RSVerInfoTest, TheToolLocationCountsOnlyWhenTheToolIsThere) {
    registerText(kLocationKey, "MSINFO", dir.path());
    EXPECT_EQ(RSVerInfo::findSysInfoTool(), QString());
    makeScript(QStringLiteral("MSINFO32.EXE"), dir.file(QStringLiteral("m")));
    EXPECT_EQ(RSVerInfo::findSysInfoTool(), dir.file(QStringLiteral("MSINFO32.EXE")));
}

TEST_F(RSVerInfoTest, AViewerOnThePathIsTheLastResort) {
    const QString viewer = makeScript(QStringLiteral("hardinfo"), dir.file(QStringLiteral("h")));
    EXPECT_EQ(RSVerInfo::findSysInfoTool(), viewer);
}

TEST_F(RSVerInfoTest, GetKeyValueReadsTextAndNumbers) {
    ComponentRegistry store;
    store.setValue(RegistryRoot::LocalMachine, "SOFTWARE\\Test", "Text",
                   RegistryValue{RegistryValue::Kind::Text, "値", 0});
    store.setValue(RegistryRoot::LocalMachine, "SOFTWARE\\Test", "Number",
                   RegistryValue{RegistryValue::Kind::Number, {}, 0x00010A05});
    QString value = QStringLiteral("untouched");
    EXPECT_FALSE(RSVerInfo::GetKeyValue(RegistryRoot::LocalMachine,
                                        QStringLiteral("SOFTWARE\\Test"), QStringLiteral("Missing"),
                                        value));
    EXPECT_EQ(value, QStringLiteral("untouched"));
    ASSERT_TRUE(RSVerInfo::GetKeyValue(RegistryRoot::LocalMachine, QStringLiteral("software\\test"),
                                       QStringLiteral("text"), value));
    EXPECT_EQ(value, QStringLiteral("値"));
    ASSERT_TRUE(RSVerInfo::GetKeyValue(RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE\\Test"),
                                       QStringLiteral("Number"), value));
    EXPECT_EQ(value, QStringLiteral("&h01A5"));
}
