// The layer block: slots 1 and 2 merged into one column of layers from the top down, each with the
// slot 4 texts and the slot 3 notes that lie above its bottom, closed by "-1"; one more "-1" ends
// the block.
#pragma once

#include "output/layer_cursor.h"
#include "output/line_buffer.h"
#include "reference/dictionaries.h"

namespace tavrimen {

void WriteLayerBlock(LayerCursor& cursor, const Dictionaries& dictionaries, LineBuffer& lines);

}  // namespace tavrimen
