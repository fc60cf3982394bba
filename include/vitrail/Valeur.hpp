#pragma once

#include <string>
#include <variant>

namespace vitrail {

// The marker of a text or flag argument that the caller leaves to the settings.
inline constexpr const char* NonDefini = "NonDéfini";

// A flag argument: a Boolean, a number or a text. Left out, it holds the marker text, so the
// frame takes the setting of the same name.
class Valeur {
  public:
    using Contenu = std::variant<bool, double, std::string>;

    Valeur() : contenu_(std::string(NonDefini)) {}
    Valeur(bool b) : contenu_(b) {}
    Valeur(int n) : contenu_(static_cast<double>(n)) {}
    Valeur(double d) : contenu_(d) {}
    Valeur(const char* texte) : contenu_(std::string(texte)) {}
    Valeur(std::string texte) : contenu_(std::move(texte)) {}

    const Contenu& contenu() const { return contenu_; }
    bool operator==(const Valeur&) const = default;

  private:
    Contenu contenu_;
};

}  // namespace vitrail
