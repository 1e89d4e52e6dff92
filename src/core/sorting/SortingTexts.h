#pragma once
// The status-line texts of sorting, delete and undo, in UTF-8. The windows show them as they are;
// the core returns them so that every caller reports an outcome with the same words.
#include <string_view>

namespace tossbox {

inline constexpr std::string_view kCopyFailedText = "ｺﾋﾟｰできませんでした。";
inline constexpr std::string_view kMoveFailedText = "移動できませんでした。";
inline constexpr std::string_view kTrashFailedText = "ゴミ箱へ捨てられませんでした。";
inline constexpr std::string_view kUndoneText = "元に戻しました。";
inline constexpr std::string_view kUndoFailedText = "元に戻せませんでした。";
inline constexpr std::string_view kTakeFromTrashText = "ごみ箱から取り出して下さい。";
inline constexpr std::string_view kNothingToTrashText = "捨てるものがありません。";
inline constexpr std::string_view kNoHistoryText = "動作履歴がありません。";
inline constexpr std::string_view kChooseFolderText = "表示したいﾌｫﾙﾀﾞを選択して下さい。";

}  // namespace tossbox
