#include "support/Variant.hpp"

#include "support/Conversions.hpp"
#include "support/ErreurExecution.hpp"

namespace vitrail {

namespace {

template <class... F>
struct Visiteur : F... {
    using F::operator()...;
};
// Spelled out for compilers without deduction from aggregate initialisation (clang before 17).
template <class... F>
Visiteur(F...) -> Visiteur<F...>;

[[noreturn]] void incompatibilite() {
    throw ErreurExecution(erreurs::IncompatibiliteType);
}

double nombreDuTexte(const Texte& t) {
    const auto n = lireNombre(t);
    if (!n) incompatibilite();
    return *n;
}

// The numeric value of a variant that is not a text.
double nombre(const Variant::Contenu& c) {
    return std::visit(
        Visiteur{[](Variant::Vide) { return 0.0; }, [](bool b) { return b ? -1.0 : 0.0; },
                 [](const Texte& t) { return nombreDuTexte(t); },
                 [](auto x) { return static_cast<double>(x); }},
        c);
}

}  // namespace

bool Variant::estLeTexte(std::u32string_view t) const {
    const auto* texte = std::get_if<Texte>(&contenu_);
    return texte != nullptr && *texte == t;
}

bool Variant::versBooleen() const {
    if (const auto* t = std::get_if<Texte>(&contenu_)) {
        if (egauxSansCasse(*t, U"true")) return true;
        if (egauxSansCasse(*t, U"false")) return false;
        return nombreDuTexte(*t) != 0;
    }
    return nombre(contenu_) != 0;
}

std::int16_t Variant::versEntier() const {
    return CInt(nombre(contenu_));
}

std::int32_t Variant::versLong() const {
    return CLng(nombre(contenu_));
}

double Variant::versDouble() const {
    return nombre(contenu_);
}

Texte Variant::versTexte() const {
    return std::visit(
        Visiteur{[](Vide) { return Texte(); }, [](bool b) { return Texte(b ? U"True" : U"False"); },
                 [](const Texte& t) { return t; }, [](float x) { return texteNombre(x, 7); },
                 [](auto x) { return texteNombre(static_cast<double>(x)); }},
        contenu_);
}

int comparer(const Variant& a, const Variant& b) {
    const bool texteA = a.estTexte() || (a.estVide() && b.estTexte());
    const bool texteB = b.estTexte() || (b.estVide() && a.estTexte());
    if (texteA && texteB) {
        const Texte ta = a.versTexte();
        const Texte tb = b.versTexte();
        return ta < tb ? -1 : (ta == tb ? 0 : 1);
    }
    const double na = nombre(a.contenu());
    const double nb = nombre(b.contenu());
    return na < nb ? -1 : (na == nb ? 0 : 1);
}

}  // namespace vitrail
