#include "cli/pictures.h"

#include <ctime>
#include <new>
#include <ostream>

#include "app/messages.h"
#include "platform/file_system_native.h"
#include "platform/paths.h"
#include "preview/batch_index.h"
#include "preview/boring_log.h"
#include "preview/markup.h"
#include "preview/record_header.h"
#include "preview/svg_log.h"

namespace tavrimen::cli {
namespace {

// The local date and time of `when`, as "2025-04-18 14:03:12".
std::string LocalTime(std::chrono::system_clock::time_point when) {
  const std::time_t time = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &time);
#else
  localtime_r(&time, &local);
#endif
  char text[32];
  return std::string(text, std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local));
}

// The folder that holds every source of a batch: the one that the roots searched and the folders
// of the sources have in common. Empty when they have none (they lie on different drives), and
// for sources that are not absolute paths (those the batch refused as they were typed).
std::filesystem::path SourcesFolder(const std::vector<BoringResult>& results,
                                    const std::vector<std::string>& roots) {
  std::optional<std::filesystem::path> common;
  auto take = [&common](const std::filesystem::path& folder) {
    if (!folder.is_absolute()) return;
    if (!common) {
      common = folder;
      return;
    }
    std::filesystem::path shared;
    for (auto a = common->begin(), b = folder.begin();
         a != common->end() && b != folder.end() && *a == *b; ++a, ++b) {
      shared /= *a;
    }
    common = std::move(shared);
  };
  for (const std::string& root : roots) take(platform::Utf8Path(root));
  for (const BoringResult& result : results) {
    take(platform::Utf8Path(result.source).parent_path());
  }
  return common.value_or(std::filesystem::path());
}

// A source as the overview names it: below the sources' folder, its name when it is that folder
// itself, and the whole path when it lies elsewhere.
std::string SourceBelow(const std::filesystem::path& folder, const std::string& source) {
  if (folder.empty()) return source;
  const std::filesystem::path path = platform::Utf8Path(source);
  const std::filesystem::path relative = path.lexically_relative(folder);
  if (relative.empty() || *relative.begin() == "..") return source;
  return platform::Utf8String(relative == "." ? path.filename() : relative);
}

preview::RowOutcome RowOutcomeOf(RunOutcome outcome) {
  switch (outcome) {
    case RunOutcome::kConverted:
      return preview::RowOutcome::kConverted;
    case RunOutcome::kRefused:
      return preview::RowOutcome::kRefused;
    default:
      return preview::RowOutcome::kFailed;
  }
}

}  // namespace

bool Pictures::MakeFolder() {
  std::error_code error;
  std::filesystem::create_directories(folder_, error);
  if (!error) {
    writing_.emplace(folder_);
    return true;
  }
  Report(Fill(texts_.picture_not_written, {platform::Utf8String(folder_), ReasonText(error)}));
  return false;
}

DrawnBoring Pictures::Draw(std::string_view record_path, std::string_view bytes) {
  const std::string_view name = record_path.substr(record_path.find_last_of('\\') + 1);
  DrawnBoring drawn;
  // The record file is written: whatever goes wrong with its picture stays with the picture.
  try {
    preview::RecordHeader header = preview::ReadRecordHeader(bytes);
    drawn.boring_name = std::move(header.boring_name);
    drawn.site = std::move(header.site);
    drawn.problem = Write(std::string(name) + ".svg", Picture(bytes));
  } catch (const std::bad_alloc&) {
    drawn.problem = Fill(texts_.picture_not_drawn, {name, texts_.out_of_memory});
    Report(drawn.problem);
  } catch (const std::exception& error) {
    drawn.problem = Fill(texts_.picture_not_drawn, {name, error.what()});
    Report(drawn.problem);
  }
  return drawn;
}

std::string_view Pictures::Picture(std::string_view bytes) {
  // Each thread reads and draws into the same room every time.
  thread_local preview::BoringLog log;
  thread_local preview::LogDrawer drawer;
  preview::ReadBoringLog(bytes, log);
  return drawer.Draw(log);
}

void Pictures::WriteIndex(const std::vector<BoringResult>& results,
                          const std::vector<DrawnBoring>& drawn, const BatchFacts& facts) {
  const std::filesystem::path sources = SourcesFolder(results, facts.roots);
  std::error_code error;
  const std::filesystem::path folder = std::filesystem::absolute(folder_, error);
  // The texts that the rows view, besides the results' own.
  struct RowTexts {
    std::string source, record_name, record_link, picture;
  };
  std::vector<RowTexts> texts(results.size());
  std::vector<preview::IndexRow> rows;
  rows.reserve(results.size());
  for (std::size_t i = 0; i < results.size(); ++i) {
    const BoringResult& result = results[i];
    RowTexts& own = texts[i];
    own.source = SourceBelow(sources, result.source);
    preview::IndexRow& row = rows.emplace_back();
    row.source = own.source;
    row.outcome = RowOutcomeOf(result.outcome);
    row.message = result.message;
    if (!result.record_file.empty()) {
      const std::filesystem::path record = platform::Utf8Path(result.record_file);
      own.record_name = platform::Utf8String(record.filename());
      own.record_link = preview::FileLink(folder, record);
      row.record_name = own.record_name;
      row.record_link = own.record_link;
    }
    if (i < drawn.size()) {
      row.boring_name = drawn[i].boring_name;
      row.site = drawn[i].site;
      if (!drawn[i].problem.empty()) row.message = drawn[i].problem;
    }
    // The picture of each boring converted, named after its record file, unless it is missing.
    if (result.outcome == RunOutcome::kConverted && !own.record_name.empty() &&
        (i >= drawn.size() || drawn[i].problem.empty())) {
      own.picture = own.record_name + ".svg";
      row.picture = own.picture;
    }
  }
  const std::string run_at = LocalTime(facts.started);
  const std::string sources_shown = platform::Utf8String(sources);
  const preview::IndexWords words{
      texts_.index_language,
      texts_.index_title,
      texts_.index_run_at,
      texts_.index_destination,
      texts_.index_sources,
      texts_.index_picture,
      texts_.index_boring,
      texts_.index_site,
      texts_.index_record_file,
      texts_.index_outcome,
      texts_.index_message,
      texts_.index_no_picture,
      {texts_.converted, texts_.refused_word, texts_.failed_word},
  };
  preview::Markup html;
  Write("index.html",
        preview::BatchIndexHtml(rows, {run_at, facts.destination, sources_shown}, words, html));
}

std::string Pictures::Write(const std::string& name, std::string_view bytes) {
  const std::filesystem::path file = platform::Utf8Path(name);
  const std::error_code error = writing_->WriteFileAtomically(file, bytes);
  if (!error) return {};
  std::string problem =
      Fill(texts_.picture_not_written, {platform::Utf8String(folder_ / file), ReasonText(error)});
  Report(problem);
  return problem;
}

void Pictures::Report(const std::string& problem) {
  std::lock_guard lock(mutex_);
  all_written_ = false;
  err_ << kProgramName << ": " << problem << std::endl;
}

}  // namespace tavrimen::cli
