// Enumerations of the control's type library. Each enumeration is written once as a list of
// (constant, value, property-browser text) and expanded both into an enum class and into the
// constant table that type information and the property browser read (EnumTables.h).
// An empty browser text means "<value> - <name without its prefix>".
#pragma once

#include <cstdint>

// One constant a line; the lists are data, so the formatter leaves them alone.
// clang-format off

#define VANTIL_ENUM_VantilFindItemWhereConstants(X) \
    X(lx_xText, 0, "") \
    X(lx_xSubItems, 1, "") \
    X(lx_xTag, 2, "")

#define VANTIL_ENUM_VantilFindItemPartialConstants(X) \
    X(lx_xWholeWord, 0, "") \
    X(lx_xPartial, 1, "")

#define VANTIL_ENUM_AlignmentHConstants(X) \
    X(lxah_左揃え, 0, "") \
    X(lxah_右揃え, 1, "") \
    X(lxah_中央揃え, 2, "")

#define VANTIL_ENUM_BorderStyleConstants(X) \
    X(lxbs_なし, 0, "") \
    X(lxbs_細線, 1, "") \
    X(lxbs_太線, 2, "") \
    X(lxbs_二重線, 3, "") \
    X(lxbs_浅凹, 4, "") \
    X(lxbs_深凹, 5, "") \
    X(lxbs_二重凹, 6, "") \
    X(lxbs_低凸, 7, "") \
    X(lxbs_高凸, 8, "") \
    X(lxbs_二重凸, 9, "") \
    X(lxbs_細凹線, 10, "") \
    X(lxbs_太凹線, 11, "") \
    X(lxbs_細凸線, 12, "") \
    X(lxbs_太凸線, 13, "")

#define VANTIL_ENUM_CaptionAlignmentHConstants(X) \
    X(lxcah_左揃え, 0, "") \
    X(lxcah_右揃え, 1, "") \
    X(lxcah_中央揃え, 2, "") \
    X(lxcah_均等割付, 3, "")

#define VANTIL_ENUM_CaptionAlignmentVConstants(X) \
    X(lxcav_上揃え, 0, "") \
    X(lxcav_中央揃え, 1, "") \
    X(lxcav_下揃え, 2, "") \
    X(lxcav_均等割付, 3, "")

#define VANTIL_ENUM_CaptionDirectionConstants(X) \
    X(lxcd_横書き, 0, "") \
    X(lxcd_縦書き, 1, "") \
    X(lxcd_縦書き_縦ﾌｫﾝﾄ用, 2, "2 - 縦書き(縦ﾌｫﾝﾄ用)")

#define VANTIL_ENUM_CaptionFocusBorderConstants(X) \
    X(lxcfb_なし, 0, "") \
    X(lxcfb_標準, 1, "") \
    X(lxcfb_細線, 2, "") \
    X(lxcfb_太線, 3, "") \
    X(lxcfb_細破線, 4, "") \
    X(lxcfb_太破線, 5, "") \
    X(lxcfb_浅凹, 6, "") \
    X(lxcfb_深凹, 7, "")

#define VANTIL_ENUM_CaptionPositionConstants(X) \
    X(lxcp_左, 0, "") \
    X(lxcp_右, 1, "") \
    X(lxcp_上, 2, "") \
    X(lxcp_下, 3, "")

#define VANTIL_ENUM_CloseDropKeyConstants(X) \
    X(lxcdk_無視, 0, "0 - 無視") \
    X(lxcdk_ALT, 1, "1 - Altキー") \
    X(lxcdk_CTRL, 2, "2 - Ctrlキー") \
    X(lxcdk_SHIFT, 3, "3 - Shiftキー") \
    X(lxcdk_ALT_C, 4, "4 - Alt+Ctrlキー") \
    X(lxcdk_ALT_S, 5, "5 - Alt+Shiftキー") \
    X(lxcdk_CTRL_S, 6, "6 - Ctrl+Shiftキー") \
    X(lxcdk_ALT_C_S, 7, "7 - Alt+Ctrl+Shiftキー")

