// Deterministic boring data sets for the benchmarks: a typical boring and the largest one that the
// 1000-line record file allows, with a pattern-data folder whose tables are large enough that
// lookups scan real rows.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrimen::bench {

// A note of about `characters` characters for layer `layer`, with `line_break` (the data set's
// forced break, or "\\n" as XML files write it) after every `break_every` sentences.
std::string Note(int layer, int characters, int break_every, std::string_view line_break);

// Writes the pattern-data folder (KISHITU, L4, L2, L8, L10, L100).
void WritePatternData(const std::filesystem::path& folder);

// About 30 layers with notes, a penetration test every metre to 30 m, a dozen X6, X7 and X11
// records, a year of weekly groundwater readings in N8 and N9.
void WriteTypicalBoring(const std::filesystem::path& folder);

// A boring like the typical one whose size depends on `variant` (any number): 10 to 40 layers,
// as many penetration tests as metres, and more or fewer records of every other kind.
void WriteVariedBoring(const std::filesystem::path& folder, int variant);

// Long notes, 100 X6 records with ten codes each, X7 records with twenty used slots: about 1000
// record lines and more than 1000 reference-table lookups.
void WriteLargestBoring(const std::filesystem::path& folder);

}  // namespace tavrimen::bench
