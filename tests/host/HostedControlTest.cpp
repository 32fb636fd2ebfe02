// The hosted control with the real control library: creation by class identity, the site's
// ambient properties and mode, resize requests, filling, the events the control raises and
// by-reference event arguments.
#include "platform/host/HostedControl.h"
#include "app/frame/FormControls.h"
#include "platform/automation/FontObject.h"
#include "tests/automation/TestRegistry.h"
#include "tests/automation/component/TallyIds.h"
#include "tests/host/HostTestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

using namespace plat::automation;
using plat::host::HostedControl;

namespace {

TEST(HostedControl, TakesTheFormsFontColoursNameAndModeAsAmbientProperties) {
    testsupport::qtApp();
    QWidget form;
    QFont font(QStringLiteral("IPAGothic"));
    font.setPointSizeF(11);
    form.setFont(font);
    QPalette palette = form.palette();
    palette.setColor(QPalette::Window, QColor(200, 220, 240));
    form.setPalette(palette);

    HostedControl c(&form, QStringLiteral("GenbaID(3)"));
    AutomationError error;
    ASSERT_TRUE(c.create(hosttest::controlClass(), nullptr, &error)) << error.descriptionUtf8();
    EXPECT_EQ(c.get(u"Caption").toString(), u"GenbaID(3)");
    EXPECT_EQ(static_cast<std::uint32_t>(c.get(u"BackColor").toLong()), 0x00F0DCC8u);
    EXPECT_EQ(static_cast<std::uint32_t>(c.get(u"ForeColor").toLong()), 0x80000012u);
    const Variant f = c.get(u"Font");
    EXPECT_EQ(getProperty(*f.asObject(), u"Name").toString(), u"IPAGothic");
    EXPECT_EQ(getProperty(*f.asObject(), u"Size").toCurrency(), Currency::fromUnits(11));

    // A new instance takes the default extent, and its window covers the whole widget.
    ASSERT_NE(c.controlWindow(), nullptr);
    EXPECT_EQ(c.size(), c.sizeHint());
    EXPECT_EQ(c.controlWindow()->geometry(), c.rect());
    EXPECT_FALSE(c.isModified());

    EXPECT_EQ(c.listIndex(), -1);
    c.setUserMode(false);
    try {
        c.listIndex();
        ADD_FAILURE() << "ListIndex answered in design mode";
    } catch (const AutomationException& e) {
        EXPECT_EQ(e.error().number(), errnum::GetNotSupported);
    }
}

TEST(HostedControl, GrowsToTheHeightTheControlAsksForAndKeepsItsExtent) {
    testsupport::qtApp();
    QWidget form;
    HostedControl c(&form, QStringLiteral("SyainID"));
    ASSERT_TRUE(c.create(hosttest::controlClass(), nullptr));
    c.resize(120, 20);
    QSignalSpy requests(&c, &HostedControl::resizeRequested);
    c.put(u"DefHeight", Variant(std::int16_t{40}));
    ASSERT_EQ(requests.count(), 1);
    const int asked = requests.at(0).at(1).toInt();
    EXPECT_GT(asked, 20);
    EXPECT_EQ(c.height(), asked);
    EXPECT_EQ(c.width(), 120);
    EXPECT_EQ(c.controlWindow()->size(), c.size());
    EXPECT_EQ(c.sizeHint(), c.size());
    EXPECT_TRUE(c.isModified());
}

TEST(HostedControl, FillsTheListAndDeliversChangeTextAndClickInOrder) {
    testsupport::qtApp();
    QWidget form;
    AutomationError error;
    // A site box as designed: number and name columns.
    HostedControl* box =
        tamsel::createFormControl(&form, "RoumuEntrySub2", QStringLiteral("GenbaID(0)"), error);
    ASSERT_NE(box, nullptr) << error.descriptionUtf8();
    HostedControl& c = *box;
    QStringList raised;
    QObject::connect(&c, &HostedControl::eventRaised, [&](const QString& n) { raised << n; });
    QSignalSpy changes(&c, &HostedControl::changeText);
    QSignalSpy clicks(&c, &HostedControl::click);

    c.clearItems();
    EXPECT_EQ(c.addItem(QStringLiteral("12")), 0);
    c.addSubItem(0, 1, QStringLiteral("駅前ビル新築工事"));
    EXPECT_EQ(c.addItem(QStringLiteral("7")), 1);
    c.addSubItem(1, 1, QStringLiteral("ｶﾌﾞｼｷｶﾞｲｼｬ倉庫"));
    EXPECT_EQ(c.listCount(), 2);
    EXPECT_EQ(c.itemText(1), QStringLiteral("7"));
    EXPECT_EQ(hosttest::subItem(c, 0, 1), QStringLiteral("駅前ビル新築工事"));

    c.setText(QStringLiteral("1"));
    c.setListIndex(1);
    EXPECT_EQ(raised, (QStringList{QStringLiteral("ChangeText"), QStringLiteral("Click")}));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(c.text(), QStringLiteral("7"));

    c.clearItems();
    EXPECT_EQ(c.listCount(), 0);
}

TEST(HostedControl, AKeyDownHandlerChangesOrSwallowsTheKeyTheControlReadsBack) {
    if (std::string(TALLY_LIBRARY).empty())
        GTEST_SKIP() << "the test component library is not part of this build";
    testsupport::qtApp();
    automation_test::ScopedRegistry registry;
    ASSERT_EQ(registerLibrary(TALLY_LIBRARY), status::Ok);
    HostedControl c(nullptr, QStringLiteral("Tally1"));
    AutomationError error;
    ASSERT_TRUE(c.create(*Guid::parse(tally::kClsid), nullptr, &error)) << error.descriptionUtf8();
    // A control without a window of its own is hosted through its dispatch interface only.
    EXPECT_EQ(c.controlWindow(), nullptr);

    std::vector<short> shifts;
    QObject::connect(&c, &HostedControl::keyDown, [&](short& key, short shift) {
        shifts.push_back(shift);
        if (key == 13)
            key = 9;
        else if (key == 27)
            key = 0;
    });
    const auto press = [&](std::int16_t key, std::int16_t shift) {
        return c.call(u"PressKey", {Variant(key), Variant(shift)}).toLong();
    };
    EXPECT_EQ(press(13, 2), 9);
    EXPECT_EQ(press(27, 0), 0);
    EXPECT_EQ(press(65, 1), 65);
    EXPECT_EQ(shifts, (std::vector<short>{2, 0, 1}));
}

} // namespace