#define VANTIL_ENUM_DisplayItemConstants(X) \
    X(lxdil_テキスト, 0, "") \
    X(lxdil_ピクチャ, 1, "") \
    X(lxdil_両方, 2, "")

#define VANTIL_ENUM_FocusBorderConstants(X) \
    X(lxfb_なし, 0, "") \
    X(lxfb_標準, 1, "") \
    X(lxfb_細線, 2, "") \
    X(lxfb_太線, 3, "") \
    X(lxfb_細破線, 4, "") \
    X(lxfb_太破線, 5, "")

#define VANTIL_ENUM_Font3DConstants(X) \
    X(lxf3d_なし, 0, "") \
    X(lxf3d_凸型, 1, "") \
    X(lxf3d_凸型影付き, 2, "") \
    X(lxf3d_凹型, 3, "") \
    X(lxf3d_凹型影付き, 4, "") \
    X(lxf3d_影付き, 5, "") \
    X(lxf3d_縁取り, 6, "")

#define VANTIL_ENUM_IMEModeConstants(X) \
    X(lxim_なし, 0, "0 - なし") \
    X(lxim_オン, 1, "1 - ｵﾝ") \
    X(lxim_オフ, 2, "2 - ｵﾌ") \
    X(lxim_オフ固定, 3, "3 - ｵﾌ固定") \
    X(lxim_全角ひらがな, 4, "4 - 全角ひらがな") \
    X(lxim_全角カタカナ, 5, "5 - 全角ｶﾀｶﾅ") \
    X(lxim_半角カタカナ, 6, "6 - 半角ｶﾀｶﾅ") \
    X(lxim_全角英数, 7, "7 - 全角英数") \
    X(lxim_半角英数, 8, "8 - 半角英数")

#define VANTIL_ENUM_InputAreaBorderConstants(X) \
    X(lxipab_なし, 0, "") \
    X(lxipab_2D, 1, "") \
    X(lxipab_3D, 2, "")

#define VANTIL_ENUM_ItemBorderConstants(X) \
    X(lxib_なし, 0, "") \
    X(lxib_細線, 1, "") \
    X(lxib_太線, 2, "") \
    X(lxib_二重線, 3, "") \
    X(lxib_浅凹, 4, "") \
    X(lxib_深凹, 5, "") \
    X(lxib_二重凹, 6, "") \
    X(lxib_低凸, 7, "") \
    X(lxib_高凸, 8, "") \
    X(lxib_二重凸, 9, "") \
    X(lxib_細凹線, 10, "") \
    X(lxib_太凹線, 11, "") \
    X(lxib_細凸線, 12, "") \
    X(lxib_太凸線, 13, "")

#define VANTIL_ENUM_ItemVertBorderConstants(X) \
    X(lxivb_なし, 0, "") \
    X(lxivb_細線, 1, "") \
    X(lxivb_太線, 2, "") \
    X(lxivb_二重線, 3, "") \
    X(lxivb_指定なし, 4, "")

#define VANTIL_ENUM_LostFocusAtArrowConstants(X) \
    X(lxlf_オフ, 0, "") \
    X(lxlf_オン, 1, "") \
    X(lxlf_両端, 2, "")

#define VANTIL_ENUM_LostFocusCauseConstants(X) \
    X(lxlfc_通常, 0, "") \
    X(lxlfc_左矢印, 1, "") \
    X(lxlfc_右矢印, 2, "") \
    X(lxlfc_上矢印, 3, "") \
    X(lxlfc_下矢印, 4, "") \
    X(lxlfc_リターン, 5, "") \
    X(lxlfc_入力完了, 6, "")

#define VANTIL_ENUM_MaskModeConstants(X) \
    X(lxmm_なし, 0, "") \
    X(lxmm_ジャンプ, 1, "") \
    X(lxmm_イネーブル, 2, "") \
    X(lxmm_ディセーブル, 3, "")

