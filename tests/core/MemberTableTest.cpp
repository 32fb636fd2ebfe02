// The member table as the host sees it: name look-up, type information, the persisted item
// order, enumerations and their property-browser texts, and the string resources.
#include "ControlTestSupport.h"

#include "control/core/ClassIdentity.h"
#include "control/core/EnumTables.h"
#include "control/core/MemberTable.h"
#include "control/core/Texts.h"
#include "platform/automation/Guid.h"
#include "platform/text/Cp932.h"

#include <gtest/gtest.h>

#include <set>

namespace vantil {
namespace {

using plat::text::cp932::utf8ToUtf16;

TEST(MemberTable, EveryDispatchMemberAnswersItsNameAndAppearsOnceInTypeInfo) {
    test::Hosted h;
    const auto* info = h.ctrl->typeInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->name, u"_DVantil");
    EXPECT_EQ(info->members.size(), kDispatchMemberCount);
    std::set<DispId> ids;
    for (const auto& m : info->members) {
        EXPECT_TRUE(ids.insert(m.id).second) << "identifier " << m.id;
        EXPECT_EQ(h.ctrl->memberId(m.name), m.id);
    }
    // Fixed identifiers the host relies on, looked up case-insensitively.
    EXPECT_EQ(h.ctrl->memberId(u"listindex"), 27);
    EXPECT_EQ(h.ctrl->memberId(u"Text"), 76);
    EXPECT_EQ(h.ctrl->memberId(u"ItemText"), 100);
    EXPECT_EQ(h.ctrl->memberId(u"AboutBox"), -552);
    EXPECT_EQ(h.ctrl->memberId(u"hWnd"), -515);
    EXPECT_EQ(h.ctrl->memberId(u"AllowResizeRow"), plat::automation::dispid::Unknown);
}

TEST(MemberTable, EntryWithTwoSpellingsAnswersBothNames) {
    test::Hosted h;
    EXPECT_EQ(h.ctrl->memberId(u"GetGetColumnData"), 115);
    EXPECT_EQ(h.ctrl->memberId(u"GetColumnData"), 115);
    const auto* m = h.ctrl->typeInfo()->findMember(115);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(m->name, u"GetColumnData");
    ASSERT_EQ(m->params.size(), 7u);
    EXPECT_TRUE(m->params[1].byRef);
    EXPECT_EQ(m->params[1].name, u"lpCaption");
}

TEST(MemberTable, TypeInfoCarriesArgumentsTypesAndEnumerations) {
    test::Hosted h;
    const auto* info = h.ctrl->typeInfo();
    const auto* addItem = info->findMember(55);
    ASSERT_NE(addItem, nullptr);
    EXPECT_EQ(addItem->kind, plat::automation::MemberKind::Method);
    EXPECT_EQ(addItem->type, VarType::Short);
    ASSERT_EQ(addItem->params.size(), 6u);
    for (const auto& p : addItem->params) {
        EXPECT_TRUE(p.optional);
    }
    const auto* border = info->findMember(12);
    EXPECT_EQ(border->typeName, u"BorderStyleConstants");
    const auto* itemsProp = info->findMember(54);
    EXPECT_EQ(itemsProp->typeName, u"IListItems");
    EXPECT_TRUE(itemsProp->readOnly);

    EXPECT_EQ(info->enums.size(), 27u);
    const auto* align = info->findEnum(u"AlignmentHConstants");
    ASSERT_NE(align, nullptr);
    ASSERT_NE(align->find(2), nullptr);
    EXPECT_EQ(align->find(2)->name, utf8ToUtf16("lxah_中央揃え"));
    const auto* keys = info->findEnum(u"VKeyCodeConstants");
    ASSERT_NE(keys, nullptr);
    EXPECT_EQ(keys->constants.size(), 120u);
    EXPECT_EQ(keys->find(254)->name, u"lxvkc_VK_OEM_CLEAR");
}

TEST(MemberTable, EnumClassConstantsCarryTheLibraryValues) {
    EXPECT_EQ(static_cast<int>(AlignmentHConstants::lxah_右揃え), 1);
    EXPECT_EQ(static_cast<int>(BorderStyleConstants::lxbs_太凸線), 13);
    EXPECT_EQ(static_cast<int>(MousePointerConstants::lxmp_ユーザー定義), 99);
    EXPECT_EQ(static_cast<int>(CaptionDirectionConstants::lxcd_縦書き_縦ﾌｫﾝﾄ用), 2);
    EXPECT_EQ(static_cast<int>(VKeyCodeConstants::lxvkc_VK_F24), 135);
    EXPECT_EQ(static_cast<int>(LostFocusCauseConstants::lxlfc_入力完了), 6);
}

TEST(MemberTable, PersistedItemsFollowTheStoredOrder) {
    const char* expected[] = {
        "_ExtentX",
        "_ExtentY",
        "BackColor",
        "ForeColor",
        "Enabled",
        "Font",
        "Caption",
        "CaptionPosition",
        "CaptionRatio",
        "CaptionSize",
        "CaptionFont",
        "CaptionColor",
        "CaptionFocusColor",
        "CaptionAlignmentH",
        "CaptionAlignmentV",
        "CaptionDisabledColor",
        "CaptionFocusBorder",
        "CaptionPointedColor",
        "BorderStyle",
        "BorderColor",
        "BorderWidth",
        "InnerBorderWidth",
        "OuterBorderWidth",
        "FocusBorder",
        "FocusColor",
        "LightColor",
        "ShadowColor",
        "AlignmentH",
        "Font3D",
        "InputAreaBorder",
        "InputAreaBorderColor",
        "InputAreaColor",
        "DefHeight",
        "MaskText",
        "Sorted",
        "IgnoreCase",
        "IgnoreKanaCase",
        "IgnoreCharSet",
        "DisplayItem",
        "DisabledColor",
        "SelectedColor",
        "MaskMode",
        "IntegralHeight",
        "ItemBorder",
        "MouseIcon",
        "MousePointer",
        "ItemBorderColor",
        "ItemVertBorder",
        "ItemVertBorderColor",
        "DroppedWidth",
        "DroppedRows",
        "ScrollBars",
        "DropDownVKeyCode",
        "DropDownModifierFlags",
        "CloseUpVKeyCode",
        "CloseUpModifierFlags",
        "HideColumnHeaders",
        "AllowResizeColumn",
        "AllowResizeRow",
        "EnableDefaultDropCloseKeys",
        "Locked",
        "KillClickFocus",
        "BoundColumn",
        "TreatEnterAsTab",
        "LostFocusAtHorzArrow",
        "LostFocusAtVertArrow",
        "CaptionAccelerator",
        "CaptionDirection",
        "CaptionMultiLine",
        "CausesFocusMovement",
        "TitleTip",
        "DropDownAtGotFocus",
        "SelTextAtGotFocus",
        "CaptionFont3D",
        "OLEDragMode",
        "OLEDropMode",
        "EditFunction",
        "IMEMode",
        "SortKey",
        "SortMode",
        "OddRowBackColor",
        "OddRowForeColor",
        "Text",
    };
    const auto persisted = persistedMembers();
    ASSERT_EQ(persisted.size(), std::size(expected));
    for (std::size_t i = 0; i < persisted.size(); ++i) {
        EXPECT_EQ(persisted[i].persistedName(kCurrentVersion), expected[i]) << "item " << i;
    }
    // The key items were stored under older names before format 4.2.
    EXPECT_EQ(findMember(66)->persistedName(kVersion41), "DropVKeyCode");
    EXPECT_EQ(findMember(67)->persistedName(kVersion41), "DropModifierFlags");
    EXPECT_EQ(findMember(68)->persistedName(kVersion40), "CloseVKeyCode");
    EXPECT_EQ(findMember(69)->persistedName(kVersion41), "CloseModefierFlags");
    EXPECT_EQ(findMember(69)->persistedName(kVersion42), "CloseUpModifierFlags");
}

TEST(MemberTable, BrowserTextsFollowTheConstantNamesWithTheirExceptions) {
    struct Case {
        EnumId enumeration;
        int value;
        const char* text;
    } cases[] = {
        {EnumId::BorderStyleConstants, 3, "3 - 二重線"},
        {EnumId::AlignmentHConstants, 0, "0 - 左揃え"},
        {EnumId::InputAreaBorderConstants, 2, "2 - 3D"},
        {EnumId::Font3DConstants, 6, "6 - 縁取り"},
        {EnumId::Font3DConstants, 7, ""},
        {EnumId::MousePointerConstants, 3, "3 - I ﾋﾞｰﾑ"},
        {EnumId::MousePointerConstants, 6, "6 - ｻｲｽﾞ(右上-左下)"},
        {EnumId::MousePointerConstants, 99, "99 - ﾕｰｻﾞｰ定義"},
        {EnumId::MousePointerConstants, 16, ""},
        {EnumId::IMEModeConstants, 5, "5 - 全角ｶﾀｶﾅ"},
        {EnumId::CaptionDirectionConstants, 2, "2 - 縦書き(縦ﾌｫﾝﾄ用)"},
        {EnumId::CaptionDirectionConstants, 1, "1 - 縦書き"},
        {EnumId::SortModeConstants, 1, "1 - DoSort"},
        {EnumId::CloseDropKeyConstants, 1, "1 - Altキー"},
        {EnumId::CloseDropKeyConstants, 7, "7 - Alt+Ctrl+Shiftキー"},
        {EnumId::VKeyCodeConstants, 0, "none"},
        {EnumId::VKeyCodeConstants, 113, "VK_F2"},
        {EnumId::VKeyCodeConstants, 223, "VK_OEM_8"},
        {EnumId::VKeyCodeConstants, 246, ""},
        {EnumId::VKeyCodeConstants, 42, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(browserText(c.enumeration, c.value), c.text) << c.value;
    }
    int namedKeys = 0;
    for (int code = 0; code < 256; ++code) {
        namedKeys += browserText(EnumId::VKeyCodeConstants, code).empty() ? 0 : 1;
    }
    EXPECT_EQ(namedKeys, 111);
}

TEST(MemberTable, KeyPropertiesOfferTheKeyNamesAsChoices) {
    const auto keys = browserChoices(findMember(66)->enumeration);
    ASSERT_EQ(keys.size(), 111u);
    EXPECT_EQ(keys.front().value, 0);
    EXPECT_EQ(keys.front().text, "none");
    EXPECT_EQ(keys.back().value, 223);
    EXPECT_EQ(keys.back().text, "VK_OEM_8");
    const auto modifiers = browserChoices(findMember(69)->enumeration);
    ASSERT_EQ(modifiers.size(), 8u);
    EXPECT_EQ(modifiers[6].text, "6 - Ctrl+Shiftキー");
    EXPECT_EQ(browserChoices(findMember(22)->enumeration).size(), 7u); // Font3D: 0..6
    EXPECT_TRUE(browserChoices(EnumId::None).empty());
}

TEST(ClassIdentity, StringResourcesAndIdentifiers) {
    EXPECT_EQ(texts::stringResource(1), "Quodra LX4 VantilBox Control");
    EXPECT_EQ(texts::stringResource(200), "ｺﾝﾎﾞﾎﾞｯｸｽ");
    EXPECT_EQ(texts::stringResource(202), "値が不正です.");
    EXPECT_EQ(texts::stringResource(207), "先頭の列は、左詰でなければなりません .");
    EXPECT_TRUE(texts::stringResource(208).empty());
    const std::string_view ids[] = {identity::kLibraryId,
                                    identity::kControlClassId,
                                    identity::kDispatchInterfaceId,
                                    identity::kEventInterfaceId,
                                    identity::kListItemsInterfaceId,
                                    identity::kListItemsClassId,
                                    identity::kListItemInterfaceId,
                                    identity::kListItemClassId};
    std::set<std::string> distinct;
    for (std::string_view id : ids) {
        const auto guid = plat::automation::Guid::parse(id);
        ASSERT_TRUE(guid.has_value()) << id;
        EXPECT_EQ(guid->toString(), id);
        distinct.insert(guid->toString());
    }
    EXPECT_EQ(distinct.size(), std::size(ids));
}

} // namespace
} // namespace vantil
