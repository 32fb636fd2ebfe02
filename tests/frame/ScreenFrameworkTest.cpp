// The main menu and the screen framework: opening screens by index, one instance per screen,
// the menu hidden while a screen is open, failed loads, busy guard and what escapes a handler,
// key preview, ending.
#include "app/frame/MainFrm.h"
#include "app/frame/MainMenu.h"
#include "app/frame/RoumuM.h"
#include "app/frame/Screen.h"
#include "app/frame/ScreenRegistry.h"
#include "platform/jet/Error.h"
#include "platform/widgets/BannerLabel.h"
#include "platform/widgets/ButtonArray.h"
#include "platform/widgets/CommandButton.h"
#include "platform/widgets/MessageRecorder.h"
#include "platform/widgets/TextBox.h"
#include "tests/support/Application.h"
#include "tests/support/Scratch.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace tamsel;
using plat::widgets::MessageRecorder;

namespace {
// A small screen that counts its steps and can be told to fail, refuse to close or be busy.
class ProbeScreen : public Screen {
public:
    ProbeScreen() {
        edit = new plat::widgets::TextBox(this);
        ++instances;
    }
    ~ProbeScreen() override { --instances; }

    int loads = 0;
    int unloads = 0;
    int activations = 0;
    bool failNextLoad = false;
    bool refuseClose = false;
    std::vector<int> previewedKeys;
    plat::widgets::TextBox* edit;
    static inline int instances = 0;

    using Screen::setKeyPreview;

protected:
    void onLoad() override {
        ++loads;
        if (failNextLoad) {
            failNextLoad = false;
            failLoad(QStringLiteral("データベースが見つかりません。"));
        }
    }
    void onActivate() override { ++activations; }
    bool onQueryUnload() override { return !refuseClose; }
    void onUnload() override { ++unloads; }
    bool onPreviewKey(QKeyEvent* e) override {
        if (e->key() != Qt::Key_F5)
            return false;
        previewedKeys.push_back(e->key());
        return true;
    }
};

ProbeScreen* probe() {
    return static_cast<ProbeScreen*>(screenInstance(ScreenIndex::RefRoumu));
}
} // namespace

class ScreenFrameworkTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::qtApp();
        resetScreens();
        RoumuM().MenuForm = nullptr;
        registerScreen(ScreenIndex::RefRoumu, [] { return new ProbeScreen; });
        frame = std::make_unique<MainFrm>();
        frame->show();
        menu = frame->menu();
    }
    void TearDown() override {
        resetScreens();
        frame.reset();
        RoumuM().MenuForm = nullptr;
    }
    void press(int index) { menu->comFunc()->press(index); }

    std::unique_ptr<MainFrm> frame;
    MainMenu* menu = nullptr;
};

TEST_F(ScreenFrameworkTest, TheMenuShowsItsCaptionsBannerAndHelpMenu) {
    EXPECT_EQ(menu->windowTitle(), QStringLiteral("メインメニュー"));
    EXPECT_EQ(frame->windowTitle(), QStringLiteral("Tamsel"));
    EXPECT_EQ(menu->AcLbl()->caption(), QStringLiteral("　----Tamsel----　"));
    const std::pair<int, const char*> captions[] = {
        {0, "従業員登録"},
        {1, "現場登録"},
        {2, "労務台帳入力"},
        {3, "現場別労務費一覧表発行"},
        {4, "従業員別労務費明細表"},
        {5, "終　　　了"},
        {6, "DB最適化"},
        {7, "労務費年間累計表"},
    };
    ASSERT_EQ(menu->comFunc()->count(), 8);
    for (const auto& [index, caption] : captions)
        EXPECT_EQ(menu->comFunc()->button(index)->text(), QString::fromUtf8(caption)) << index;
    EXPECT_EQ(frame->comH()->title(), QStringLiteral("ﾍﾙﾌﾟ(&H)"));
    ASSERT_EQ(frame->comH()->actions().size(), 2);
    EXPECT_EQ(frame->comB()->text(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)"));
    EXPECT_TRUE(frame->comH()->actions()[1]->isSeparator());
}

TEST_F(ScreenFrameworkTest, AButtonOpensItsScreenWhichHidesTheMenuUntilItCloses) {
    press(ScreenIndex::RefRoumu);
    ProbeScreen* screen = probe();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(RoumuM().MenuForm, menu);
    EXPECT_TRUE(screen->isVisible());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(screen->state(), Screen::Ready);
    EXPECT_EQ(screen->loads, 1);

    EXPECT_TRUE(screen->close());
    EXPECT_FALSE(screen->isVisible());
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(screen->unloads, 1);
}

TEST_F(ScreenFrameworkTest, ReopeningAScreenReusesTheOneInstanceFreshlyLoaded) {
    press(ScreenIndex::RefRoumu);
    ProbeScreen* first = probe();
    press(ScreenIndex::RefRoumu); // already open: shown again, not loaded again
    EXPECT_EQ(first->loads, 1);
    first->close();
    press(ScreenIndex::RefRoumu);
    EXPECT_EQ(probe(), first);
    EXPECT_EQ(ProbeScreen::instances, 1);
    EXPECT_EQ(first->loads, 2);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(ScreenFrameworkTest, AButtonWithoutAScreenDoesNothing) {
    press(ScreenIndex::SyainEntry);
    EXPECT_EQ(RoumuM().MenuForm, nullptr);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(screenInstance(ScreenIndex::SyainEntry), nullptr);
}

TEST_F(ScreenFrameworkTest, AFailedLoadReportsAndClosesAtTheNextActivation) {
    MessageRecorder rec;
    registerScreen(ScreenIndex::PrtRuikei, [] {
        auto* s = new ProbeScreen;
        s->failNextLoad = true;
        return s;
    });
    press(ScreenIndex::PrtRuikei);
    auto* screen = static_cast<ProbeScreen*>(screenInstance(ScreenIndex::PrtRuikei));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->state(), Screen::LoadFailed);
    ASSERT_EQ(rec.shown().size(), 1u);
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("ロード時"));
    EXPECT_EQ(rec.shown()[0].icon, plat::widgets::MsgIcon::Error);
    EXPECT_EQ(rec.shown()[0].text, QStringLiteral("データベースが見つかりません。"));

    QTRY_VERIFY_WITH_TIMEOUT(!screen->isVisible(), 2000);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(screen->activations, 0);
}