#define VANTIL_ENUM_MousePointerConstants(X) \
    X(lxmp_既定値, 0, "0 - 既定値") \
    X(lxmp_矢印, 1, "1 - 矢印") \
    X(lxmp_クロス, 2, "2 - ｸﾛｽ") \
    X(lxmp_Iビーム, 3, "3 - I ﾋﾞｰﾑ") \
    X(lxmp_アイコン, 4, "4 - ｱｲｺﾝ") \
    X(lxmp_サイズ_上下左右, 5, "5 - ｻｲｽﾞ(上下左右)") \
    X(lxmp_サイズ_右上_左下, 6, "6 - ｻｲｽﾞ(右上-左下)") \
    X(lxmp_サイズ_上下, 7, "7 - ｻｲｽﾞ(上下)") \
    X(lxmp_サイズ_左上_右下, 8, "8 - ｻｲｽﾞ(左上-右下)") \
    X(lxmp_サイズ_左右, 9, "9 - ｻｲｽﾞ(左右)") \
    X(lxmp_上矢印, 10, "10 - 上矢印") \
    X(lxmp_砂時計, 11, "11 - 砂時計") \
    X(lxmp_禁止, 12, "12 - 禁止") \
    X(lxmp_矢印と砂時計, 13, "13 - 矢印と砂時計") \
    X(lxmp_矢印と疑問符, 14, "14 - 矢印と疑問符") \
    X(lxmp_サイズ_全方向, 15, "15 - ｻｲｽﾞ(全方向)") \
    X(lxmp_ユーザー定義, 99, "99 - ﾕｰｻﾞｰ定義")

#define VANTIL_ENUM_ScrollBarsConstants(X) \
    X(lxsb_なし, 0, "") \
    X(lxsb_水平, 1, "") \
    X(lxsb_垂直, 2, "") \
    X(lxsb_両方, 3, "")

#define VANTIL_ENUM_SortedConstants(X) \
    X(lxs_なし, 0, "") \
    X(lxs_テキスト昇順, 1, "") \
    X(lxs_テキスト降順, 2, "") \
    X(lxs_データ昇順, 3, "") \
    X(lxs_データ降順, 4, "")

#define VANTIL_ENUM_OLEDragModeConstants(X) \
    X(lxodrag_手動, 0, "") \
    X(lxodrag_自動, 1, "")

#define VANTIL_ENUM_OLEDropModeConstants(X) \
    X(lxodrop_なし, 0, "") \
    X(lxodrop_手動, 1, "") \
    X(lxodrop_自動, 2, "")

#define VANTIL_ENUM_SortModeConstants(X) \
    X(lxsmd_なし, 0, "") \
    X(lxsmd_DoSort, 1, "1 - DoSort")

