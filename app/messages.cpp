#include "app/messages.h"

#include <algorithm>
#include <cerrno>
#include <new>

#include "output/errors.h"
#include "platform/cp932.h"
#include "platform/errors.h"
#include "reference/tables.h"
#include "source/xml_source.h"

namespace tavrimen {
namespace {

std::string ThreeLines(std::string_view what, std::string_view path, std::string_view detail) {
  return std::string(what) + "\n" + std::string(path) + "\n" + std::string(detail);
}

std::string_view WhatFailed(const IoError& failure) {
  if (dynamic_cast<const TableReadError*>(&failure) != nullptr) {
    return "参照テーブルを読み込めません。";
  }
  switch (failure.operation()) {
    case FileOperation::kRead:
      return "ファイルを読み込めません。";
    case FileOperation::kWrite:  // the record file is the only file a run writes
      return "記録ファイルを書き込めません。";
    case FileOperation::kMakeFolder:
      return "フォルダを作成できません。";
  }
  return "ファイルを読み込めません。";
}

std::string Quoted(std::string_view cp932_text) { return "「" + cp932::ToUtf8(cp932_text) + "」"; }

}  // namespace

std::string ReasonText(std::error_code error) {
  if (error == RefusalError(FileRefusal::kNotAFile)) return "通常のファイルではありません。";
  if (error == RefusalError(FileRefusal::kTooLarge)) {
    return "ファイルが大きすぎます（" + std::to_string(kLargestDataFile >> 20) + " MB まで）。";
  }
  if (error.category() == std::generic_category()) {
    switch (error.value()) {
      case ENOENT:
        return "ファイルまたはフォルダがありません。";
      case EACCES:
      case EPERM:
        return "アクセスが拒否されました。";
      case EROFS:
        return "読み取り専用のドライブです。";
      case ENOSPC:
        return "ディスクの空き容量が足りません。";
      case ENOTDIR:
        return "途中の名前がフォルダではありません。";
      case EISDIR:
        return "同じ名前のフォルダがあります。";
      case EEXIST:
        return "同じ名前のファイルがあります。";
      case EIO:
        return "入出力エラーが発生しました。";
      case ENODEV:
        return "ドライブがありません。";
      case ENXIO:
        return "ドライブの準備ができていません。";
      case ENAMETOOLONG:
        return "名前が長すぎます。";
#ifdef ELOOP
      case ELOOP:
        return "リンクが循環しています。";
#endif
      case EMFILE:
      case ENFILE:
        return "開いているファイルが多すぎます。";
      case EFBIG:
        return "ファイルが大きすぎます。";
      case EBUSY:
        return "ファイルが使用中です。";
      case EXDEV:
        return "別のドライブへは移せません。";
#ifdef EDQUOT
      case EDQUOT:
        return "ディスクの使用量の上限を超えました。";
#endif
      default:
        break;
    }
  }
  return error.message();
}

PathShown ShownWith(const platform::DriveTable& drives) {
  return [&drives](std::string_view drive_form) { return platform::ShownPath(drives, drive_form); };
}

std::string FailureMessage(const std::exception& failure, const PathShown& shown) {
  auto path = [&](const std::string& drive_form) { return shown ? shown(drive_form) : drive_form; };
  if (const auto* io = dynamic_cast<const IoError*>(&failure)) {
    return ThreeLines(WhatFailed(*io), path(io->path()), ReasonText(io->error()));
  }
  if (const auto* overflow = dynamic_cast<const NumberOverflowError*>(&failure)) {
    // The field texts are code page 932 bytes of the file; the operator signs are ASCII.
    return ThreeLines("数値が大きすぎるため変換できません。", path(overflow->path()),
                      Quoted(overflow->field_text()));
  }
  if (dynamic_cast<const LineLimitError*>(&failure) != nullptr) {
    return "記録ファイルの行数が上限の1000行を超えるため、変換できません。\n"
           "記録ファイルは作成されませんでした。";
  }
  if (const auto* depth = dynamic_cast<const UnplaceableDepthError*>(&failure)) {
    return ThreeLines("9999 m を超える深度の層は変換できません。", path(depth->path()),
                      Quoted(depth->depth_text()));
  }
  if (const auto* xml = dynamic_cast<const XmlSourceError*>(&failure)) {
    const std::string where = path(xml->path()) + " の " + std::to_string(xml->line()) + " 行目";
    if (xml->kind() == XmlSourceError::Kind::kNotABoring) {
      return ThreeLines("ボーリング情報の XML ではありません。", where,
                        "ルート要素が「" + xml->detail() + "」です。");
    }
    if (xml->kind() == XmlSourceError::Kind::kAbsurdDepth) {
      return ThreeLines("深度が数値でないか 9999 m を超えるため、変換できません。", where,
                        xml->detail());
    }
    return ThreeLines("XML の書き方が正しくないため、読み込めません。", where, xml->detail());
  }
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) {
    return "メモリが足りないため、変換できません。";
  }
  return std::string("変換中にエラーが発生しました。\n") + failure.what();
}

