// The body of a boring log: the scale, the layers with their soil symbols, boundaries and texts,
// the notes, the water levels, the standard penetration tests, the samples, the in-situ tests,
// the in-hole conditions and the drilling progress, each in its column at its depth, page by page.
#pragma once

#include <array>

#include "preview/boring_log.h"
#include "preview/log_canvas.h"
#include "preview/log_facts.h"
#include "preview/soil_symbols.h"

namespace tavrimen::preview {

// Draws the body of `log` onto the canvas's pages, and marks the soil classes it uses.
void DrawBody(const BoringLog& log, const LogFacts& facts, Canvas& canvas,
              std::array<bool, kSoilClassCount>& classes_used);

}  // namespace tavrimen::preview
