// What the readers of the parts of a boring document share (source/xml_boring*.cpp): finding a
// fact under any of the names the versions give it, and reading numbers and dates as written.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/xml_tree.h"
#include "source/xml_boring.h"

namespace tavrimen::xml_boring {

using platform::XmlElement;

// The trimmed text of the first of `names` that `parent` holds with a text; empty when none does.
std::string TextOf(const XmlElement* parent, std::initializer_list<std::string_view> names);

// Whether the element or anything inside it holds a text.
bool HoldsText(const XmlElement& element);

// `text` trimmed of blanks (ASCII and ideographic) and line ends at both ends.
std::string Trimmed(std::string_view text);

// A decimal number as written, less its leading zeros ("004.15" gives "4.15", "000.50" gives
// "0.50"); any other text trimmed and otherwise as it is.
std::string Number(std::string_view text);

// A decimal number of millimetres in centimetres ("160" gives "16", "5" gives "0.5"); any other
// text as it is.
std::string CentimetresOf(std::string_view millimetres);

// The value of a code such as "04" or "40"; -1 for a text that is no whole number.
int CodeValue(std::string_view code);

// The date under `prefix`: one text such as "2020-05-26" (prefix + "年月日"), or, in version 1,
// one element for each part (prefix + "年", "月", "日"). A date short of its day or month is kept
// as far as it goes, and one that cannot be read is left out; either is noted in `dropped` once
// for each `label`.
XmlDate DateOf(const XmlElement* parent, std::string_view prefix, std::string_view label,
               std::vector<std::string>& dropped);

// Adds `sentence` to `dropped` unless it is there already.
void Drop(std::vector<std::string>& dropped, std::string sentence);

// The parts of a boring: the title block, the columns over depth (layers, colours, densities,
// notes, water levels and drilling progress), and the tests.
void ReadTitle(const XmlElement& title, XmlBoring& boring);
void ReadColumns(const XmlElement& core, XmlBoring& boring);
void ReadPenetrationTestsAndSamples(const XmlElement& core, XmlBoring& boring);
void ReadInSituTests(const XmlElement& core, XmlBoring& boring);

}  // namespace tavrimen::xml_boring
