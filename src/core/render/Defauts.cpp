#include "render/Defauts.hpp"

#include "render/TableChamps.hpp"

namespace vitrail {

namespace {

void parDefaut(Variant& valeur, bool reglage) {
    if (valeur.estLeTexte(MarqueurNonDefini)) valeur = reglage;
}
void parDefaut(Texte& valeur, const Texte& reglage) {
    if (valeur == MarqueurNonDefini) valeur = reglage;
}
template <class T>
void parDefaut(T& valeur, T reglage) {
    if (valeur == -1) valeur = reglage;
}

}  // namespace

void appliqueReglages(ArgumentsCadre& cadre, const Reglages& reglages) {
    champs::pourChaque(champs::Cadre, [&](const auto& c) {
        if constexpr (champs::present<decltype(c.reglage)>) {
            parDefaut(cadre.*c.controle, reglages.*c.reglage);
        }
    });
}

}  // namespace vitrail
