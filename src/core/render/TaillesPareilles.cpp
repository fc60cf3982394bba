// Sizes that fit alike. A frame asked at a huge size in a small box tries every half point down
// to the one that fits, and each new size costs a font of its own; most of those sizes answer
// every measure the same way. A measure grows with the size, so between two sizes at which each
// measure the fitting asks answers alike (it overflows or not, passes its test or not) every
// size answers alike: those sizes wrap the same lines, give the same reports and do not fit.
// They are passed over, their reports given again in order.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "render/TracPlanOCX.hpp"
#include "support/Conversions.hpp"

namespace vitrail {

double TracPlanOCX::tailleSuivante(double taille, double plancher, const JournalLargeurs& journal,
                                   const std::vector<RapportNote>& rapports, BoiteTexte boite) {
    const double suivante = taille - PasTaille;
    // Only after a few sizes that answered alike: a frame that shrinks by a few sizes, as most
    // do, would pay for probes that pass over nothing.
    if (!journal.complet || journal.rendus < 3) return suivante;
    // The smallest size the fitting tries is that many steps down; it is always fitted.
    const double marches = std::floor((taille - plancher) / PasTaille);
    if (!(marches >= 2)) return suivante;
    const auto derniere = static_cast<std::int64_t>(std::min(marches, 1e6));
    const Texte nomFinal = nomProcedure;
    const auto ici = reponsesTaille(journal, boite);
    if (!ici) return suivante;
    const auto pareille = [&](std::int64_t marche) {
        cibleDessin().FontSize(CSng(taille - static_cast<double>(marche) * PasTaille));
        return reponsesTaille(journal, boite) == ici;
    };
    // The furthest size known alike, then the nearest known not, narrowed down.
    std::int64_t pareil = 1;
    std::int64_t different = derniere + 1;
    for (std::int64_t marche = 2; different > derniere; marche = std::min(marche * 2, derniere)) {
        if (!pareille(marche)) {
            different = marche;
        } else {
            pareil = marche;
            if (marche == derniere) break;
        }
    }
    while (different - pareil > 1 && different <= derniere) {
        const std::int64_t milieu = pareil + (different - pareil) / 2;
        (pareille(milieu) ? pareil : different) = milieu;
    }
    for (std::int64_t passee = 1; passee < pareil; ++passee) {
        for (const RapportNote& r : rapports) {
            nomProcedure = r.procedure;
            RapportErreur(r.erreur);
        }
    }
    nomProcedure = nomFinal;
    return taille - static_cast<double>(pareil) * PasTaille;
}

}  // namespace vitrail
