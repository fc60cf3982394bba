#include "support/Conversions.hpp"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/ErreurExecution.hpp"

namespace vitrail {

double arrondiPair(double v) {
    // Spelled out so that it never depends on the floating-point rounding mode in force.
    const double bas = std::floor(v);
    const double reste = v - bas;
    if (reste < 0.5) return bas;
    if (reste > 0.5) return bas + 1;
    return std::fmod(bas, 2.0) == 0 ? bas : bas + 1;
}

namespace {

template <class Entier>
Entier entierBorne(double v, double min, double max) {
    const double r = arrondiPair(v);
    if (!(r >= min && r <= max)) throw ErreurExecution(erreurs::Depassement);
    return static_cast<Entier>(r);
}

}  // namespace

std::int16_t CInt(double v) {
    return entierBorne<std::int16_t>(v, -32768.0, 32767.0);
}

std::int32_t CLng(double v) {
    return entierBorne<std::int32_t>(v, -2147483648.0, 2147483647.0);
}

float CSng(double v) {
    if (std::isnan(v) || std::fabs(v) > FLT_MAX) throw ErreurExecution(erreurs::Depassement);
    return static_cast<float>(v);
}

Texte texteNombre(double v, int chiffresSignificatifs) {
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.*G", chiffresSignificatifs, v);
    std::string s = tampon;
    if (s == "-0") s = "0";
    return depuisUtf8(s);
}

std::optional<double> lireNombre(const Texte& texte) {
    std::size_t debut = texte.find_first_not_of(U' ');
    if (debut == Texte::npos) return std::nullopt;
    std::size_t fin = texte.find_last_not_of(U' ');
    std::string ascii;
    for (std::size_t i = debut; i <= fin; ++i) {
        const char32_t c = texte[i];
        if (c > 0x7F) return std::nullopt;
        ascii.push_back(static_cast<char>(c));
    }
    if (ascii.size() > 2 && ascii[0] == '&' && (ascii[1] == 'H' || ascii[1] == 'h')) {
        char* reste = nullptr;
        const long long n = std::strtoll(ascii.c_str() + 2, &reste, 16);
        if (*reste != '\0' || ascii.size() > 10) return std::nullopt;
        // Up to four digits read as 16-bit, up to eight as 32-bit, as two's complement.
        if (ascii.size() <= 6) return static_cast<double>(static_cast<std::int16_t>(n));
        return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(n)));
    }
    // Only plain decimal forms: strtod alone would also take "inf", "nan" and hex floats.
    for (char c : ascii) {
        const bool permis =
            (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E';
        if (!permis) return std::nullopt;
    }
    char* reste = nullptr;
    const double v = std::strtod(ascii.c_str(), &reste);
    if (reste == ascii.c_str() || *reste != '\0') return std::nullopt;
    return v;
}

}  // namespace vitrail