// Virtual-key codes; the browser shows the bare name ("VK_BACK") for the codes up to 223.
#define VANTIL_ENUM_VKeyCodeConstants(X) \
    X(lxvkc_none, 0, "") \
    X(lxvkc_VK_BACK, 8, "") \
    X(lxvkc_VK_TAB, 9, "") \
    X(lxvkc_VK_CLEAR, 12, "") \
    X(lxvkc_VK_RETURN, 13, "") \
    X(lxvkc_VK_PAUSE, 19, "") \
    X(lxvkc_VK_ESCAPE, 27, "") \
    X(lxvkc_VK_SPACE, 32, "") \
    X(lxvkc_VK_PRIOR, 33, "") \
    X(lxvkc_VK_NEXT, 34, "") \
    X(lxvkc_VK_END, 35, "") \
    X(lxvkc_VK_HOME, 36, "") \
    X(lxvkc_VK_LEFT, 37, "") \
    X(lxvkc_VK_UP, 38, "") \
    X(lxvkc_VK_RIGHT, 39, "") \
    X(lxvkc_VK_DOWN, 40, "") \
    X(lxvkc_VK_SELECT, 41, "") \
    X(lxvkc_VK_EXECUTE, 43, "") \
    X(lxvkc_VK_SNAPSHOT, 44, "") \
    X(lxvkc_VK_INSERT, 45, "") \
    X(lxvkc_VK_DELETE, 46, "") \
    X(lxvkc_VK_HELP, 47, "") \
    X(lxvkc_VK_0, 48, "") \
    X(lxvkc_VK_1, 49, "") \
    X(lxvkc_VK_2, 50, "") \
    X(lxvkc_VK_3, 51, "") \
    X(lxvkc_VK_4, 52, "") \
    X(lxvkc_VK_5, 53, "") \
    X(lxvkc_VK_6, 54, "") \
    X(lxvkc_VK_7, 55, "") \
    X(lxvkc_VK_8, 56, "") \
    X(lxvkc_VK_9, 57, "") \
    X(lxvkc_VK_A, 65, "") \
    X(lxvkc_VK_B, 66, "") \
    X(lxvkc_VK_C, 67, "") \
    X(lxvkc_VK_D, 68, "") \
    X(lxvkc_VK_E, 69, "") \
    X(lxvkc_VK_F, 70, "") \
    X(lxvkc_VK_G, 71, "") \
    X(lxvkc_VK_H, 72, "") \
    X(lxvkc_VK_I, 73, "") \
    X(lxvkc_VK_J, 74, "") \
    X(lxvkc_VK_K, 75, "") \
    X(lxvkc_VK_L, 76, "") \
    X(lxvkc_VK_M, 77, "") \
    X(lxvkc_VK_N, 78, "") \
    X(lxvkc_VK_O, 79, "") \
    X(lxvkc_VK_P, 80, "") \
    X(lxvkc_VK_Q, 81, "") \
    X(lxvkc_VK_R, 82, "") \
    X(lxvkc_VK_S, 83, "") \
    X(lxvkc_VK_T, 84, "") \
    X(lxvkc_VK_U, 85, "") \
    X(lxvkc_VK_V, 86, "") \
    X(lxvkc_VK_W, 87, "") \
    X(lxvkc_VK_X, 88, "") \
    X(lxvkc_VK_Y, 89, "") \
    X(lxvkc_VK_Z, 90, "") \
    X(lxvkc_VK_NUMPAD0, 96, "") \
    X(lxvkc_VK_NUMPAD1, 97, "") \
    X(lxvkc_VK_NUMPAD2, 98, "") \
    X(lxvkc_VK_NUMPAD3, 99, "") \
    X(lxvkc_VK_NUMPAD4, 100, "") \
    X(lxvkc_VK_NUMPAD5, 101, "") \
    X(lxvkc_VK_NUMPAD6, 102, "") \
    X(lxvkc_VK_NUMPAD7, 103, "") \
    X(lxvkc_VK_NUMPAD8, 104, "") \
    X(lxvkc_VK_NUMPAD9, 105, "") \
    X(lxvkc_VK_MULTIPLY, 106, "") \
    X(lxvkc_VK_ADD, 107, "") \
    X(lxvkc_VK_SEPARATOR, 108, "") \
    X(lxvkc_VK_SUBTRACT, 109, "") \
    X(lxvkc_VK_DECIMAL, 110, "") \
    X(lxvkc_VK_DIVIDE, 111, "") \
    X(lxvkc_VK_F1, 112, "") \
    X(lxvkc_VK_F2, 113, "") \
    X(lxvkc_VK_F3, 114, "") \
    X(lxvkc_VK_F4, 115, "") \
    X(lxvkc_VK_F5, 116, "") \
    X(lxvkc_VK_F6, 117, "") \
    X(lxvkc_VK_F7, 118, "") \
    X(lxvkc_VK_F8, 119, "") \
    X(lxvkc_VK_F9, 120, "") \
    X(lxvkc_VK_F10, 121, "") \
    X(lxvkc_VK_F11, 122, "") \
    X(lxvkc_VK_F12, 123, "") \
    X(lxvkc_VK_F13, 124, "") \
    X(lxvkc_VK_F14, 125, "") \
    X(lxvkc_VK_F15, 126, "") \
    X(lxvkc_VK_F16, 127, "") \
    X(lxvkc_VK_F17, 128, "") \
    X(lxvkc_VK_F18, 129, "") \
    X(lxvkc_VK_F19, 130, "") \
    X(lxvkc_VK_F20, 131, "") \
    X(lxvkc_VK_F21, 132, "") \
    X(lxvkc_VK_F22, 133, "") \
    X(lxvkc_VK_F23, 134, "") \
    X(lxvkc_VK_F24, 135, "") \
    X(lxvkc_VK_OEM_EQU, 146, "") \
    X(lxvkc_VK_OEM_1, 186, "") \
    X(lxvkc_VK_OEM_PLUS, 187, "") \
    X(lxvkc_VK_OEM_COMMA, 188, "") \
    X(lxvkc_VK_OEM_MINUS, 189, "") \
    X(lxvkc_VK_OEM_PERIOD, 190, "") \
    X(lxvkc_VK_OEM_2, 191, "") \
    X(lxvkc_VK_OEM_3, 192, "") \
    X(lxvkc_VK_OEM_4, 219, "") \
    X(lxvkc_VK_OEM_5, 220, "") \
    X(lxvkc_VK_OEM_6, 221, "") \
    X(lxvkc_VK_OEM_7, 222, "") \
    X(lxvkc_VK_OEM_8, 223, "") \
    X(lxvkc_VK_ATTN, 246, "") \
    X(lxvkc_VK_CRSEL, 247, "") \
    X(lxvkc_VK_EXSEL, 248, "") \
    X(lxvkc_VK_EREOF, 249, "") \
    X(lxvkc_VK_PLAY, 250, "") \
    X(lxvkc_VK_ZOOM, 251, "") \
    X(lxvkc_VK_NONAME, 252, "") \
    X(lxvkc_VK_PA1, 253, "") \
    X(lxvkc_VK_OEM_CLEAR, 254, "")

