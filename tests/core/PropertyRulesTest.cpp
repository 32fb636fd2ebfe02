// The control's properties through its dispatch interface: defaults after a reset, the
// setter rules (range check, no-op on the same value, notification, modified), the error
// numbers and descriptions, the run-time-only and design-time-only rules, and the members
// with rules of their own.
#include "ControlTestSupport.h"

#include "control/core/Texts.h"
#include "platform/automation/FontObject.h"
#include "platform/automation/Picture.h"
#include "platform/text/Cp932.h"

#include <gtest/gtest.h>

namespace vantil {
namespace {

using plat::automation::AutomationError;
using plat::automation::FontObject;
using plat::automation::Variant;
using plat::automation::VarType;
using plat::text::cp932::utf8ToUtf16;
using test::Hosted;

constexpr std::int32_t sys(unsigned n) {
    return static_cast<std::int32_t>(0x80000000u | n);
}

std::string descriptionOf(const AutomationError& e) {
    return e.descriptionUtf8();
}

TEST(ControlDefaults, ResetGivesTheTableDefaultsAndTheAmbientOnes) {
    Hosted h;
    struct Case {
        const char16_t* name;
        std::int32_t value;
    } numbers[] = {
        {u"CaptionPosition", 0},
        {u"CaptionRatio", 30},
        {u"CaptionSize", 0},
        {u"CaptionAlignmentV", 1},
        {u"BorderStyle", 0},
        {u"BorderColor", sys(6)},
        {u"BorderWidth", 1},
        {u"InnerBorderWidth", 1},
        {u"FocusBorder", 1},
        {u"FocusColor", 0x808080},
        {u"LightColor", sys(0x14)},
        {u"ShadowColor", sys(0x10)},
        {u"InputAreaBorder", 2},
        {u"InputAreaColor", sys(5)},
        {u"DisabledColor", sys(0x11)},
        {u"SelectedColor", sys(0x0D)},
        {u"MousePointer", 3},
        {u"ItemBorderColor", sys(0)},
        {u"ItemVertBorder", 4},
        {u"DroppedRows", 8},
        {u"ScrollBars", 2},
        {u"SortKey", 0},
        {u"OddRowBackColor", -1},
        {u"OddRowForeColor", -1},
        {u"ListIndex", -1},
        {u"NewIndex", -1},
        {u"ListCount", 0},
    };
    for (const Case& c : numbers) {
        EXPECT_EQ(h.get(c.name).toLong(), c.value) << plat::text::cp932::utf16ToUtf8(c.name);
    }
    struct Flag {
        const char16_t* name;
        bool value;
    } flags[] = {
        {u"IntegralHeight", true},    {u"HideColumnHeaders", true},
        {u"AllowResizeColumn", true}, {u"EnableDefaultDropCloseKeys", true},
        {u"TitleTip", true},          {u"SelTextAtGotFocus", true},
        {u"EditFunction", true},      {u"Enabled", true},
        {u"Locked", false},           {u"IgnoreCase", false},
        {u"CaptionMultiLine", false}, {u"TreatEnterAsTab", false},
    };
    for (const Flag& f : flags) {
        EXPECT_EQ(h.get(f.name).toBool(), f.value);
    }
    EXPECT_EQ(h.get(u"Caption").toString(), u"Vantil1"); // the host's display name
    EXPECT_EQ(h.get(u"Text").toString(), u"");
    EXPECT_EQ(h.get(u"BackColor").toLong(), sys(5));
    EXPECT_EQ(h.get(u"ForeColor").toLong(), sys(8));
    // Caption colours are stored as -1 and read as the colour they follow.
    EXPECT_EQ(h.ctrl->properties().captionColor, kNoColor);
    EXPECT_EQ(h.get(u"CaptionColor").toLong(), sys(8));
    EXPECT_EQ(h.get(u"CaptionFocusColor").toLong(), 0x808080);
    EXPECT_EQ(h.get(u"CaptionDisabledColor").toLong(), sys(0x11));
    EXPECT_EQ(h.get(u"CaptionPointedColor").toLong(), sys(8));
    EXPECT_FALSE(h.ctrl->isDirty());
}

TEST(ControlDefaults, DefHeightFollowsTheAmbientFontPointSize) {
    Hosted nine;
    EXPECT_EQ(nine.get(u"DefHeight").toLong(), 17);
    Hosted twelve;
    twelve.site->font.size = plat::automation::Currency::fromUnits(12);
    twelve.ctrl->initNew();
    EXPECT_EQ(twelve.get(u"DefHeight").toLong(), 20);
    EXPECT_EQ(twelve.ctrl->properties().standardItemHeight, 20);
    auto font = twelve.get(u"Font");
    ASSERT_EQ(font.type(), VarType::Object);
    EXPECT_EQ(plat::automation::getProperty(*font.asObject(), u"Size").toLong(), 12);
}

TEST(SetterRules, ChangeNotifiesOnceAndMarksModifiedSameValueDoesNothing) {
    Hosted h;
    EXPECT_FALSE(h.put(u"CaptionRatio", std::int16_t{30}).isError());
    EXPECT_TRUE(h.site->changed.empty());
    EXPECT_EQ(h.site->modifiedCount, 0);
    EXPECT_FALSE(h.ctrl->isDirty());

    EXPECT_FALSE(h.put(u"CaptionRatio", std::int16_t{45}).isError());
    EXPECT_EQ(h.site->changed, std::vector<DispId>{2});
    EXPECT_EQ(h.site->modifiedCount, 1);
    EXPECT_TRUE(h.ctrl->isDirty());
    EXPECT_EQ(h.get(u"CaptionRatio").toLong(), 45);

    // Values convert from other automation types: a string and a boolean.
    EXPECT_FALSE(h.put(u"DroppedRows", Variant(u"12")).isError());
    EXPECT_EQ(h.get(u"DroppedRows").toLong(), 12);
    EXPECT_FALSE(h.put(u"Locked", Variant(std::int32_t{-1})).isError());
    EXPECT_TRUE(h.get(u"Locked").toBool());
}

TEST(SetterRules, HintTextAndBoundColumnAreQuietOrOnlyMarkModified) {
    Hosted h;
    EXPECT_FALSE(h.put(u"HintText", Variant(u"ヒント")).isError());
    EXPECT_EQ(h.get(u"HintText").toString(), u"ヒント");
    EXPECT_TRUE(h.site->changed.empty());
    EXPECT_FALSE(h.put(u"BoundColumn", Variant(u"SyainID")).isError());
    EXPECT_TRUE(h.site->changed.empty());
    EXPECT_EQ(h.site->modifiedCount, 1);
}

TEST(SetterRules, OutOfRangeValuesRaise380AndKeepTheOldValue) {
    struct Case {
        const char16_t* name;
        Variant bad;
    } cases[] = {
        {u"CaptionPosition", std::int16_t{4}}, {u"CaptionRatio", std::int16_t{101}},
        {u"CaptionSize", std::int16_t{-1}},    {u"BorderStyle", std::int16_t{14}},
        {u"BorderWidth", std::int16_t{11}},    {u"DefHeight", std::int16_t{8}},
        {u"DefHeight", std::int16_t{101}},     {u"DroppedWidth", std::int16_t{1001}},
        {u"DroppedRows", std::int16_t{-1}},    {u"SortKey", std::int16_t{-2}},
        {u"IMEMode", std::int16_t{9}},         {u"DropDownVKeyCode", std::int16_t{256}},
        {u"Font3D", std::int16_t{8}},          {u"CaptionRatio", std::int32_t{70000}},
        {u"CaptionRatio", Variant(u"abc")},    {u"ListIndex", std::int32_t{0}},
        {u"ListIndex", std::int32_t{-2}},      {u"SelLength", std::int16_t{-1}},
    };
    for (const Case& c : cases) {
        Variant before;
        Hosted h;
        ASSERT_FALSE(h.tryGet(c.name, before).isError());
        const AutomationError e = h.put(c.name, c.bad);
        EXPECT_EQ(e.number(), 380) << c.bad.toUtf8();
        EXPECT_EQ(descriptionOf(e), "値が不正です.");
        EXPECT_EQ(h.get(c.name), before);
        EXPECT_TRUE(h.site->changed.empty());
        EXPECT_FALSE(h.ctrl->isDirty());
    }
}

TEST(SetterRules, AccessRulesRaiseTheirErrors) {
    Hosted run;
    for (const char16_t* name : {u"ListCount", u"NewIndex", u"LostFocusCause"}) {
        const AutomationError e = run.put(name, std::int32_t{1});
        EXPECT_EQ(e.number(), 383);
        EXPECT_EQ(descriptionOf(e), "参照専用です.");
    }
    const AutomationError masked = run.put(u"ItemMasked", true, {std::int32_t{0}});
    EXPECT_EQ(masked.number(), 383);

    const AutomationError integral = run.put(u"IntegralHeight", false);
    EXPECT_EQ(integral.number(), 382);
    EXPECT_EQ(descriptionOf(integral), "実行時には参照専用です.");
    EXPECT_TRUE(run.get(u"IntegralHeight").toBool());

    Hosted design(false);
    EXPECT_FALSE(design.put(u"IntegralHeight", false).isError());
    EXPECT_FALSE(design.get(u"IntegralHeight").toBool());

    // No setter at all: the standard set-not-supported.
    for (const char16_t* name : {u"ListItems", u"hWnd", u"MatchedWithList", u"VisibleCount"}) {
        EXPECT_EQ(run.put(name, std::int32_t{0}).status, AutomationError::setNotSupported().status);
    }
}

TEST(SetterRules, RunTimeOnlyMembersAreNotSupportedInDesignMode) {
    Hosted h(false);
    const auto getNotSupported = AutomationError::getNotSupported().status;
    const auto setNotSupported = AutomationError::setNotSupported().status;
    for (const char16_t* name :
         {u"ListIndex", u"ListCount", u"NewIndex", u"LostFocusCause", u"SelStart", u"SelLength",
          u"SelText", u"MatchedWithList", u"VisibleCount", u"BoundText"}) {
        Variant out;
        EXPECT_EQ(h.tryGet(name, out).status, getNotSupported);
    }
    for (const char16_t* name : {u"ListIndex", u"SelStart", u"SelLength", u"SelText"}) {
        EXPECT_EQ(h.put(name, std::int16_t{0}).status, setNotSupported);
    }
    h.setRunMode(true);
    EXPECT_EQ(h.get(u"SelStart").toLong(), 0);
    EXPECT_EQ(h.get(u"ListIndex").toLong(), -1);
}

TEST(SetterRules, SelectedItemFailsBothWaysInBothModes) {
    for (bool run : {true, false}) {
        Hosted h(run);
        Variant out;
        EXPECT_EQ(h.tryGet(u"SelectedItem", out).status, AutomationError::getNotSupported().status);
        EXPECT_EQ(h.put(u"SelectedItem", std::int32_t{1}).status,
                  AutomationError::setNotSupported().status);
    }
}

TEST(SpecialRules, CaptionRatioIsIgnoredInDesignModeWhileCaptionSizeIsSet) {
    Hosted h(false);
    ASSERT_FALSE(h.put(u"CaptionSize", std::int16_t{5}).isError());
    h.site->changed.clear();
    EXPECT_FALSE(h.put(u"CaptionRatio", std::int16_t{50}).isError());
    EXPECT_EQ(h.get(u"CaptionRatio").toLong(), 30);
    EXPECT_TRUE(h.site->changed.empty());
    // Out of range is still an error in design mode.
    EXPECT_EQ(h.put(u"CaptionRatio", std::int16_t{101}).number(), 380);
    h.setRunMode(true);
    EXPECT_FALSE(h.put(u"CaptionRatio", std::int16_t{50}).isError());
    EXPECT_EQ(h.get(u"CaptionRatio").toLong(), 50);
}

TEST(SpecialRules, BorderWidthsAreIgnoredInDesignModeForStylesWithoutThem) {
    Hosted h(false);
    EXPECT_FALSE(h.put(u"BorderWidth", std::int16_t{4}).isError());
    EXPECT_EQ(h.get(u"BorderWidth").toLong(), 1); // style 0
    EXPECT_FALSE(h.put(u"InnerBorderWidth", std::int16_t{3}).isError());
    EXPECT_EQ(h.get(u"InnerBorderWidth").toLong(), 1);
    ASSERT_FALSE(h.put(u"BorderStyle", std::int16_t{10}).isError());
    EXPECT_FALSE(h.put(u"OuterBorderWidth", std::int16_t{3}).isError());
    EXPECT_EQ(h.get(u"OuterBorderWidth").toLong(), 3);
    EXPECT_FALSE(h.put(u"BorderWidth", std::int16_t{4}).isError());
    EXPECT_EQ(h.get(u"BorderWidth").toLong(), 4);
}

TEST(SpecialRules, BorderStyleSetsTheStandardWidthsAndReportsFourProperties) {
    struct Case {
        std::int16_t style;
        std::int32_t width;
    } cases[] = {{3, 1}, {5, 2}, {13, 2}, {1, 1}, {0, 0}};
    for (const Case& c : cases) {
        Hosted h;
        ASSERT_FALSE(h.put(u"BorderStyle", std::int16_t{9}).isError());
        ASSERT_FALSE(h.put(u"BorderWidth", std::int16_t{5}).isError());
        ASSERT_FALSE(h.put(u"InnerBorderWidth", std::int16_t{3}).isError());
        ASSERT_FALSE(h.put(u"OuterBorderWidth", std::int16_t{4}).isError());
        h.site->changed.clear();
        ASSERT_FALSE(h.put(u"BorderStyle", c.style).isError());
        EXPECT_EQ(h.get(u"BorderWidth").toLong(), c.width) << c.style;
        EXPECT_EQ(h.get(u"InnerBorderWidth").toLong(), 1);
        EXPECT_EQ(h.get(u"OuterBorderWidth").toLong(), 1);
        EXPECT_EQ(h.site->changed, (std::vector<DispId>{12, 14, 15, 16}));
    }
}

TEST(SpecialRules, MousePointerCustomValueOnlyAtRunTime) {
    Hosted design(false);
    const AutomationError e = design.put(u"MousePointer", std::int16_t{99});
    EXPECT_EQ(e.number(), 380);
    EXPECT_EQ(design.get(u"MousePointer").toLong(), 3);

    Hosted run;
    EXPECT_FALSE(run.put(u"MousePointer", std::int16_t{99}).isError());
    EXPECT_EQ(run.get(u"MousePointer").toLong(), 99);
    EXPECT_EQ(run.ctrl->properties().mousePointer, kStoredCustomPointer);
    run.setRunMode(false);
    EXPECT_EQ(run.get(u"MousePointer").toLong(), 99);
    EXPECT_EQ(run.put(u"MousePointer", std::int16_t{17}).number(), 380);
}

TEST(SpecialRules, CaptionDirectionOutOfRangeIsIgnoredWithoutError) {
    Hosted h;
    EXPECT_FALSE(h.put(u"CaptionDirection", std::int16_t{5}).isError());
    EXPECT_EQ(h.get(u"CaptionDirection").toLong(), 0);
    EXPECT_TRUE(h.site->changed.empty());
}

TEST(SpecialRules, MouseIconTakesOnlyPointerPictures) {
    using plat::automation::Dispatch;
    using plat::automation::Picture;
    Hosted h;
    auto notAPicture = FontObject::create();
    EXPECT_EQ(h.put(u"MouseIcon", Variant(std::shared_ptr<Dispatch>(notAPicture))).number(), 380);
    // A bitmap cannot serve as a pointer: 1 x 1 pixel, 24 bits.
    std::vector<std::uint8_t> bmp = {'B', 'M', 58, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,  40,
                                     0,   0,   0,  1, 0, 0, 0, 1, 0, 0, 0,  1, 0, 24, 0};
    bmp.resize(58, 0);
    auto bitmap = Picture::fromBytes(bmp);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(h.put(u"MouseIcon", Variant(std::shared_ptr<Dispatch>(bitmap))).number(), 380);
    EXPECT_TRUE(h.site->changed.empty());

    std::vector<std::uint8_t> ico = {0, 0, 1, 0,  1, 0, 16, 16, 0, 0, 1, 0, 32, 0, 8,
                                     0, 0, 0, 22, 0, 0, 0,  1,  2, 3, 4, 5, 6,  7, 8};
    auto icon = Picture::fromBytes(ico);
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(h.put(u"MouseIcon", Variant(std::shared_ptr<Dispatch>(icon))).isError());
    EXPECT_EQ(h.get(u"MouseIcon").asObject(), icon);
    EXPECT_EQ(h.site->changed, std::vector<DispId>{43});
    // An empty picture, like Nothing, clears it.
    auto empty = std::make_shared<Picture>();
    EXPECT_FALSE(h.put(u"MouseIcon", Variant(std::shared_ptr<Dispatch>(empty))).isError());
    EXPECT_EQ(h.ctrl->properties().mouseIcon, nullptr);
    EXPECT_FALSE(h.put(u"MouseIcon", Variant(std::shared_ptr<Dispatch>())).isError());
    EXPECT_EQ(h.site->changed, (std::vector<DispId>{43, 43}));
}

TEST(SpecialRules, FontTakesAFontObjectAndFollowsItsChanges) {
    Hosted h;
    plat::automation::FontDesc d;
    d.name = u"IPAPGothic";
    d.size = plat::automation::Currency::fromUnits(14);
    auto font = FontObject::create(d);
    EXPECT_FALSE(h.put(u"CaptionFont", Variant(std::shared_ptr<plat::automation::Dispatch>(font)))
                     .isError());
    EXPECT_EQ(h.ctrl->properties().captionFont, d);
    EXPECT_EQ(h.site->changed, std::vector<DispId>{4});
    // The control's own font object reports changes made through it.
    auto own = h.get(u"Font").asObject();
    plat::automation::putProperty(*own, u"Bold", true);
    EXPECT_EQ(h.ctrl->properties().font.weight, 700);
    EXPECT_EQ(h.site->changed.back(), -512);
    EXPECT_EQ(h.put(u"Font", std::int32_t{3}).number(), 380);
}

TEST(SpecialRules, TextReportsEveryTimeAndRaisesChangeTextOnlyForARealChangeAtRunTime) {
    struct Sink : plat::automation::EventSink {
        std::vector<DispId> events;
        void onEvent(DispId id, std::span<Variant>) override { events.push_back(id); }
    } sink;
    Hosted h;
    h.ctrl->advise(&sink);
    EXPECT_FALSE(h.put(u"Text", Variant(utf8ToUtf16("山田太郎"))).isError());
    EXPECT_EQ(sink.events, std::vector<DispId>{3});
    EXPECT_EQ(h.ctrl->properties().edit.charCount, 4);
    EXPECT_EQ(h.ctrl->properties().text.size(), 8u); // code page 932 bytes
    EXPECT_FALSE(h.put(u"Text", Variant(utf8ToUtf16("山田太郎"))).isError());
    EXPECT_EQ(sink.events.size(), 1u);
    // The bound text follows a real change before Text is reported.
    EXPECT_EQ(h.site->changed, (std::vector<DispId>{77, 76, 76}));
    // A closed control keeps no sink.
    h.ctrl->close();
    h.ctrl->setClientSite(h.site.get());
    EXPECT_FALSE(h.put(u"Text", Variant(u"x")).isError());
    EXPECT_EQ(sink.events.size(), 1u);
}

TEST(SpecialRules, SelectionCountsDoubleByteCharactersAsOne) {
    Hosted h;
    ASSERT_FALSE(h.put(u"Text", Variant(utf8ToUtf16("あいう"))).isError());
    ASSERT_FALSE(h.put(u"SelStart", std::int16_t{1}).isError());
    ASSERT_FALSE(h.put(u"SelLength", std::int16_t{1}).isError());
    EXPECT_EQ(h.get(u"SelText").toString(), utf8ToUtf16("い"));

    ASSERT_FALSE(h.put(u"Text", Variant(u"abcde")).isError());
    ASSERT_FALSE(h.put(u"SelStart", std::int16_t{1}).isError());
    ASSERT_FALSE(h.put(u"SelLength", std::int16_t{3}).isError());
    ASSERT_FALSE(h.put(u"SelStart", std::int16_t{100}).isError());
    EXPECT_EQ(h.get(u"SelStart").toLong(), 5);
    EXPECT_EQ(h.get(u"SelLength").toLong(), 0);
    ASSERT_FALSE(h.put(u"SelStart", std::int16_t{3}).isError());
    ASSERT_FALSE(h.put(u"SelLength", std::int16_t{9}).isError());
    EXPECT_EQ(h.get(u"SelText").toString(), u"de");
}

TEST(SpecialRules, SelectAllWithAndWithoutCancel) {
    Hosted h;
    ASSERT_FALSE(h.put(u"Text", Variant(u"abc")).isError());
    h.call(u"SelectAll");
    EXPECT_EQ(h.get(u"SelStart").toLong(), 3);
    EXPECT_EQ(h.get(u"SelLength").toLong(), 0);
    h.call(u"SelectAll", {Variant(true)});
    EXPECT_EQ(h.get(u"SelStart").toLong(), 0);
    EXPECT_EQ(h.get(u"SelLength").toLong(), 3);
    Variant out;
    const AutomationError e = h.invoke(u"SelectAll", plat::automation::InvokeKind::Method,
                                       {Variant(u"not a flag")}, &out);
    EXPECT_EQ(e.number(), 93);
    EXPECT_EQ(descriptionOf(e), "値が不正です.");
}

TEST(SpecialRules, BoundTextAsksTheHostFirst) {
    Hosted h;
    EXPECT_FALSE(h.put(u"BoundText", Variant(u"S001")).isError());
    EXPECT_EQ(h.ctrl->properties().boundText, "S001");
    EXPECT_EQ(h.site->changed, std::vector<DispId>{77});
    h.site->refuseEdits = true;
    const AutomationError refused = h.put(u"BoundText", Variant(u"S002"));
    EXPECT_EQ(refused.number(), 387);
    EXPECT_EQ(h.ctrl->properties().boundText, "S001");
}

TEST(SpecialRules, BrowserShowsTheCurrentValueOfEnumeratedProperties) {
    Hosted h;
    ASSERT_FALSE(h.put(u"MousePointer", std::int16_t{99}).isError());
    EXPECT_EQ(h.ctrl->browserDisplayText(44), "99 - ﾕｰｻﾞｰ定義");
    ASSERT_FALSE(h.put(u"Font3D", std::int16_t{7}).isError());
    EXPECT_EQ(h.ctrl->browserDisplayText(22), "");
    ASSERT_FALSE(h.put(u"DropDownVKeyCode", std::int16_t{113}).isError());
    EXPECT_EQ(h.ctrl->browserDisplayText(66), "VK_F2");
    EXPECT_EQ(h.ctrl->browserDisplayText(2), std::nullopt); // CaptionRatio is a number
}

TEST(SpecialRules, GetPpgStatusAlwaysYields63) {
    Hosted h;
    Variant status(std::int32_t{0});
    h.call(u"GetPpgStatus", {Variant::ref(status)});
    EXPECT_EQ(status.toLong(), 63);
}

TEST(SpecialRules, ListFieldAndItemPropertiesOfAnEmptyListRaise381) {
    Hosted h;
    Variant out;
    AutomationError e = h.tryGet(u"ListField", out, {std::int32_t{0}});
    EXPECT_EQ(e.number(), 381);
    EXPECT_EQ(descriptionOf(e), "インデックスが不正です.");
    e = h.tryGet(u"ItemText", out, {std::int32_t{0}});
    EXPECT_EQ(e.number(), 381);
    EXPECT_EQ(h.put(u"ItemData", std::int32_t{5}, {std::int32_t{-1}}).number(), 381);
    EXPECT_EQ(h.get(u"ColumnWidth", {std::int32_t{0}}).toLong(), -1);
    EXPECT_FALSE(h.call(u"RemoveItem", {std::int32_t{0}}).toBool());
}

TEST(ContextMenu, BuiltInEntriesKeepCaptionsAndSeparatorsReservedEntriesAreRefused) {
    Hosted h;
    EXPECT_EQ(h.get(u"MenuCaption", {std::int16_t{2}}).toString(), utf8ToUtf16("ｺﾋﾟｰ(&C)"));
    EXPECT_EQ(h.put(u"MenuCaption", Variant(u"X"), {std::int16_t{3}}).number(), 380);
    EXPECT_EQ(h.put(u"MenuSeparator", true, {std::int16_t{3}}).number(), 380);
    EXPECT_FALSE(h.put(u"MenuEnabled", false, {std::int16_t{3}}).isError());
    EXPECT_FALSE(h.get(u"MenuEnabled", {std::int16_t{3}}).toBool());
    for (std::int16_t bad :
         {std::int16_t{-1}, std::int16_t{6}, std::int16_t{9}, std::int16_t{20}}) {
        Variant out;
        EXPECT_EQ(h.tryGet(u"MenuHidden", out, {bad}).number(), 380) << bad;
        EXPECT_EQ(h.put(u"MenuHidden", false, {bad}).number(), 380) << bad;
    }
    EXPECT_FALSE(h.put(u"MenuCaption", Variant(utf8ToUtf16("印刷")), {std::int16_t{12}}).isError());
    EXPECT_FALSE(h.put(u"MenuHidden", false, {std::int16_t{12}}).isError());
    EXPECT_EQ(h.get(u"MenuCaption", {std::int16_t{12}}).toString(), utf8ToUtf16("印刷"));
    EXPECT_TRUE(h.ctrl->isDirty());
}

TEST(ContextMenu, SetAndGetMenuItem) {
    Hosted h;
    h.call(u"SetMenuItem", {std::int16_t{1}, Variant(u"ignored"), false, true, true});
    Variant caption, enabled, hidden, separator;
    h.call(u"GetMenuItem", {std::int16_t{1}, Variant::ref(caption), Variant::ref(enabled),
                            Variant::ref(hidden), Variant::ref(separator)});
    EXPECT_EQ(caption.toString(), utf8ToUtf16("切り取り(&T)"));
    EXPECT_FALSE(enabled.toBool());
    EXPECT_TRUE(hidden.toBool());
    EXPECT_FALSE(separator.toBool()); // only entries 10..19 take caption and separator

    h.call(u"SetMenuItem", {std::int16_t{19}, Variant(u"Last"), true, false, true});
    h.call(u"GetMenuItem", {std::int16_t{19}, Variant::ref(caption), Variant::ref(enabled),
                            Variant::ref(hidden), Variant::ref(separator)});
    EXPECT_EQ(caption.toString(), u"Last");
    EXPECT_TRUE(separator.toBool());
    EXPECT_FALSE(hidden.toBool());
}

TEST(ColumnDefinitions, SetReplaceAppendDeleteAndRead) {
    Hosted h;
    auto set = [&](std::int16_t i, const char16_t* caption, std::int16_t w, std::int16_t ah,
                   std::int16_t av) {
        return h
            .call(u"SetColumnData",
                  {i, Variant(caption), Variant(u"F"), w, ah, av, std::int16_t{0}})
            .toBool();
    };
    EXPECT_FALSE(set(1, u"A", 50, 0, 1)); // beyond the end
    EXPECT_TRUE(set(0, u"A", 50, 0, 1));
    EXPECT_TRUE(set(1, u"B", 60, 1, 2));
    EXPECT_TRUE(set(0, u"A2", 70, 2, 0));
    EXPECT_FALSE(set(2, u"", -1, -2, -3)); // deleting at the count
    ASSERT_EQ(h.ctrl->properties().columns.size(), 2u);

    Variant caption, field, width, ah, av, multi;
    auto read = [&](std::int16_t i) {
        return h
            .call(u"GetGetColumnData",
                  {i, Variant::ref(caption), Variant::ref(field), Variant::ref(width),
                   Variant::ref(ah), Variant::ref(av), Variant::ref(multi)})
            .toBool();
    };
    ASSERT_TRUE(read(0));
    EXPECT_EQ(caption.toString(), u"A2");
    EXPECT_EQ(width.toLong(), 70);
    EXPECT_EQ(ah.toLong(), 2);
    EXPECT_TRUE(set(0, u"", -1, -2, -3));
    ASSERT_TRUE(read(0));
    EXPECT_EQ(caption.toString(), u"B");
    caption = Variant(u"untouched");
    EXPECT_FALSE(read(1));
    EXPECT_EQ(caption.toString(), u"untouched");
    // ListField reaches the definitions while they are the only columns.
    EXPECT_FALSE(h.put(u"ListField", Variant(u"GName"), {std::int32_t{0}}).isError());
    EXPECT_EQ(h.get(u"ListField", {std::int32_t{0}}).toString(), u"GName");
}

TEST(AboutBox, ReportsMissingDialogServiceAndShowsItWhenInstalled) {
    Hosted h;
    Variant out;
    const AutomationError missing =
        h.invoke(u"AboutBox", plat::automation::InvokeKind::Method, {}, &out);
    EXPECT_EQ(missing.number(), 5);
    EXPECT_EQ(descriptionOf(missing), "ダイアログを表示できません.");

    test::RecordingPlatform platform;
    installControlPlatform(&platform);
    h.call(u"AboutBox");
    h.setRunMode(false);
    h.call(u"AboutBox");
    installControlPlatform(nullptr);
    EXPECT_EQ(platform.shownTitles, (std::vector<std::string>{"About Quodra VantilBox Control",
                                                              "About Quodra VantilBox Control"}));
}

} // namespace
} // namespace vantil

