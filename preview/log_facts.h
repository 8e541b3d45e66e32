// What of a boring's log can be drawn as data. The log is drawn to the deepest layer bottom, or to
// the depth the header states where that is deeper and plausible. A value outside the drawn
// range, one that is no number, and one that contradicts another (the stated and the drawn
// depth, an interval that ends above its top) is not drawn: it is said in a caution, with every
// text of its line, so that nothing of the record file is lost.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "preview/boring_log.h"

namespace tavrimen::preview {

struct LogFacts {
  double depth = 0;                 // the depth the log is drawn to, in metres; above 0
  std::optional<double> elevation;  // the hole's elevation, where the header states a plausible one
  // Per item of the log, in the log's order: whether it is drawn. A layer's top is the bottom of
  // the drawn layer above it.
  std::vector<double> layer_tops;
  std::vector<bool> layer_drawn;
  std::vector<bool> penetration_drawn;
  std::vector<bool> sample_drawn;
  std::vector<bool> condition_drawn;
  std::vector<bool> water_drawn;
  std::vector<bool> progress_drawn;
  std::vector<bool> test_drawn;
  std::vector<std::string> cautions;  // UTF-8 sentences
};

// The deepest a log is drawn: the record file's depths stay below 9999 m; and the highest and
// lowest elevation drawn.
inline constexpr double kDeepestDrawn = 9999;
inline constexpr double kMostElevation = 9999;

// The facts of `log`, into `facts` (whose room is kept).
void Vet(const BoringLog& log, LogFacts& facts);

// A depth or height in whole centimetres, rounded half away from zero, and its text in metres
// ("12.30", "-0.05"); and both at once.
long long Centimetres(double metres);
std::string CentimetresText(long long cm);
std::string Metres(double metres);

}  // namespace tavrimen::preview