// Every enumeration of the library, in type-library order: X(EnumerationName).
#define VANTIL_ENUMERATIONS(X)                                                                 \
    X(VantilFindItemWhereConstants)                                                            \
    X(VantilFindItemPartialConstants)                                                          \
    X(AlignmentHConstants)                                                                     \
    X(BorderStyleConstants)                                                                    \
    X(CaptionAlignmentHConstants)                                                              \
    X(CaptionAlignmentVConstants)                                                              \
    X(CaptionDirectionConstants)                                                               \
    X(CaptionFocusBorderConstants)                                                             \
    X(CaptionPositionConstants)                                                                \
    X(CloseDropKeyConstants)                                                                   \
    X(DisplayItemConstants)                                                                    \
    X(FocusBorderConstants)                                                                    \
    X(Font3DConstants)                                                                         \
    X(IMEModeConstants)                                                                        \
    X(InputAreaBorderConstants)                                                                \
    X(ItemBorderConstants)                                                                     \
    X(ItemVertBorderConstants)                                                                 \
    X(LostFocusAtArrowConstants)                                                               \
    X(LostFocusCauseConstants)                                                                 \
    X(MaskModeConstants)                                                                       \
    X(MousePointerConstants)                                                                   \
    X(ScrollBarsConstants)                                                                     \
    X(SortedConstants)                                                                         \
    X(OLEDragModeConstants)                                                                    \
    X(OLEDropModeConstants)                                                                    \
    X(SortModeConstants)                                                                       \
    X(VKeyCodeConstants)

// clang-format on

// The meta-object compiler cannot read the Japanese constant names; the window-system layer's
// headers reach this one only for the property types, which it need not see.
#ifndef Q_MOC_RUN
namespace vantil {

#define VANTIL_ENUM_CONSTANT(name, value, text) name = value,
#define VANTIL_DECLARE_ENUM(E)                                                                     \
    enum class E : std::int16_t { VANTIL_ENUM_##E(VANTIL_ENUM_CONSTANT) };
VANTIL_ENUMERATIONS(VANTIL_DECLARE_ENUM)
#undef VANTIL_DECLARE_ENUM
#undef VANTIL_ENUM_CONSTANT

} // namespace vantil
#endif
