// The batch benchmark's XML mode: a folder of XML borings (the typical boring of
// xml_boring_generator.h, each file with its own boring name) that tavrimen-convert --yes FOLDER
// OUT converts as one batch, against the floor of reading each file once and writing each record
// file once.
#pragma once

#include <filesystem>

namespace tavrimen::bench {

// Generates `count` XML borings under `root`/xml and measures their batch with `jobs` threads in
// three passes; prints the best times, the least CPU time and the peak memory against their
// targets (10,000 borings in under 30 s, scaled for other counts). Returns 0 when all are met,
// else 1.
int XmlBatch(const std::filesystem::path& root, int count, int jobs);

}  // namespace tavrimen::bench
