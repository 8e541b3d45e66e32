#include "app/output_generation.h"

#include "output/layer_block.h"
#include "output/layer_cursor.h"
#include "output/record_blocks.h"
#include "source/header_readers.h"
#include "source/record_lines.h"

namespace tavrimen {

void BuildRecordLines(Session& session) {
  LineBuffer& lines = session.lines;
  lines.Clear();
  ReadTitleFiles(session.source, session.title_data);

  HeaderLines header;
  HeaderReaders readers(session.title_data, session.source, session.code_tables, header);
  const CntValues cnt = readers.ReadCntRecord();
  LoadKishituTable(session.patdat, session.dictionaries);
  readers.ReadTitle1Record();
  readers.ReadTitle2Record();
  for (int i = 2; i < record::header::kSoilPattern; ++i) {
    lines.Line(i) = std::move(header[static_cast<std::size_t>(i)]);
  }
  lines.Line(record::header::kSoilPattern) = "10.00 -1 " + cnt.soil_pattern + " soilpat.asg";

  LayerCursor cursor(session.dictionaries, session.source);
  WriteLayerBlock(cursor, session.dictionaries, lines);
  WriteX5Block(session.source, lines);
  const std::vector<X6CodeRow> x6_rows = WriteX6Block(session.source, lines);
  WriteX11Block(session.source, session.code_tables, lines);
  WriteDatedBlocks(session.source, cnt.boring_number, lines);
  WriteX7Block(session.source, session.code_tables, lines);
  Write1400Lines(x6_rows, session.code_tables, lines);

  lines.Line(1) = record::kHeaderLine;
}

std::string GenerateRecordFile(Session& session) {
  BuildRecordLines(session);
  std::string bytes = session.lines.FileContent();
  session.source.files.WriteFileAtomically(session.output_path, bytes);
  return bytes;
}

}  // namespace tavrimen