std::string OnOneLine(std::string message) {
  std::replace(message.begin(), message.end(), '\n', ' ');
  return message;
}

namespace check_text {

std::string CannotRead(const std::exception& failure, const PathShown& shown) {
  if (const auto* io = dynamic_cast<const IoError*>(&failure)) {
    return std::string(WhatFailed(*io)) + " " + ReasonText(io->error());
  }
  return OnOneLine(FailureMessage(failure, shown));
}

std::string Failure(const std::exception& failure, const PathShown& shown) {
  std::string message = FailureMessage(failure, shown);
  // The line limit's second line tells that no file was written, which a check never does.
  if (dynamic_cast<const LineLimitError*>(&failure) != nullptr) {
    message.resize(message.find('\n'));
  }
  return OnOneLine(std::move(message));
}

std::string NumberTooLarge(std::string_view what, std::string_view text) {
  return std::string(what) + "の数値が大きすぎます: " + Quoted(text);
}

std::string NotCp932() { return "シフトJIS（コードページ932）の文字ではないバイトがあります"; }

std::string ShortLastRecord(int items_per_record, int items_read) {
  return "最後のレコードの項目が足りません（" + std::to_string(items_per_record) + " 項目中 " +
         std::to_string(items_read) + " 項目）。足りない項目は空として読みます";
}

std::string DepthNotNumber(std::string_view text) {
  return "深度が数値ではありません: " + Quoted(text) + "（0 として読みます）";
}

std::string DepthNotIncreasing(std::string_view text) {
  return "深度 " + cp932::ToUtf8(text) + " が前のレコードの深度より大きくありません";
}

std::string CodeNotInTable(std::string_view what, std::string_view code, std::string_view table) {
  return std::string(what) + " " + cp932::ToUtf8(code) + " は " + std::string(table) +
         " にありません（記録ファイルでは「@」になります）";
}

std::string X6CodeNotInTable(std::string_view code, std::string_view table) {
  return "コード " + cp932::ToUtf8(code) + " は " + std::string(table) +
         " にありません（1400 行に何も加わりません）";
}

std::string SoilCodeOutOfRange(std::string_view code) {
  return "土質コード " + cp932::ToUtf8(code) + " は " + std::string(kL4Table.name) +
         " の範囲（0～100）の外です（読み飛ばします）";
}

std::string SoilCodeNotInTable(std::string_view code) {
  return "土質コード " + cp932::ToUtf8(code) + " は " + std::string(kL4Table.name) +
         " にありません（名前なしになります）";
}

std::string FileWillBeCreated(std::string_view name) {
  return "ファイルがありません。変換すると空の " + std::string(name) + " が作成されます";
}

std::string EmptyFileWillBeDeleted() { return "空のファイルです。変換すると削除されます"; }

std::string CaseTwins(const std::vector<std::string>& spellings, std::string_view read) {
  std::string names;
  for (const std::string& name : spellings) names += (names.empty() ? "" : "、") + name;
  return "大文字と小文字だけが違う名前のファイルがあります（" + names + "）。変換では " +
         std::string(read) + " を読みます";
}

std::string NoSourceFolder() { return std::string(kNoSourceFolderMessage); }
std::string MoreOfAKind(int count, std::string_view example) {
  return "ほかに " + std::to_string(count) + " 件、同じ種類の指摘を省きました（最初は「" +
         std::string(example) + "」）";
}
std::string SourceNotAFolder() { return std::string(kSourceNotAFolderMessage); }

std::string DriveRootSource() { return OnOneLine(std::string(kDriveRootSourceMessage)); }

std::string NoGeology(std::string_view name) {
  return std::string(kNoGeologyMessage) + " " + std::string(name) +
         " がないか空のため、変換は拒否されます。";
}

}  // namespace check_text
std::string_view PathProblemMessage(platform::PathProblem problem) {
  switch (problem) {
    case platform::PathProblem::kLeadingBlanks:
      return kLeadingBlankMessage;
    case platform::PathProblem::kBackslashInName:
      return kBackslashInNameMessage;
    default:
      return kBadPathMessage;
  }
}

}  // namespace tavrimen
