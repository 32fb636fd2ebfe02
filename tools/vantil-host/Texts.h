// Messages of the console host, defined once.
#pragma once

namespace vantil_host::texts {

inline constexpr char kSyntaxError[] = "構文エラーです。";
inline constexpr char kCannotWriteFile[] = "ファイルに書き込めません。";
inline constexpr char kNotAControl[] = "このオブジェクトは保存と読み込みができません。";
inline constexpr char kNoWindow[] =
    "コントロールのウィンドウがありません (--window で起動してください)。";
inline constexpr char kUnknownKey[] = "キーの名前が正しくありません。";
inline constexpr char kNoFocus[] = "フォーカスを移せません。";
inline constexpr char kUsage[] =
    "使い方: vantil-host [--design] [--window] [--progid PROGID | --clsid {CLSID}] "
    "[--registry FILE] [SCRIPT]\n"
    "コマンド (1 行に 1 つ):\n"
    "  get NAME [引数, ...]\n"
    "  set NAME [引数, ...] = 値\n"
    "  call NAME [引数, ...]\n"
    "  save FILE / load FILE      プロパティ バッグの保存と読み込み\n"
    "  on EVENT 引数名 = 値 / off EVENT   イベントの参照渡し引数に値を返す\n"
    "  mode design / mode run\n"
    "--window のとき (コントロールのウィンドウを作り、フォーカスを与える):\n"
    "  key NAME [shift] [ctrl] [alt]   キー (Return, Escape, Backspace, Delete, Insert, Left,\n"
    "                                  Right, Up, Down, Home, End, PgUp, PgDown, F4, A … Z)\n"
    "  type \"文字列\"                 1 文字ずつ入力\n"
    "  focus / blur                    フォーカスを与える / 外す\n"
    "  clip / clip = \"文字列\"         クリップボードの文字列を表示 / 設定\n"
    "  click X Y                       コントロール内の位置 (ピクセル) をクリック\n"
    "                                  (開いたリストの上ならリストをクリック)\n"
    "  dropped                         ドロップダウン リストが開いているか (True / False)\n"
    "  wait EVENT [最初の引数]         EVENT が起きるまでイベント ループを回す (実際の入力を受ける)\n"
    "  where                           コントロールの画面上の位置と大きさ (x y 幅 高さ)\n"
    "  menu X Y [KEY]                  右ボタンでメニューを開き、項目を表示してアクセス "
    "キーで選ぶ\n"
    "値: 123, 1.5, \"文字列\", True, False, Empty, Null, Nothing, &HFF, #2004/04/01#,\n"
    "    LoadPicture(\"FILE\"); 省略する引数はカンマの間を空ける";

} // namespace vantil_host::texts
