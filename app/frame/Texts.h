// User-visible texts of the application frame (main menu, frame window, common routines),
// each defined once.
#pragma once

namespace tamsel::texts {

inline constexpr char kAppTitle[] = "Tamsel";
inline constexpr char kMainMenuCaption[] = "メインメニュー";
inline constexpr char kMainMenuBanner[] = "　----Tamsel----　";

inline constexpr char kMenuSyainEntry[] = "従業員登録";
inline constexpr char kMenuGenbaEntry[] = "現場登録";
inline constexpr char kMenuRoumuEntry[] = "労務台帳入力";
inline constexpr char kMenuRefRoumu[] = "現場別労務費一覧表発行";
inline constexpr char kMenuPrtSyainRoumu[] = "従業員別労務費明細表";
inline constexpr char kMenuEnd[] = "終　　　了";
// Caption of the main menu's compaction button and title of the compaction messages.
inline constexpr char kCompact[] = "DB最適化";
inline constexpr char kMenuPrtRuikei[] = "労務費年間累計表";
// The overtime check, opened from the frame window's menu bar.
inline constexpr char kMenuOvertimeCheck[] = "時間外労働チェック";
// Month closing, opened from the frame window's menu bar beside the overtime check.
inline constexpr char kMenuMonthClosing[] = "月締め処理";

// Captions shared by several screens.
inline constexpr char kCloseButton[] = "閉じる";
inline constexpr char kSiteNameHeading[] = "現　　場　　名";
inline constexpr char kEmployeeNameLabel[] = "従業員名";
inline constexpr char kMonthLabel[] = "年月";
inline constexpr char kPrevMonth[] = "前月";
inline constexpr char kNextMonth[] = "次月";
inline constexpr char kWageLabel[] = "時間給";
// Headings of the slip grids of the ledger and the inquiry.
inline constexpr char kGridSiteHeading[] = "現　　　　　　場　　　　　　名";
inline constexpr char kGridTotalHeading[] = "合　計";

inline constexpr char kHelpMenu[] = "ﾍﾙﾌﾟ(&H)";
inline constexpr char kVersionCommand[] = "ﾊﾞｰｼﾞｮﾝ情報(&A)";

// Titles of the message boxes that name the failing step.
inline constexpr char kTitleLoad[] = "ロード時";
inline constexpr char kTitleSyainInfo[] = "社員名取得";
inline constexpr char kTitleGenbaName[] = "現場名取得";
inline constexpr char kTitleBackupAbort[] = "処理の中止";
inline constexpr char kTitleBackup[] = "バックアップ";
// Title of the message that reports a failure no step of the screen expected.
inline constexpr char kTitleUnexpected[] = "エラー";
inline constexpr char kUnexpectedFailure[] = "予期しないエラーが発生しました。";

// A control a form places is missing from the program's form data.
inline constexpr char kNotInFormData[] = "フォームデータにコントロールがありません。";

// Appended to the work file's path when a work file blocks a compaction (CompactDb) or a
// backup (BackupDb); the two routines write the word differently.
inline constexpr char kWorkFileExistsCompact[] = "(ワークファイル)があるので処理できません。";
inline constexpr char kWorkFileExistsBackup[] = "(ﾜｰｸﾌｧｲﾙ)があるので処理できません。";

// Descriptions of file-system failures (%1: the path).
inline constexpr char kCannotRename[] = "ファイル名を変更できません。(%1)";
inline constexpr char kCannotCopy[] = "ファイルをコピーできません。(%1)";
inline constexpr char kPathNotFound[] = "パスが見つかりません。(%1)";
inline constexpr char kCannotCreateFolder[] = "フォルダを作成できません。(%1)";
inline constexpr char kDataKeptInWorkFile[] =
    "最適化したデータはワークファイル %1 に残っています。このファイルの名前を %2 "
    "に戻してください。";
inline constexpr char kDriveLetterPath[] =
    "バックアップパス %1 はドライブ名かネットワークの共有名を含むので使えません。"
    "ドライブ名のないフォルダを指定してください。";
inline constexpr char kDatabaseUnchanged[] = "データベースは変更されていません。";

inline constexpr char kCompacting[] = "データベースを最適化しています...";
inline constexpr char kCopyingBackup[] = "バックアップをコピーしています...";
// A database on a server: optimised by the server, backed up and restored with its own tools.
inline constexpr char kVacuuming[] = "サーバーのデータベースを最適化しています...";
inline constexpr char kDumping[] = "サーバーのデータベースをバックアップしています...";
inline constexpr char kDumpFailed[] = "サーバーのデータベースをバックアップできません。(%1)";
inline constexpr char kRestoreFailed[] = "バックアップを復元できません。(%1)";

} // namespace tamsel::texts
