#pragma once

#include <cstdint>
#include <variant>

#include "support/Texte.hpp"

namespace vitrail {

// A value whose type travels with it: Empty, Boolean, Integer (16-bit), Long (32-bit), Single,
// Double or String. Flags of frames and the values of the numeric helpers are of this kind.
class Variant {
  public:
    struct Vide {
        bool operator==(const Vide&) const = default;
    };
    using Contenu = std::variant<Vide, bool, std::int16_t, std::int32_t, float, double, Texte>;

    Variant() = default;
    Variant(bool b) : contenu_(b) {}
    Variant(std::int16_t n) : contenu_(n) {}
    Variant(std::int32_t n) : contenu_(n) {}
    Variant(float x) : contenu_(x) {}
    Variant(double x) : contenu_(x) {}
    Variant(Texte t) : contenu_(std::move(t)) {}
    Variant(const char32_t* t) : contenu_(Texte(t)) {}

    const Contenu& contenu() const { return contenu_; }
    bool estVide() const { return std::holds_alternative<Vide>(contenu_); }
    bool estTexte() const { return std::holds_alternative<Texte>(contenu_); }
    // True for a String variant holding exactly this text; never for a Boolean or a number.
    bool estLeTexte(std::u32string_view t) const;

    // Conversions as the language does them; a value that does not convert raises error 13,
    // one out of range error 6.
    bool versBooleen() const;
    std::int16_t versEntier() const;
    std::int32_t versLong() const;
    double versDouble() const;
    Texte versTexte() const;

    // Same type and same value.
    bool operator==(const Variant&) const = default;

  private:
    Contenu contenu_;
};

// Compares as the language compares two variants: numbers numerically (Empty counts as 0,
// True as -1), texts by character codes, a number against a text only when the text reads as a
// number (error 13 otherwise). Negative, zero or positive.
int comparer(const Variant& a, const Variant& b);

}  // namespace vitrail
