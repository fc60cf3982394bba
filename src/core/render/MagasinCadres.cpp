// The control's settings and frame store.
#include <limits>
#include <utility>

#include "render/Defauts.hpp"
#include "render/TableChamps.hpp"
#include "render/TracPlanOCX.hpp"

namespace vitrail {

namespace {

// A setting as Initialise gives it, as the control keeps it.
void enReglage(const Texte& valeur, Texte& reglage, const char32_t* siNonDefini) {
    reglage = siNonDefini != nullptr && valeur == MarqueurNonDefini ? Texte(siNonDefini) : valeur;
}
void enReglage(const Variant& valeur, Texte& reglage, const char32_t* siNonDefini) {
    reglage = siNonDefini != nullptr && valeur.estLeTexte(MarqueurNonDefini) ? Texte(siNonDefini)
                                                                             : valeur.versTexte();
}
template <class T>
void enReglage(const T& valeur, T& reglage, const char32_t*) {
    reglage = valeur;
}

// A frame argument, defaulted, as the store keeps it. Flags become Booleans here, but for the
// one kept as given.
void enStocke(const Variant& valeur, bool& stocke) {
    stocke = valeur.versBooleen();
}
template <class T>
void enStocke(const T& valeur, T& stocke) {
    stocke = valeur;
}

}  // namespace

void TracPlanOCX::Initialise(const ArgumentsReglages& a) {
    avecGestionnaire(U"Initialise", [&] {
        Reglages nouveaux;
        champs::pourChaque(champs::Initialise, [&](const auto& c) {
            if constexpr (champs::present<decltype(c.reglage)>) {
                enReglage(a.*c.controle, nouveaux.*c.reglage, c.siNonDefini);
            }
        });
        reglages = std::move(nouveaux);
        surface().BackColor(reglages.plCouleurFond);
    });
}

void TracPlanOCX::NewCadreTexte(const ArgumentsCadre& arguments) {
    avecGestionnaire(U"NewCadreTexte", [&] {
        ArgumentsCadre a = arguments;
        appliqueReglages(a, reglages);
        if (ilNbCadres == std::numeric_limits<std::int32_t>::max()) {
            throw ErreurExecution(erreurs::Depassement);
        }
        ++ilNbCadres;
        if (!ioCadres) ioCadres.emplace();
        CadreDef cadre;
        champs::pourChaque(champs::Cadre,
                           [&](const auto& c) { enStocke(a.*c.controle, cadre.*c.stocke); });
        cadre.iNoObjet = ilNbCadres;
        ioCadres->push_back(std::move(cadre));
    });
}

void TracPlanOCX::NewCadreImage(const Texte& psImagePath, double piHaut, double piGauche,
                                double piBas, double piDroite) {
    avecGestionnaire(U"NewCadreImage", [&] {
        NewCadreTexte({.piHaut = piHaut,
                       .piGauche = piGauche,
                       .piBas = piBas,
                       .piDroite = piDroite,
                       .psText = PrefixeImage + psImagePath});
    });
}

}  // namespace vitrail
