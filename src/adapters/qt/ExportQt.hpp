#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/Surface.hpp"

namespace vitrail::qt {

class SurfaceQt;

// Runs the pass (true when it went through) with the page's device beside the surface's image,
// so that the page gets exactly the drawing the image gets, then gives the file's bytes: the
// image as PNG, the page, or the SVG. Empty when the pass failed. Throws std::runtime_error
// when the picture cannot be encoded.
std::optional<std::string> dessineImage(SurfaceQt& surface, eFormatImage format,
                                        const PageImage& page, const std::function<bool()>& passe);

}  // namespace vitrail::qt
