#pragma once

#include <cstdint>
#include <optional>

#include "support/Texte.hpp"

namespace vitrail {

// Nearest whole number, halves to the even neighbour.
double arrondiPair(double v);

// Whole-number conversions: nearest, halves to even; error 6 outside the 16-bit or 32-bit range.
std::int16_t CInt(double v);
std::int32_t CLng(double v);
// Single precision; error 6 beyond its range.
float CSng(double v);

// Default number-to-text form: shortest decimal text of up to 7 (Single) or 15 (Double)
// significant digits, "." as the decimal separator, "E+nn" for very large or small values.
Texte texteNombre(double v, int chiffresSignificatifs = 15);

// A text read as a number: blanks around, sign, digits, decimal point, exponent, or "&H" hex.
// Empty when the text is not a number.
std::optional<double> lireNombre(const Texte& texte);

}  // namespace vitrail
