#include "cli/pictures.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <new>
#include <ostream>

#include "app/messages.h"
#include "platform/errors.h"
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

std::string PictureName(std::string_view record_name) {
  // A name of more bytes than a folder entry holds keeps its start, to a whole character, with a
  // mark of the whole name, so that two long names stay two pictures.
  constexpr std::size_t kLongestName = 255;
  constexpr std::string_view kExtension = ".svg";
  if (record_name.size() + kExtension.size() <= kLongestName) {
    return std::string(record_name) + std::string(kExtension);
  }
  char mark[16];
  std::snprintf(mark, sizeof mark, "~%08zx",
                std::hash<std::string_view>{}(record_name)&0xFFFFFFFFu);
  std::size_t keep = kLongestName - kExtension.size() - std::strlen(mark);
  while (keep > 0 && (static_cast<unsigned char>(record_name[keep]) & 0xC0) == 0x80) --keep;
  return std::string(record_name.substr(0, keep)) + mark + std::string(kExtension);
}

std::string Pictures::MakeFolder(platform::FileSystem& files) {
  std::call_once(made_, [this, &files] {
    // Each missing level from the top down.
    std::vector<std::filesystem::path> missing;
    for (std::filesystem::path level = folder_; !level.empty() && !files.NativeEntry(level);
         level = level.parent_path()) {
      missing.push_back(level);
      if (level == level.parent_path()) break;
    }
    try {
      for (auto level = missing.rbegin(); level != missing.rend(); ++level) {
        files.MakeNativeFolder(*level, platform::Utf8String(*level));
      }
    } catch (const IoError& error) {
      folder_problem_ = Fill(texts_.picture_not_written,
                             {platform::Utf8String(folder_), ReasonText(error.error())});
      Report(folder_problem_);
      return;
    }
    files.RemoveStaleNativeTemporaries(folder_);
  });
  return folder_problem_;
}

DrawnBoring Pictures::Draw(std::string_view record_path, std::string_view bytes,
                           platform::FileSystem& files) {
  const std::string_view name = record_path.substr(record_path.find_last_of('\\') + 1);
  DrawnBoring drawn;
  // The record file is written: whatever goes wrong with its picture stays with the picture.
  try {
    preview::RecordHeader header = preview::ReadRecordHeader(bytes);
    drawn.boring_name = std::move(header.boring_name);
    drawn.site = std::move(header.site);
    const std::string picture = PictureName(name);
    drawn.problem = Write(picture, Picture(bytes), files);
    if (drawn.problem.empty()) drawn.picture = picture;
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
                          const std::vector<DrawnBoring>& drawn, const BatchFacts& facts,
                          platform::FileSystem& files) {
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
    // The picture of each boring converted, as it was written.
    if (result.outcome == RunOutcome::kConverted && i < drawn.size())
      row.picture = drawn[i].picture;
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
        preview::BatchIndexHtml(rows, {run_at, facts.destination, sources_shown}, words, html),
        files);
}

std::string Pictures::Write(const std::string& name, std::string_view bytes,
                            platform::FileSystem& files) {
  if (std::string problem = MakeFolder(files); !problem.empty()) return problem;
  const std::filesystem::path file = folder_ / platform::Utf8Path(name);
  try {
    files.WriteNativeFileAtomically(file, platform::Utf8String(file), bytes);
    return {};
  } catch (const IoError& error) {
    std::string problem =
        Fill(texts_.picture_not_written, {platform::Utf8String(file), ReasonText(error.error())});
    Report(problem);
    return problem;
  }
}

void Pictures::Report(const std::string& problem) {
  std::lock_guard lock(mutex_);
  all_written_ = false;
  err_ << kProgramName << ": " << problem << std::endl;
}

}  // namespace tavrimen::cli
