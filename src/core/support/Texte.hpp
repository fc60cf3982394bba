#pragma once

#include <string>
#include <string_view>

namespace vitrail {

// Every text of the component: one element per Unicode code point, so that counting, cutting and
// trimming characters never splits one in two.
using Texte = std::u32string;

// Throws std::invalid_argument on a malformed sequence.
Texte depuisUtf8(std::string_view utf8);
std::string versUtf8(std::u32string_view texte);
// Equal texts, compared as one block of memory.
bool memesTextes(std::u32string_view a, std::u32string_view b);

// Case folding of the ASCII letters only: tags and Boolean texts are ASCII.
char32_t minusculeAscii(char32_t c);
bool egauxSansCasse(std::u32string_view a, std::u32string_view b);

}  // namespace vitrail
