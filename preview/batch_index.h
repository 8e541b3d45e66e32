// The overview of a batch's pictures: one HTML page with a row per boring (its picture as a
// thumbnail that links to the picture, its outcome and its message). A boring that was not
// converted gets a row without a picture.
#pragma once

#include <string>
#include <vector>

namespace tavrimen::preview {

struct IndexRow {
  std::string source;   // as the user reads it
  std::string outcome;  // in the user's words
  bool converted = false;
  std::string message;
  std::string picture;  // the picture's file name beside the page; empty for none
};

// The words of the page in the user's language.
struct IndexWords {
  std::string title;
  std::string boring;
  std::string picture;
  std::string outcome;
  std::string message;
};

std::string BatchIndexHtml(const std::vector<IndexRow>& rows, const IndexWords& words);

}  // namespace tavrimen::preview
