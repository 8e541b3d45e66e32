// Text for the SVG pictures and the HTML overview: escaped markup and compact numbers.
#pragma once

#include <string>
#include <string_view>

namespace tavrimen::preview {

// Appends `text` with the markup characters as entities and the control characters (which XML
// does not allow) as blanks.
void AppendEscaped(std::string& out, std::string_view text);
std::string Escaped(std::string_view text);

// Appends a number with one decimal, or none when it is whole ("120", "203.4").
void AppendNumber(std::string& out, double value);
std::string Number(double value);

}  // namespace tavrimen::preview
