// The command line's own texts in the user's language (ui_language.h): help, usage errors, the
// batch's progress and summary, and the diagnostics of tavrimen-convert. The texts a conversion
// itself shows (app/messages.h) stay as they are in every language.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "platform/ui_language.h"

namespace tavrimen::cli {

inline constexpr std::string_view kProgramName = "tavrimen-convert";

struct CliTexts {
  std::string_view help;
  std::string_view try_help;
  // Usage errors; {} is the argument at fault.
  std::string_view unknown_option;
  std::string_view missing_value;
  std::string_view value_not_allowed;
  std::string_view bad_jobs;
  std::string_view bad_format;
  std::string_view yes_and_no;
  std::string_view not_with_check;
  std::string_view missing_destination;
  std::string_view missing_folders;
  std::string_view missing_check_folder;
  // What the pattern-data search looked at.
  std::string_view patdat_given;
  std::string_view settings_missing;
  std::string_view settings_empty;
  std::string_view settings_no_folder;
  std::string_view settings_folder_missing;
  // Batches: {} are counts, paths and messages in the order shown.
  std::string_view progress;
  std::string_view summary;
  std::string_view summary_pictures;  // after the summary, when pictures were not written
  // The destination question: the folder, and the hint after No without a terminal.
  std::string_view folder_to_create;
  std::string_view yes_hint;
  std::string_view pictures_in_destination;
  std::string_view refused;
  std::string_view failed;
  std::string_view interrupted;
  std::string_view same_record_name;
  std::string_view cannot_search;
  std::string_view no_borings;
  std::string_view yes;
  std::string_view no;
  std::string_view check_summary;
  // Pictures (--svg) and their overview page.
  std::string_view picture_not_written;
  std::string_view picture_not_drawn;
  std::string_view out_of_memory;
  std::string_view index_language;  // the page's language tag
  std::string_view index_title;
  std::string_view index_run_at;
  std::string_view index_destination;
  std::string_view index_sources;
  std::string_view index_picture;
  std::string_view index_boring;
  std::string_view index_site;
  std::string_view index_record_file;
  std::string_view index_outcome;
  std::string_view index_message;
  std::string_view index_no_picture;
  // Outcomes in a word that does not wrap.
  std::string_view converted;
  std::string_view refused_word;
  std::string_view failed_word;
};

const CliTexts& TextsFor(platform::Language language);

// `text` with each "{}" replaced by the next of `values`.
std::string Fill(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace tavrimen::cli
