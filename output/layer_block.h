// The layer block: the geology layers of X1.txt and the soil layers of X3.txt merged into one
// column of layers from the top down, each with the colour and density of X14.txt and the notes of
// X12.txt that lie above its bottom, closed by "-1"; one more "-1" ends the block.
#pragma once

#include "output/layer_cursor.h"
#include "output/line_buffer.h"
#include "reference/dictionaries.h"

namespace tavrimen {

void WriteLayerBlock(LayerCursor& layers, const Dictionaries& dictionaries, LineBuffer& lines);

}  // namespace tavrimen