TEST_F(ScreenFrameworkTest, ARefusedUnloadKeepsTheScreenAndTheMenuHidden) {
    press(ScreenIndex::RefRoumu);
    probe()->refuseClose = true;
    EXPECT_FALSE(probe()->close());
    EXPECT_TRUE(probe()->isVisible());
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(probe()->unloads, 0);
}

TEST_F(ScreenFrameworkTest, TheBusyFlagMakesASecondActionAndClosingIneffective) {
    press(ScreenIndex::RefRoumu);
    ProbeScreen* screen = probe();
    int runs = 0;
    bool innerRan = true;
    bool closed = true;
    EXPECT_TRUE(screen->runBusy([&] {
        ++runs;
        innerRan = screen->runBusy([&] { ++runs; });
        closed = screen->close();
    }));
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(innerRan);
    EXPECT_FALSE(closed);
    EXPECT_FALSE(screen->isBusy());
    EXPECT_TRUE(screen->close());
}

TEST_F(ScreenFrameworkTest, WhatAButtonHandlerThrowsIsShownAndGoesNoFurther) {
    press(ScreenIndex::RefRoumu);
    ProbeScreen* screen = probe();
    MessageRecorder rec;
    EXPECT_NO_THROW(screen->runBusy([] { throw std::runtime_error("vector too long"); }));
    EXPECT_NO_THROW(screen->runBusy([] { throw plat::jet::Error(plat::jet::err::Locked); }));
    ASSERT_EQ(rec.shown().size(), 2u);
    EXPECT_EQ(rec.shown()[0].title, QStringLiteral("エラー"));
    EXPECT_EQ(rec.shown()[0].icon, plat::widgets::MsgIcon::Error);
    EXPECT_TRUE(rec.shown()[0].text.contains(QStringLiteral("vector too long")));
    EXPECT_TRUE(rec.shown()[1].text.startsWith(QStringLiteral("3260: ")));
    // The screen stays usable.
    EXPECT_FALSE(screen->isBusy());
    EXPECT_TRUE(screen->isVisible());
    int runs = 0;
    EXPECT_TRUE(screen->runBusy([&] { ++runs; }));
    EXPECT_EQ(runs, 1);
}

TEST_F(ScreenFrameworkTest, KeyPreviewSeesKeysBeforeTheFocusedControl) {
    press(ScreenIndex::RefRoumu);
    ProbeScreen* screen = probe();
    QTest::keyClick(screen->edit, Qt::Key_F5);
    EXPECT_TRUE(screen->previewedKeys.empty()); // preview is off by default
    screen->setKeyPreview(true);
    QTest::keyClick(screen->edit, Qt::Key_F5);
    QTest::keyClicks(screen->edit, QStringLiteral("ab"));
    EXPECT_EQ(screen->previewedKeys, std::vector<int>{Qt::Key_F5});
    EXPECT_EQ(screen->edit->text(), QStringLiteral("ab"));
}

TEST_F(ScreenFrameworkTest, ActivatingTheMenuRefreshesItsBanner) {
    const int before = menu->AcLbl()->refreshCount();
    frame->activateWindow();
    QTRY_VERIFY_WITH_TIMEOUT(menu->AcLbl()->refreshCount() > before, 2000);
}

TEST_F(ScreenFrameworkTest, TheEndButtonEndsTheProgramWithoutAQuestion) {
    MessageRecorder rec;
    bool timedOut = false;
    QTimer::singleShot(0, menu, [this] { press(ScreenIndex::End); });
    QTimer::singleShot(5000, qApp, [&] {
        timedOut = true;
        QCoreApplication::quit();
    });
    QApplication::exec();
    EXPECT_FALSE(timedOut);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_TRUE(rec.shown().empty());
}

TEST_F(ScreenFrameworkTest, TheVersionCommandOpensTheRegisteredDialogWithoutHidingTheMenu) {
    QWidget* dialog = nullptr;
    registerScreen(ScreenIndex::VersionInfo, [&dialog] { return dialog = new QWidget; });
    frame->comB()->trigger();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(frame->isVisible());
    frame->comB()->trigger();
    EXPECT_EQ(screenInstance(ScreenIndex::VersionInfo), dialog);
}
