// User-visible texts of the maintenance screens (compaction and backup, version dialog), each
// defined once.
#pragma once

namespace tamsel::maintenance::texts {

inline constexpr char kBKFormCaption[] = "DB最適化・バックアップ処理";
inline constexpr char kBKPathLabel[] = "バックアップパス";
inline constexpr char kCompactOnly[] = "F2：最適化のみ";
inline constexpr char kCompactAndBackup[] = "F3：最適化・ﾊﾞｯｸｱｯﾌﾟ";
inline constexpr char kClose[] = "F12：閉じる";
inline constexpr char kInfo1[] = "　データベースを最適化してバックアップを取ります。";
inline constexpr char kInfo2[] =
    "　最適化・バックアップが成功するとこのフォームは自動的に閉じます。";

// Which database the screen works on.
inline constexpr char kTargetFile[] = "　対象：データベースファイル　%1";
inline constexpr char kTargetServer[] =
    "　対象：サーバーのデータベース　%1（最適化はサーバーが行い、"
    "バックアップは日付付きのダンプファイルになります）";

// Appended to the configuration file's path when it cannot be read.
inline constexpr char kCannotOpen[] = "がオープンできません";
inline constexpr char kNoBackupPath[] = "バックアップパスの指定がありません。";
inline constexpr char kNoBackupPathTitle[] = "バックアップパス無";
inline constexpr char kAskCompact[] = "データベースを最適化しますか？";
inline constexpr char kAskCompactTitle[] = "DB最適化の確認";
inline constexpr char kAskBackup[] = "バックアップを取りますか？";
inline constexpr char kAskBackupTitle[] = "バックアップの確認";

// Appended to the application title in the version dialog's caption.
inline constexpr char kVersionCaptionSuffix[] = "のﾊﾞｰｼﾞｮﾝ情報";
inline constexpr char kVersionPrefix[] = "ﾊﾞｰｼﾞｮﾝ ";
inline constexpr char kOK[] = "OK";
inline constexpr char kSysInfo[] = "ｼｽﾃﾑ情報(&S)...";
inline constexpr char kSysInfoUnavailable[] = "現時点ではｼｽﾃﾑ情報を使用できません";

} // namespace tamsel::maintenance::texts
