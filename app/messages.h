// Every text the conversion shows a user, in one place: the messages of the run and of the
// start-up, the failures rendered from the typed errors (what could not be done, the file, the
// reason), and the findings of the data check. Texts are UTF-8.
#pragma once

#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/native_paths.h"

namespace tavrimen {

// The title of a message box that names none of its own.
inline constexpr std::string_view kAppTitle = "Tavrimen Zm38";

// The run (Label3 and its message boxes).
inline constexpr std::string_view kConvertingText = "只今変換中！　しばらくお待ちください。";
inline constexpr std::string_view kConvertedText = "変換が正常に終了しました。";
inline constexpr std::string_view kBadPathMessage = "指定されたパスは正しくありません。";
inline constexpr std::string_view kTrailingBackslashMessage =
    "最後のフォルダに「￥」は要りません。";
inline constexpr std::string_view kCreateFolderQuestion =
    "フォルダがありません。新規作成しますか？";
inline constexpr std::string_view kNoGeologyMessage = "地質区分が入力されていません。";
inline constexpr std::string_view kNoSourceFolderMessage = "変換元フォルダがありません。";
inline constexpr std::string_view kTrailingBlankMessage =
    "フォルダ名の最後に空白があります。空白で終わる名前のフォルダは指定できません。";
inline constexpr std::string_view kLeadingBlankMessage =
    "フォルダ名の最初に空白があります。空白で始まる名前のフォルダは指定できません。";
inline constexpr std::string_view kBackslashInNameMessage =
    "フォルダ名に「￥」があります。「￥」を含む名前のフォルダは指定できません。";
inline constexpr std::string_view kTemporaryNameMessage =
    "変換元フォルダの名前が一時ファイルの名前（.tavrimen- と英数字 6 文字）と同じ形です。\n"
    "記録ファイルの名前にできないため、変換しません。";
inline constexpr std::string_view kSourceNotAFolderMessage =
    "変換元はファイルです。ボーリングデータのフォルダを指定してください。";
inline constexpr std::string_view kDriveRootSourceMessage =
    "変換元フォルダにドライブのルートは指定できません。\n"
    "ボーリングデータのフォルダを指定してください。";
// The path check, when a path does not begin with a drive letter and a colon.
inline constexpr std::string_view kDriveNameMessage =
    "規定値のドライブ名が正しくありません。ドライブ名は１文字のアルファベットと \":\" "
    "でなければいけません。  例 \"C:\", \"D:\"...";

// Folders dropped on the window that it does not take.
inline constexpr std::string_view kDropOneFolderMessage =
    "フォルダは１つずつドロップしてください。";
inline constexpr std::string_view kDropFoldersOnlyMessage = "ドロップできるのはフォルダだけです。";
inline constexpr std::string_view kDropUnreadableMessage = "このフォルダは開けません。";
inline constexpr std::string_view kDropNoDriveMessage =
    "ドライブ名のないフォルダは指定できません。";

// The start-up, when the pattern-data setting is missing or names no folder.
inline constexpr std::string_view kNoPatdatMessage = " PATDAT の設定がありません.";

// How a message names a drive-form path: as the user reads it. Empty: as it is.
using PathShown = std::function<std::string(std::string_view drive_form)>;
// Paths as platform::ShownPath shows them with `drives`.
PathShown ShownWith(const platform::DriveTable& drives);

// The message for a failure that ended a run: what could not be done, the file (as `shown` names
// it) and the reason, on three lines.
std::string FailureMessage(const std::exception& failure, const PathShown& shown = {});

// Why a path that keeps a typed or found path from drive form is refused.
std::string_view PathProblemMessage(platform::PathProblem problem);

// The system's error in words.
std::string ReasonText(std::error_code error);

// A message with its line breaks as blanks, for places that show one line a message.
std::string OnOneLine(std::string message);

// The findings of the data check.
namespace check_text {
std::string CannotRead(const std::exception& failure, const PathShown& shown = {});
// A failure that would stop the conversion, on one line.
std::string Failure(const std::exception& failure, const PathShown& shown = {});
std::string NumberTooLarge(std::string_view what, std::string_view text);
inline constexpr std::string_view kDepth = "深度";
inline constexpr std::string_view kCode = "コード";
inline constexpr std::string_view kGeologyCode = "地質コード";
std::string NotCp932();
std::string ShortLastRecord(int items_per_record, int items_read);
std::string DepthNotNumber(std::string_view text);
std::string DepthNotIncreasing(std::string_view text);
std::string CodeNotInTable(std::string_view what, std::string_view code, std::string_view table);
std::string X6CodeNotInTable(std::string_view code, std::string_view table);
std::string SoilCodeOutOfRange(std::string_view code);
std::string SoilCodeNotInTable(std::string_view code);
std::string FileWillBeCreated(std::string_view name);
std::string EmptyFileWillBeDeleted();
// `spellings`: UTF-8 names, sorted; `read`: the one a conversion reads.
std::string CaseTwins(const std::vector<std::string>& spellings, std::string_view read);
std::string NoSourceFolder();
// The note that `count` more findings of one kind were left out, the first of them `example`.
std::string MoreOfAKind(int count, std::string_view example);
std::string SourceNotAFolder();
std::string DriveRootSource();
std::string NoGeology(std::string_view name);
}  // namespace check_text

}  // namespace tavrimen
