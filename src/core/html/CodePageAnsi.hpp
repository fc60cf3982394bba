#pragma once

#include <string>
#include <string_view>

namespace vitrail {

// Windows-1252, the ANSI code page the HTML export is written in. A character the code page
// lacks becomes "?".
std::string versWindows1252(std::u32string_view texte);

}  // namespace vitrail
