// The test container's user-visible texts.
#pragma once

namespace vantilcontainer::texts {

inline constexpr const char* kTitle = "Vantil テストコンテナ";
inline constexpr const char* kDesignMode = "デザインモード";
inline constexpr const char* kRunMode = "実行モード";
inline constexpr const char* kProperty = "プロパティ";
inline constexpr const char* kValue = "値";
inline constexpr const char* kEvents = "イベント";
inline constexpr const char* kSave = "保存...";
inline constexpr const char* kLoad = "読込...";
inline constexpr const char* kBagFilter = "プロパティバッグ (*.bag);;すべてのファイル (*)";
inline constexpr const char* kCreateFailed = "コントロールを作成できません";
inline constexpr const char* kLoadFailed = "プロパティを読み込めません";
inline constexpr const char* kSaveFailed = "ファイルを保存できません";
inline constexpr const char* kSampleItems = "見本の項目";
inline constexpr const char* kShowList = "リストを開く";
inline constexpr const char* kNoListWindow = "リストウィンドウがありません";

} // namespace vantilcontainer::texts
