// The overview of a batch's pictures: one HTML page with a row per boring (its picture as a
// thumbnail that links to the picture, its outcome and its message). A boring that was not
// converted gets a row without a picture.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "preview/markup.h"

namespace tavrimen::preview {

// Views of texts that outlive the page's making.
struct IndexRow {
  std::string_view source;   // as the user reads it
  std::string_view outcome;  // in the user's words
  bool converted = false;
  std::string_view message;
  std::string_view picture;  // the picture's file name beside the page; empty for none
};

// The words of the page in the user's language.
struct IndexWords {
  std::string title;
  std::string boring;
  std::string picture;
  std::string outcome;
  std::string message;
};

// The page, written into `html` (emptied first).
std::string_view BatchIndexHtml(const std::vector<IndexRow>& rows, const IndexWords& words,
                                Markup& html);

}  // namespace tavrimen::preview
