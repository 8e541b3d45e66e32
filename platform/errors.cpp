#include "platform/errors.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tavrimen {

IoError::IoError(std::string what_failed, std::string path, std::string reason)
    : ConversionError(what_failed + "\n" + path + "\n" + reason),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

DataError::DataError(std::string problem, std::string path, std::string detail)
    : ConversionError(problem + "\n" + path + "\n" + detail) {}

NumberOverflowError::NumberOverflowError(std::string field_text)
    : ConversionError("数値が大きすぎます: " + field_text), field_text_(std::move(field_text)) {}

std::string OnOneLine(std::string message) {
  std::replace(message.begin(), message.end(), '\n', ' ');
  return message;
}

std::string ReasonFromErrno(int error_number) {
  switch (error_number) {
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
    default:
      return std::strerror(error_number);
  }
}

}  // namespace tavrimen