namespace vantil {
namespace {

TEST(CaptionAccelerator, CharacterAfterTheFirstAmpersand) {
    namespace cp932 = plat::text::cp932;
    struct Case {
        const char* caption;
        unsigned expected;
    } cases[] = {
        {"&Name", 'N'}, {"Na&me", 'm'}, {"Name", 0},       {"Name&", 0},
        {"A&&B", 0},    {"&&", 0},      {"&社員", 0x8ED0}, // code page 932 of 社
    };
    for (const Case& c : cases) {
        EXPECT_EQ(acceleratorCharacter(cp932::fromUtf8(c.caption)), c.expected) << c.caption;
    }
}

TEST(CaptionAccelerator, ChangingCaptionOrSwitchTellsTheHost) {
    test::Hosted h;
    ASSERT_FALSE(h.put(u"Caption", Variant(u"&Code")).isError());
    EXPECT_EQ(h.site->mnemonicsChangedCount, 1);
    EXPECT_EQ(h.ctrl->properties().acceleratorChar, 0u);
    ASSERT_FALSE(h.put(u"CaptionAccelerator", true).isError());
    EXPECT_EQ(h.site->mnemonicsChangedCount, 2);
    EXPECT_EQ(h.ctrl->properties().acceleratorChar, static_cast<unsigned>('C'));
    ASSERT_FALSE(h.put(u"CaptionAccelerator", true).isError());
    EXPECT_EQ(h.site->mnemonicsChangedCount, 2);
}

TEST(EventInterface, TypeInfoListsTheEventsWithTheirArguments) {
    test::Hosted h;
    const auto* info = h.ctrl->eventTypeInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->name, u"_DVantilEvents");
    EXPECT_EQ(info->members.size(), 23u);
    const auto* keyDown = info->findMember(u"KeyDown");
    ASSERT_NE(keyDown, nullptr);
    EXPECT_EQ(keyDown->id, -602);
    ASSERT_EQ(keyDown->params.size(), 2u);
    EXPECT_TRUE(keyDown->params[0].byRef);
    EXPECT_FALSE(keyDown->params[1].byRef);
    EXPECT_EQ(info->findMember(u"ChangeText")->id, 3);
    EXPECT_EQ(info->findMember(u"ColumnClick")->params.size(), 2u);
}

} // namespace
} // namespace vantil
