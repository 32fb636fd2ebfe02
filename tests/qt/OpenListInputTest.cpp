// The control under input as the window system delivers it on Qt's offscreen platform: clicks
// through the window (where focus is given before the widget sees the press), typing into the
// open list, rows removed while the list is open, a matched row that cannot become current,
// and the virtual-key codes of Qt's keys.
#include "control/core/CVantilCtrl.h"
#include "control/core/EventTable.h"
#include "control/list/ListModel.h"
#include "control/qt/CDxListCtrl.h"
#include "control/qt/ControlWidget.h"
#include "control/qt/QtControlPlatform.h"
#include "control/qt/QtControlView.h"
#include "control/qt/QtConvert.h"
#include "platform/automation/HostSite.h"
#include "platform/text/Cp932.h"
#include "tests/qt/QtPaintSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace vantil::test {
namespace {

using plat::automation::DispId;
using plat::automation::Variant;

struct Form : plat::automation::EventSink {
    QApplication& app = qtApp();
    QWidget window;
    QLineEdit* other = nullptr;
    plat::automation::SimpleHostSite site;
    CVantilCtrl ctrl;
    std::unique_ptr<ListModel> model;
    ControlWidget* widget = nullptr;
    std::vector<DispId> events;

    Form() {
        installControlPlatform(&qtControlPlatform());
        site.parent = &window;
        ctrl.setClientSite(&site);
        ctrl.initNew();
        model = std::make_unique<ListModel>(ctrl);
        ctrl.setListEngine(model.get());
        ctrl.advise(this);
        ctrl.activateInPlace(0, 0, 200, 22);
        widget = static_cast<QtControlView*>(ctrl.view())->widget();
        other = new QLineEdit(&window);
        other->setGeometry(0, 40, 200, 22);
        window.resize(220, 80);
        window.show();
        window.activateWindow();
        (void)QTest::qWaitForWindowActive(&window);
        for (const char* t : {"一", "二", "三"}) {
            plat::automation::callMethod(ctrl, u"AddItem",
                                         {Variant::missing(), Variant::fromUtf8(t)});
        }
        other->setFocus();
        QCoreApplication::processEvents();
    }
    ~Form() override {
        ctrl.unadvise(this);
        ctrl.close();
        ctrl.setListEngine(nullptr);
    }
    void onEvent(DispId id, std::span<Variant>) override {
        if (id != events::MouseMove) {
            events.push_back(id);
        }
    }
    void set(std::u16string_view name, Variant v) { plat::automation::putProperty(ctrl, name, v); }
    Variant get(std::u16string_view name, std::vector<Variant> args = {}) {
        return plat::automation::getProperty(ctrl, name, std::move(args));
    }
    std::int32_t listIndex() { return get(u"ListIndex").toLong(); }
    bool dropped() const { return widget->droppedState(); }
    void key(Qt::Key k) { QTest::keyClick(widget, k); }
    // A left click as the window system delivers it: to the window, which gives focus by the
    // widgets' policies before the widget's own handler runs.
    void windowClick(QWidget* w, QPoint local) {
        QTest::mouseClick(w->window()->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                          w->mapTo(w->window(), local));
        QCoreApplication::processEvents();
    }
    int count(DispId id) const {
        return static_cast<int>(std::count(events.begin(), events.end(), id));
    }
};

TEST(OpenListInput, AClickDecidesFocusBeforeTheWindowSystemGivesIt) {
    {
        Form f;
        f.set(u"KillClickFocus", Variant(true));
        f.windowClick(f.widget, QPoint(20, 10));
        EXPECT_EQ(QApplication::focusWidget(), f.other) << "KillClickFocus keeps the focus away";
        EXPECT_EQ(f.count(events::MouseDown), 1);
    }
    {
        Form f;
        f.set(u"DropDownAtGotFocus", Variant(true));
        f.windowClick(f.widget, QPoint(20, 10));
        EXPECT_EQ(QApplication::focusWidget(), f.widget);
        EXPECT_TRUE(f.dropped()) << "gaining focus opened the list and the press did not cancel it";
        EXPECT_EQ(f.count(events::CloseUp), 0);
        EXPECT_EQ(f.count(events::MouseDown), 1) << "the press reached the control";
    }
}

TEST(OpenListInput, TheCaptionsCharacterAloneFocusesTheControlFromAWindowWithoutText) {
    Form f;
    auto* button = new QPushButton(QStringLiteral("OK"), &f.window);
    button->setGeometry(100, 40, 60, 22);
    button->show();
    f.set(u"Caption", Variant::fromUtf8("&Name"));
    f.set(u"CaptionAccelerator", Variant(true));
    button->setFocus();
    QTest::keyClick(button, Qt::Key_N);
    EXPECT_EQ(QApplication::focusWidget(), f.widget) << "the character alone is the access key";
    QTest::keyClicks(f.widget, QStringLiteral("n"));
    EXPECT_EQ(f.get(u"Text").toUtf8(), "n") << "typed into the control it is text";
    f.other->setFocus();
    QTest::keyClicks(f.other, QStringLiteral("n"));
    EXPECT_EQ(QApplication::focusWidget(), f.other) << "a box that takes text keeps it";
    EXPECT_EQ(f.other->text(), QStringLiteral("n"));
}

TEST(OpenListInput, TypingIntoTheOpenListDropsItsRowSoReturnKeepsTheTypedText) {
    Form f;
    f.widget->setFocus();
    f.key(Qt::Key_F4);
    f.key(Qt::Key_Down);
    ASSERT_TRUE(f.dropped());
    ASSERT_EQ(f.listIndex(), 0);
    QTest::keyClicks(f.widget, QStringLiteral("x"));
    EXPECT_EQ(f.listIndex(), -1) << "the text no longer is the row's";
    EXPECT_EQ(f.widget->listWindow().logic().geometry().grid().currentRow(), -1);
    f.key(Qt::Key_Return);
    EXPECT_FALSE(f.dropped());
    EXPECT_EQ(f.listIndex(), -1);
    EXPECT_EQ(f.get(u"BoundText").toUtf8(), "x");
}

TEST(OpenListInput, RowsRemovedWhileOpenAndAMatchThatCannotBeCurrentLeaveNoStaleIndex) {
    Form f;
    f.widget->setFocus();
    f.set(u"ListIndex", Variant(std::int32_t{2}));
    f.key(Qt::Key_F4);
    ASSERT_TRUE(f.dropped());
    plat::automation::callMethod(f.ctrl, u"Clear");
    f.key(Qt::Key_Escape); // the saved row is gone
    EXPECT_FALSE(f.dropped());
    EXPECT_EQ(f.listIndex(), -1);

    for (const char* t : {"一", "二", "三"}) {
        plat::automation::callMethod(f.ctrl, u"AddItem", {Variant::missing(), Variant::fromUtf8(t)});
    }
    plat::automation::putProperty(f.ctrl, u"ItemEnabled", Variant(false),
                                  {Variant(std::int32_t{1})});
    f.set(u"Text", Variant::fromUtf8("二"));
    EXPECT_TRUE(f.get(u"MatchedWithList").toBool());
    EXPECT_EQ(f.listIndex(), -1) << "a disabled row matches but is not current";
    // Without a bound column the kept value goes when the match leaves no row current.
    f.set(u"BoundText", Variant::fromUtf8("値"));
    EXPECT_EQ(plat::text::cp932::toUtf8(f.ctrl.properties().boundText), "");
}

TEST(OpenListInput, QtKeysMapToTheirVirtualKeyCodes) {
    struct Case {
        int key;
        Qt::KeyboardModifiers mods;
        int code;
    };
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    const Case cases[] = {
        {Qt::Key_A, {}, 0x41},           {Qt::Key_7, {}, 0x37},
        {Qt::Key_F13, {}, 0x7C},         {Qt::Key_F24, {}, 0x87},
        {Qt::Key_0, pad, 0x60},          {Qt::Key_9, pad, 0x69},
        {Qt::Key_Asterisk, pad, 0x6A},   {Qt::Key_Plus, pad, 0x6B},
        {Qt::Key_Minus, pad, 0x6D},      {Qt::Key_Period, pad, 0x6E},
        {Qt::Key_Slash, pad, 0x6F},      {Qt::Key_Enter, pad, 0x0D},
        {Qt::Key_Home, pad, 0x24},       {Qt::Key_Clear, {}, 0x0C},
        {Qt::Key_Pause, {}, 0x13},       {Qt::Key_Print, {}, 0x2C},
        {Qt::Key_Select, {}, 0x29},      {Qt::Key_Execute, {}, 0x2B},
        {Qt::Key_Help, {}, 0x2F},        {Qt::Key_CapsLock, {}, 0x14},
        {Qt::Key_NumLock, {}, 0x90},     {Qt::Key_ScrollLock, {}, 0x91},
        {Qt::Key_Semicolon, {}, 0xBA},   {Qt::Key_Colon, {}, 0xBA},
        {Qt::Key_Equal, {}, 0xBB},       {Qt::Key_Comma, {}, 0xBC},
        {Qt::Key_Minus, {}, 0xBD},       {Qt::Key_Period, {}, 0xBE},
        {Qt::Key_Slash, {}, 0xBF},       {Qt::Key_QuoteLeft, {}, 0xC0},
        {Qt::Key_BracketLeft, {}, 0xDB}, {Qt::Key_Backslash, {}, 0xDC},
        {Qt::Key_BracketRight, {}, 0xDD}, {Qt::Key_Apostrophe, {}, 0xDE},
        {Qt::Key_Exclam, {}, 0x31},      {Qt::Key_Henkan, {}, 0x1C},
        {Qt::Key_Muhenkan, {}, 0x1D},    {Qt::Key_Kanji, {}, 0x19},
        {Qt::Key_Play, {}, 0xFA},        {Qt::Key_Zoom, {}, 0xFB},
        {Qt::Key_Menu, {}, 0x5D},        {Qt::Key_Escape, {}, 0x1B},
        {Qt::Key_unknown, {}, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(qtconv::virtualKey(c.key, c.mods), c.code) << std::hex << c.key;
    }
    // A key of the table works as a hot key: ";" (VK_OEM_1) opens the list.
    Form f;
    f.widget->setFocus();
    f.set(u"DropDownVKeyCode", Variant(std::int16_t{0xBA}));
    f.set(u"DropDownModifierFlags", Variant(std::int16_t{0}));
    f.key(Qt::Key_Semicolon);
    EXPECT_TRUE(f.dropped());
}

} // namespace
} // namespace vantil::test
