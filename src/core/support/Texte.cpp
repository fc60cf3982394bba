#include "support/Texte.hpp"

#include <cstring>
#include <stdexcept>

namespace vitrail {

namespace {

// Length of the sequence a lead byte starts, 0 if it starts none.
int longueurSequence(unsigned char tete) {
    if (tete < 0x80) return 1;
    if (tete >= 0xC2 && tete <= 0xDF) return 2;
    if (tete >= 0xE0 && tete <= 0xEF) return 3;
    if (tete >= 0xF0 && tete <= 0xF4) return 4;
    return 0;
}

[[noreturn]] void invalide(std::size_t position) {
    throw std::invalid_argument("texte UTF-8 invalide à l'octet " + std::to_string(position));
}

}  // namespace

Texte depuisUtf8(std::string_view utf8) {
    Texte texte;
    texte.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const auto tete = static_cast<unsigned char>(utf8[i]);
        const int n = longueurSequence(tete);
        if (n == 0 || i + n > utf8.size()) invalide(i);
        char32_t c = n == 1 ? tete : tete & (0x7F >> n);
        for (int k = 1; k < n; ++k) {
            const auto suite = static_cast<unsigned char>(utf8[i + k]);
            if ((suite & 0xC0) != 0x80) invalide(i + k);
            c = (c << 6) | (suite & 0x3F);
        }
        const bool tropLong = (n == 3 && c < 0x800) || (n == 4 && c < 0x10000);
        if (tropLong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) invalide(i);
        texte.push_back(c);
        i += n;
    }
    return texte;
}

bool memesTextes(std::u32string_view a, std::u32string_view b) {
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(char32_t)) == 0);
}

std::string versUtf8(std::u32string_view texte) {
    std::string utf8;
    utf8.reserve(texte.size());
    for (char32_t c : texte) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = U'\uFFFD';
        if (c < 0x80) {
            utf8.push_back(static_cast<char>(c));
        } else if (c < 0x800) {
            utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else if (c < 0x10000) {
            utf8.push_back(static_cast<char>(0xE0 | (c >> 12)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        } else {
            utf8.push_back(static_cast<char>(0xF0 | (c >> 18)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return utf8;
}

char32_t minusculeAscii(char32_t c) {
    return (c >= U'A' && c <= U'Z') ? c + (U'a' - U'A') : c;
}

bool egauxSansCasse(std::u32string_view a, std::u32string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (minusculeAscii(a[i]) != minusculeAscii(b[i])) return false;
    }
    return true;
}

}  // namespace vitrail
