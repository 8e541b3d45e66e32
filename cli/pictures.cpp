#include "cli/pictures.h"

#include <ostream>

#include "app/messages.h"
#include "platform/file_system_native.h"
#include "platform/paths.h"
#include "preview/batch_index.h"
#include "preview/boring_log.h"
#include "preview/markup.h"
#include "preview/svg_log.h"

namespace tavrimen::cli {

bool Pictures::MakeFolder() {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (!error) {
    writing_.emplace(folder_);
    return true;
  }
  err_ << kProgramName << ": "
       << Fill(texts_.picture_not_written, {platform::Utf8String(folder_), ReasonText(error)})
       << std::endl;
  all_written_ = false;
  return false;
}

void Pictures::Draw(std::string_view record_path, std::string_view bytes) {
  const std::string name(record_path.substr(record_path.find_last_of('\\') + 1));
  // Each thread reads and draws into the same room every time.
  thread_local preview::BoringLog log;
  thread_local preview::LogDrawer drawer;
  preview::ReadBoringLog(bytes, log);
  Write(name + ".svg", drawer.Draw(log));
}

void Pictures::WriteIndex(const std::vector<BoringResult>& results) {
  // The picture of each boring converted, named after its record file.
  std::vector<std::string> pictures(results.size());
  std::vector<preview::IndexRow> rows;
  rows.reserve(results.size());
  for (std::size_t i = 0; i < results.size(); ++i) {
    const BoringResult& result = results[i];
    const bool converted = result.outcome == RunOutcome::kConverted;
    if (converted) {
      pictures[i] = platform::Utf8String(platform::Utf8Path(result.record_file).filename());
      pictures[i] += ".svg";
    }
    const std::string_view outcome = converted                                ? texts_.converted
                                     : result.outcome == RunOutcome::kRefused ? texts_.refused_word
                                                                              : texts_.failed_word;
    rows.push_back({result.source, outcome, converted, result.message, pictures[i]});
  }
  const preview::IndexWords words{std::string(texts_.index_title), std::string(texts_.index_boring),
                                  std::string(texts_.index_picture),
                                  std::string(texts_.index_outcome),
                                  std::string(texts_.index_message)};
  preview::Markup html;
  Write("index.html", preview::BatchIndexHtml(rows, words, html));
}

void Pictures::Write(const std::string& name, std::string_view bytes) {
  const std::filesystem::path file = platform::Utf8Path(name);
  const std::error_code error = writing_->WriteFileAtomically(file, bytes);
  if (!error) return;
  std::lock_guard lock(mutex_);
  all_written_ = false;
  err_ << kProgramName << ": "
       << Fill(texts_.picture_not_written,
               {platform::Utf8String(folder_ / file), ReasonText(error)})
       << std::endl;
}

}  // namespace tavrimen::cli
