// A deterministic boring XML file of the national electronic-delivery format (DTD version 4.00)
// for the benchmarks: the typical boring of data_set_generator.h as such a file would deliver it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavrimen::bench {

// The typical boring as an XML document named `boring_name`: UTF-8 bytes that declare Shift_JIS
// and name the DTD, as the real files do, with CR LF line ends and tab indents (about 140 KB, as
// large as the larger real files). It holds what the typical data set holds, element for element:
// 30 layers of 1 m, each with its colour, density and note (and the note's frame line and the
// ground-material bottom, which real files carry and a record file does not hold), a penetration
// test every metre to 30 m, 12 samples of three names each, two other in-situ tests at each of 12
// depths, 52 weekly water levels and 52 drilling-progress readings. The data set's 12 X11 records
// have no counterpart in the format.
std::string TypicalXmlBoring(std::string_view boring_name);

// Writes TypicalXmlBoring(boring_name) to `file`, making its folder.
void WriteTypicalXmlBoring(const std::filesystem::path& file, std::string_view boring_name);

}  // namespace tavrimen::bench
