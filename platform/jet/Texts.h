// The database layer's user-visible texts: the descriptions of its error numbers.
#pragma once

#include <string_view>

namespace plat::jet::texts {

inline constexpr std::string_view kNoCurrentRecord = "カレント レコードがありません。";
inline constexpr std::string_view kDuplicateKey =
    "インデックス、主キー、またはリレーションシップで値が重複しているので、変更は反映されませんでし"
    "た。";
inline constexpr std::string_view kUpdateWithoutEdit =
    "編集または追加の操作を開始せずに更新しようとしました。";
inline constexpr std::string_view kFileNotFound = "ファイルが見つかりません。";
inline constexpr std::string_view kReadOnly =
    "データベースまたはオブジェクトが読み取り専用なので、更新できません。";
inline constexpr std::string_view kRecordDeleted = "レコードは削除されています。";
inline constexpr std::string_view kNoTransaction =
    "トランザクションを開始せずに、コミットまたはロールバックしようとしました。";
inline constexpr std::string_view kDiskError = "ディスクまたはネットワークのエラーです。";
inline constexpr std::string_view kCannotOpen =
    "ファイルを開けません。ほかのユーザーが排他的に使用しているか、アクセス許可がありません。";
inline constexpr std::string_view kSyntaxError = "SQL ステートメントの構文エラーです。";
inline constexpr std::string_view kUnknownColumn = "指定された列名が見つかりません。";
inline constexpr std::string_view kTableNotFound = "入力テーブルまたはクエリが見つかりません。";
inline constexpr std::string_view kObjectExists = "同じ名前のオブジェクトが既に存在します。";
inline constexpr std::string_view kDatabaseExists = "データベースは既に存在します。";
inline constexpr std::string_view kLocked = "ほかのユーザーが使用中のため、データベースがロックされ"
                                            "ています。しばらくしてからやり直してください。";
inline constexpr std::string_view kInUse =
    "ほかのユーザーがデータベースを使用中です。ほかのユーザーが閉じてからやり直してください。";
inline constexpr std::string_view kItemNotFound = "コレクションに項目が見つかりません。";
inline constexpr std::string_view kNullNotAllowed = "このフィールドには Null 値を入力できません。";
inline constexpr std::string_view kBadFormat =
    "データベースの形式を認識できません。ファイルが壊れているか、データベースではありません。";
inline constexpr std::string_view kObjectClosed = "オブジェクトが無効か、既に閉じられています。";
inline constexpr std::string_view kTypeMismatch = "データ型が一致しません。";
inline constexpr std::string_view kServerUnavailable = "データベースサーバーに接続できません。";
inline constexpr std::string_view kEngineError = "データベース エンジンでエラーが発生しました。";

} // namespace plat::jet::texts
