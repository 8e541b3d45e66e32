// One conversion run: what the Execute button does. It checks both folder paths, offers to create
// a missing destination, reads the source folder's data set and writes its record file, talking
// to the window only through the Window interface.
#pragma once

#include <string>
#include <string_view>

#include "app/window.h"

namespace tavrimen {

inline constexpr std::string_view kConvertingText = "只今変換中！　しばらくお待ちください。";
inline constexpr std::string_view kConvertedText = "変換が正常に終了しました。";
inline constexpr std::string_view kBadPathMessage = "指定されたパスは正しくありません。";
inline constexpr std::string_view kTrailingBackslashMessage =
    "最後のフォルダに「￥」は要りません。";
inline constexpr std::string_view kCreateFolderQuestion =
    "フォルダがありません。新規作成しますか？";
inline constexpr std::string_view kNoGeologyMessage = "地質区分が入力されていません。";
inline constexpr std::string_view kNoSourceFolderMessage = "変換元フォルダがありません。";
inline constexpr std::string_view kDriveRootSourceMessage =
    "変換元フォルダにドライブのルートは指定できません。\n"
    "ボーリングデータのフォルダを指定してください。";

enum class RunOutcome {
  kConverted,  // the record file was written
  kRefused,    // a path or the data set was refused, or the user declined to create a folder
  kFailed,     // a file could not be read or written, or the data could not be converted
};

// Runs one whole conversion of Text2's folder into Text1's folder with the reference tables of
// `patdat_path` (drive form, ending with a backslash). Every ending leaves the window idle:
// Label3 empty or the success text, the default pointer.
RunOutcome Command1_Click(Window& window, const std::string& patdat_path);

}  // namespace tavrimen
