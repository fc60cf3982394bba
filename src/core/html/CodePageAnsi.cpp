#include "html/CodePageAnsi.hpp"

#include <array>

namespace vitrail {

namespace {

// The characters of bytes 0x80 to 0x9F; 0 where the code page defines none.
constexpr std::array<char32_t, 32> Plage80{
    U'\u20AC', 0,         U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', 0,         U'\u017D', 0,
    0,         U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', 0,         U'\u017E', U'\u0178'};

char octet(char32_t c) {
    // The C1 controls are not characters of the code page, although they share its byte values.
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<char>(c);
    for (std::size_t i = 0; i < Plage80.size(); ++i) {
        if (Plage80[i] == c) return static_cast<char>(0x80 + i);
    }
    return '?';
}

}  // namespace

std::string versWindows1252(std::u32string_view texte) {
    std::string octets;
    octets.reserve(texte.size());
    for (const char32_t c : texte)
        octets.push_back(octet(c));
    return octets;
}

}  // namespace vitrail
