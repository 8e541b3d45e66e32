// The overview of a batch: one HTML page that sums the batch up (its borings counted by outcome,
// when it ran, where it wrote and where its sources lie) over a table with a row per boring: its
// picture as a thumbnail that links to the picture, its source, name and site, a link to its
// record file, its outcome, and the message of a boring not converted or of a missing picture.
// The page is valid UTF-8 whatever bytes the texts hold.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "preview/markup.h"

namespace tavrimen::preview {

enum class RowOutcome { kConverted, kRefused, kFailed };

// Views of texts that outlive the page's making.
struct IndexRow {
  std::string_view source;       // as the user reads it, below the sources' folder
  std::string_view boring_name;  // from the record file; empty for none
  std::string_view site;
  std::string_view record_name;  // the record file's name; empty when none was written
  std::string_view record_link;  // FileLink of the record file
  std::string_view picture;      // the picture's file name beside the page; empty for none
  RowOutcome outcome = RowOutcome::kConverted;
  std::string_view message;  // why the boring was not converted, or why its picture is missing
};

// What the page says of the whole batch, as the user reads it.
struct IndexFacts {
  std::string_view run_at;       // the date and time
  std::string_view destination;  // the folder of the record files
  std::string_view sources;      // the folder searched or the sources' common one; empty for none
};

// The words of the page in the user's language.
struct IndexWords {
  std::string_view language;  // the page's language tag
  std::string_view title;
  std::string_view run_at;
  std::string_view destination;
  std::string_view sources;
  std::string_view picture;
  std::string_view boring;
  std::string_view site;
  std::string_view record_file;
  std::string_view outcome;
  std::string_view message;
  std::string_view no_picture;               // in the picture's place when it is missing
  std::array<std::string_view, 3> outcomes;  // by RowOutcome
};

// The page, written into `html` (emptied first).
std::string_view BatchIndexHtml(const std::vector<IndexRow>& rows, const IndexFacts& facts,
                                const IndexWords& words, Markup& html);

// A link from a page in `folder` to `file` (both absolute native paths): a relative URL where one
// can be formed, else (across drives) a file: URL; percent-encoded but for the separators.
std::string FileLink(const std::filesystem::path& folder, const std::filesystem::path& file);

}  // namespace tavrimen::preview
