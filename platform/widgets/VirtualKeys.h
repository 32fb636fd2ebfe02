// Qt keys as the classic virtual-key codes that key notifications carry (Backspace 8, Return
// 13, Delete 46, '0' 48, 'A' 65, F1 112 ...): the one table of every window that reports keys
// by those numbers, the slip grid's and the combo control's alike. Qt names a key by the
// character it types, so a punctuation key is found by either of the characters it types on
// the standard layout, and the numeric keypad by the keypad modifier.
#pragma once

#include <Qt>

#include <utility>

namespace plat::widgets {

namespace keytable {

// Keys of the main block and the function keys that do not follow from a range.
// clang-format off
inline constexpr std::pair<int, int> kKeys[] = {
    {Qt::Key_Cancel, 0x03},        {Qt::Key_Backspace, 0x08},   {Qt::Key_Tab, 0x09},
    {Qt::Key_Backtab, 0x09},       {Qt::Key_Clear, 0x0C},       {Qt::Key_Return, 0x0D},
    {Qt::Key_Enter, 0x0D},         {Qt::Key_Shift, 0x10},       {Qt::Key_Control, 0x11},
    {Qt::Key_Alt, 0x12},           {Qt::Key_AltGr, 0x12},       {Qt::Key_Pause, 0x13},
    {Qt::Key_CapsLock, 0x14},      {Qt::Key_Kana_Lock, 0x15},   {Qt::Key_Kana_Shift, 0x15},
    {Qt::Key_Kanji, 0x19},         {Qt::Key_Escape, 0x1B},      {Qt::Key_Henkan, 0x1C},
    {Qt::Key_Muhenkan, 0x1D},      {Qt::Key_Mode_switch, 0x1F}, {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},        {Qt::Key_PageDown, 0x22},    {Qt::Key_End, 0x23},
    {Qt::Key_Home, 0x24},          {Qt::Key_Left, 0x25},        {Qt::Key_Up, 0x26},
    {Qt::Key_Right, 0x27},         {Qt::Key_Down, 0x28},        {Qt::Key_Select, 0x29},
    {Qt::Key_Printer, 0x2A},       {Qt::Key_Execute, 0x2B},     {Qt::Key_Print, 0x2C},
    {Qt::Key_SysReq, 0x2C},        {Qt::Key_Insert, 0x2D},      {Qt::Key_Delete, 0x2E},
    {Qt::Key_Help, 0x2F},          {Qt::Key_Super_L, 0x5B},     {Qt::Key_Meta, 0x5B},
    {Qt::Key_Super_R, 0x5C},       {Qt::Key_Menu, 0x5D},        {Qt::Key_Sleep, 0x5F},
    {Qt::Key_NumLock, 0x90},       {Qt::Key_ScrollLock, 0x91},  {Qt::Key_Back, 0xA6},
    {Qt::Key_Forward, 0xA7},       {Qt::Key_Refresh, 0xA8},     {Qt::Key_Stop, 0xA9},
    {Qt::Key_Search, 0xAA},        {Qt::Key_Favorites, 0xAB},   {Qt::Key_HomePage, 0xAC},
    {Qt::Key_VolumeMute, 0xAD},    {Qt::Key_VolumeDown, 0xAE},  {Qt::Key_VolumeUp, 0xAF},
    {Qt::Key_MediaNext, 0xB0},     {Qt::Key_MediaPrevious, 0xB1}, {Qt::Key_MediaStop, 0xB2},
    {Qt::Key_MediaTogglePlayPause, 0xB3}, {Qt::Key_MediaPlay, 0xB3}, {Qt::Key_LaunchMail, 0xB4},
    {Qt::Key_LaunchMedia, 0xB5},   {Qt::Key_Launch0, 0xB6},     {Qt::Key_Launch1, 0xB7},
    // Punctuation: both characters of each key (the shifted digits are their digit keys).
    {Qt::Key_Semicolon, 0xBA},     {Qt::Key_Colon, 0xBA},       {Qt::Key_Equal, 0xBB},
    {Qt::Key_Plus, 0xBB},          {Qt::Key_Comma, 0xBC},       {Qt::Key_Less, 0xBC},
    {Qt::Key_Minus, 0xBD},         {Qt::Key_Underscore, 0xBD},  {Qt::Key_Period, 0xBE},
    {Qt::Key_Greater, 0xBE},       {Qt::Key_Slash, 0xBF},       {Qt::Key_Question, 0xBF},
    {Qt::Key_QuoteLeft, 0xC0},     {Qt::Key_AsciiTilde, 0xC0},  {Qt::Key_BracketLeft, 0xDB},
    {Qt::Key_BraceLeft, 0xDB},     {Qt::Key_Backslash, 0xDC},   {Qt::Key_Bar, 0xDC},
    {Qt::Key_yen, 0xDC},           {Qt::Key_BracketRight, 0xDD}, {Qt::Key_BraceRight, 0xDD},
    {Qt::Key_Apostrophe, 0xDE},    {Qt::Key_QuoteDbl, 0xDE},    {Qt::Key_ParenRight, 0x30},
    {Qt::Key_Exclam, 0x31},        {Qt::Key_At, 0x32},          {Qt::Key_NumberSign, 0x33},
    {Qt::Key_Dollar, 0x34},        {Qt::Key_Percent, 0x35},     {Qt::Key_AsciiCircum, 0x36},
    {Qt::Key_Ampersand, 0x37},     {Qt::Key_Asterisk, 0x38},    {Qt::Key_ParenLeft, 0x39},
    {Qt::Key_Play, 0xFA},          {Qt::Key_Zoom, 0xFB},
};
// clang-format on

// The numeric keypad's own codes; 0 for Enter and the navigation keys, which are the main
// block's.
constexpr int keypadKey(int key) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return 0x60 + (key - Qt::Key_0); // VK_NUMPAD0 ..
    }
    switch (key) {
    case Qt::Key_Asterisk:
        return 0x6A; // VK_MULTIPLY
    case Qt::Key_Plus:
        return 0x6B; // VK_ADD
    case Qt::Key_Minus:
        return 0x6D; // VK_SUBTRACT
    case Qt::Key_Period:
    case Qt::Key_Comma:
        return 0x6E; // VK_DECIMAL
    case Qt::Key_Slash:
        return 0x6F; // VK_DIVIDE
    default:
        return 0;
    }
}

} // namespace keytable

// The virtual-key code of a Qt key; 0 for keys without one. `mods` tells the numeric keypad's
// keys (Qt::KeypadModifier) from the main block's.
inline int virtualKey(int key, Qt::KeyboardModifiers mods = {}) {
    if (mods.testFlag(Qt::KeypadModifier)) {
        if (const int pad = keytable::keypadKey(key)) {
            return pad;
        }
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return key; // the same codes as the characters
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return 0x70 + (key - Qt::Key_F1);
    }
    for (const auto& [qt, code] : keytable::kKeys) {
        if (qt == key) {
            return code;
        }
    }
    return 0;
}

// The keys that switch the Japanese input method's modes (kana, kanji, conversion).
constexpr bool isInputMethodKey(int key) {
    switch (key) {
    case Qt::Key_Kana_Lock:
    case Qt::Key_Kana_Shift:
    case Qt::Key_Kanji:
    case Qt::Key_Henkan:
    case Qt::Key_Muhenkan:
    case Qt::Key_Mode_switch:
        return true;
    default:
        return false;
    }
}

} // namespace plat::widgets
