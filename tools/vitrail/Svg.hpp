#pragma once

#include <string>

#include "Options.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail::outil {

// The drawing of the png target (same size, zoom and pass) as SVG in place of the file, text
// kept as text. Throws std::runtime_error and leaves the previous file when the drawing or
// the write failed.
void svg(TracPlanDLL& plan, const Options& o, const std::string& sortie);

}  // namespace vitrail::outil
