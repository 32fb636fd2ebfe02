// User-visible descriptions of the standard automation errors, defined once.
#pragma once

namespace plat::automation::texts {

inline constexpr char kOverflow[] = "オーバーフローしました。";
inline constexpr char kTypeMismatch[] = "型が一致しません。";
inline constexpr char kInvalidUseOfNull[] = "Null の使い方が不正です。";
inline constexpr char kGetNotSupported[] = "プロパティの取得はサポートされていません。";
inline constexpr char kSetNotSupported[] = "プロパティの設定はサポートされていません。";
inline constexpr char kMemberNotFound[] = "メンバーが見つかりません。";
inline constexpr char kUnknownName[] = "メソッドまたはデータ メンバーが見つかりません。";
inline constexpr char kBadParamCount[] = "引数の数が一致していません。";
inline constexpr char kParamNotOptional[] = "引数は省略できません。";
inline constexpr char kInvalidPropertyValue[] = "プロパティの値が無効です。";
inline constexpr char kFileNotFound[] = "ピクチャのファイルが見つかりません。";
inline constexpr char kInvalidPicture[] = "ピクチャが不正です。";
inline constexpr char kClassNotRegistered[] = "クラスが登録されていません。";
inline constexpr char kCannotCreateObject[] = "オブジェクトを作成できません。";
inline constexpr char kLibraryNotLoaded[] = "ライブラリを読み込めません。";

} // namespace plat::automation::texts
