#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

#include "vitrail/Export.hpp"

namespace vitrail {

// Writes the bytes in place of the file as the library writes its own: into a temporary file
// beside it, renamed over it once every byte is on disk. A failure throws std::system_error
// naming the file and leaves the previous one as it was.
VITRAIL_EXPORT void ecritFichier(const std::string& chemin, std::string_view octets);

// Has these signals remove every temporary file still open, then take their default course.
// Only signals left at their default action are taken over. For programs: a library leaves its
// host's signals alone.
VITRAIL_EXPORT void nettoieSurSignal(std::initializer_list<int> signaux);

}  // namespace vitrail
