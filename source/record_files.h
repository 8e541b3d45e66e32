// What each file of a boring's data set and of the pattern-data folder holds, written down once.
// The conversion's readers and blocks and the data check all read these descriptions, so that the
// check approves exactly what the conversion reads.
#pragma once

#include <array>
#include <string_view>

#include "reference/tables.h"

namespace tavrimen {

// How the codes of an item are written.
enum class CodeForm {
  kNumber,       // the item is one code
  kLastTwo,      // the last two characters of the trimmed item are the code
  kTwoCharPairs  // up to three two-character codes side by side
};

// Items first to last (1-based) of every record hold codes of `table`.
struct CodeItems {
  int first = 0;  // 0: no codes
  int last = 0;
  CodeForm form = CodeForm::kNumber;
  const ReferenceTable* table = nullptr;
  int text_offset = 0;  // when not 0, the text that goes with each code stands this many items on
};

// What the existence probe does with a file that is empty, or missing (which it creates empty).
enum class WhenEmpty { kKeep, kDelete };

struct RecordFileLayout {
  std::string_view name;
  int items_per_record = 1;
  bool whole_records = true;           // false: read as one list of fields (the header files)
  int depth_item = 0;                  // the item that holds the record's depth; 0 for none
  bool blank_depth_continues = false;  // a blank or zero depth continues the record before
  WhenEmpty when_empty = WhenEmpty::kKeep;
  bool required = false;  // a data set without it, or with it empty, is refused
  std::array<CodeItems, 2> codes = {};
};

// The header record and the two title files.
inline constexpr RecordFileLayout kCntFile{
    .name = "CNT.TXT", .items_per_record = 10, .whole_records = false};
inline constexpr RecordFileLayout kTitle1File{.name = "Titl01.txt",
                                              .items_per_record = 23,
                                              .whole_records = false,
                                              .when_empty = WhenEmpty::kDelete};
inline constexpr RecordFileLayout kTitle2File{
    .name = "Titl02.txt",
    .items_per_record = 41,
    .whole_records = false,
    .when_empty = WhenEmpty::kDelete,
    .codes = {{{.first = 31, .last = 31, .table = &kL2Table}}}};

// The layer files: geology classification, soil names, notes, further soil texts.
inline constexpr RecordFileLayout kX1File{
    .name = "X1.txt",
    .items_per_record = 4,
    .depth_item = 2,
    .required = true,
    .codes = {{{.first = 3, .last = 3, .table = &kKishituTable}}}};
inline constexpr RecordFileLayout kX3File{
    .name = "X3.txt",
    .items_per_record = 7,
    .depth_item = 2,
    .codes = {{{.first = 3, .last = 3, .form = CodeForm::kTwoCharPairs, .table = &kL4Table},
               {.first = 5, .last = 5, .form = CodeForm::kTwoCharPairs, .table = &kL4Table}}}};
inline constexpr RecordFileLayout kX12File{
    .name = "X12.txt", .items_per_record = 3, .depth_item = 2, .blank_depth_continues = true};
inline constexpr RecordFileLayout kX14File{
    .name = "X14.txt", .items_per_record = 6, .depth_item = 2};

// The record files of the blocks.
inline constexpr RecordFileLayout kX5File{
    .name = "X5.TXT", .items_per_record = 11, .depth_item = 2, .when_empty = WhenEmpty::kDelete};
// Items 9 to 28 are twenty code columns; the first ten name the sample in its 1400 line.
inline constexpr RecordFileLayout kX6File{
    .name = "X6.TXT",
    .items_per_record = 68,
    .when_empty = WhenEmpty::kDelete,
    .codes = {{{.first = 9, .last = 18, .form = CodeForm::kLastTwo, .table = &kL100Table}}}};
// Items 9 to 28 are the codes of twenty test slots, items 49 to 68 their texts.
inline constexpr RecordFileLayout kX7File{
    .name = "X7.TXT",
    .items_per_record = 68,
    .when_empty = WhenEmpty::kDelete,
    .codes = {{{.first = 9, .last = 28, .table = &kL8Table, .text_offset = 40}}}};
inline constexpr RecordFileLayout kX11File{
    .name = "X11.TXT",
    .items_per_record = 5,
    .depth_item = 2,
    .when_empty = WhenEmpty::kDelete,
    .codes = {{{.first = 3, .last = 3, .table = &kL10Table}}}};
inline constexpr RecordFileLayout kN8File{.name = "N8.TXT", .items_per_record = 3};
inline constexpr RecordFileLayout kN9File{.name = "N9.TXT", .items_per_record = 3};

// Every file of a data set, in the order the conversion reads them.
inline constexpr std::array<const RecordFileLayout*, 13> kDataSetFiles = {
    &kX1File, &kTitle1File, &kTitle2File, &kCntFile, &kX3File, &kX12File, &kX14File,
    &kX5File, &kX6File,     &kX11File,    &kN8File,  &kN9File, &kX7File};

}  // namespace tavrimen
