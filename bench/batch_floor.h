// The input/output floor of a batch: with as many threads as the conversion, every input file read
// once and a file of each output's size written once; what no conversion can beat.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace tavrimen::bench {

// Reads every file of every boring folder and of the pattern data (root/patdat) once, and writes
// one new file of the record file's size per boring into `floor`, and when `picture_sizes` are
// given one of the picture's size into `floor`-svg; returns the time in seconds.
double RunFloor(const std::filesystem::path& root, const std::string& floor,
                const std::vector<std::string>& borings,
                const std::vector<std::size_t>& record_sizes, int jobs,
                const std::vector<std::size_t>* picture_sizes = nullptr);

// Reads every XML file once and writes one new file of the record file's size for each into
// `floor`, with `jobs` threads; returns the time in seconds.
double RunXmlFloor(const std::string& floor, const std::vector<std::string>& files,
                   const std::vector<std::size_t>& record_sizes, int jobs);

}  // namespace tavrimen::bench
