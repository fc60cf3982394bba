// Text layout: word wrapping with hyphenation, shrinking until the lines fit, placement.
#include <algorithm>
#include <optional>

#include "render/Balises.hpp"
#include "render/Caches.hpp"
#include "render/TracPlanOCX.hpp"
#include "support/Conversions.hpp"

namespace vitrail {

namespace {

constexpr char32_t Blanc = U' ';
constexpr char32_t RetourChariot = U'\r';
// Font sizes shrink by this step.
constexpr double PasTaille = 0.5;
// The text that gives the height of one line.
constexpr char32_t TexteHauteurLigne[] = U"WWW";

// The first k characters, as the language's Left$ takes them.
Texte gauche(const Texte& texte, std::int32_t k) {
    if (k < 0) throw ErreurExecution(erreurs::AppelIncorrect);
    return texte.substr(0, static_cast<std::size_t>(k));
}

}  // namespace

void TracPlanOCX::AjouteLigneTexte(const Texte& ligne) {
    avecGestionnaire(U"AjouteLigneTexte", [&] {
        const std::size_t debut = ligne.find_first_not_of(Blanc);
        if (debut == Texte::npos) return;
        const std::size_t fin = ligne.find_last_not_of(Blanc);
        if (!isLignes[1].empty() || isLignes.size() != 2) isLignes.emplace_back();
        isLignes.back() = ligne.substr(debut, fin - debut + 1);
    });
}

// Places the word M after the line L, splitting it with hyphens while it is wider than a line.
void TracPlanOCX::placeMot(Texte& L, Texte& M, double A) {
    const auto W = [&](const Texte& x) { return static_cast<double>(RtvTextWidth(x)); };
    const auto prefixe = [&] { return L.empty() ? Texte() : L + Blanc; };
    const std::int32_t minimum = reglages.piNbMiniLettresDunMot;
    while (W(M) > A) {
        std::int32_t k = minimum;
        // The cap keeps a metric that shrinks with the hyphen from looping for ever.
        while (k <= static_cast<std::int32_t>(M.size()) &&
               W(prefixe() + gauche(M, k) + U"-") <= A) {
            ++k;
        }
        // A split that takes no letter (a minimum of 0) after an empty line would give the same
        // word back for ever; after a line that is not empty it ends that line.
        if (k > minimum && (k > 1 || !L.empty())) {
            AjouteLigneTexte(prefixe() + gauche(M, k - 1) + U"-");
            M.erase(0, static_cast<std::size_t>(k - 1));
            L.clear();
            continue;
        }
        if (!L.empty()) {
            AjouteLigneTexte(L);
            L.clear();
        }
        while (!M.empty() && W(L) <= A) {
            L.push_back(M.front());
            M.erase(0, 1);
        }
        AjouteLigneTexte(L + U"-");
        L.clear();
    }
    if (W(prefixe() + M) > A) {
        AjouteLigneTexte(L);
        L = M;
    } else {
        L = prefixe() + M;
    }
    M.clear();
}

void TracPlanOCX::GetTableauTexteLong(const Texte& texte, double gauche_, double droite) {
    avecGestionnaire(U"GetTableauTexteLong", [&] {
        // The margin's complement is 16-bit arithmetic: an absurd margin overflows.
        const double A =
            std::max(0.0, (droite - gauche_) * CInt(100 - reglages.piMargeEnPourcent) / 100);
        if (journal_ != nullptr) journal_->disponible = A;
        Texte L;
        Texte M;
        isLignes.assign(2, Texte());
        for (std::size_t i = 0; i < texte.size();) {
            Texte jeton;
            if (const auto balise = baliseEn(texte, i)) {
                jeton = balise->minuscules;
                i += balise->longueur;
            } else {
                jeton = texte[i++];
            }
            const bool retour = jeton.size() == 1 && jeton[0] == RetourChariot;
            if (retour || (jeton.size() == 1 && jeton[0] == Blanc)) {
                placeMot(L, M, A);
            } else {
                M += jeton;
            }
            if (retour) {
                AjouteLigneTexte(L.empty() ? Texte(1, RetourChariot) : L + Blanc);
                L.clear();
                M.clear();
            }
        }
        // The last word is never split.
        if (RtvTextWidth(L + Blanc + M) > A) {
            AjouteLigneTexte(L);
            AjouteLigneTexte(M);
        } else {
            AjouteLigneTexte(L + Blanc + M);
        }
    });
}

// A wrap's path depends only on the text, the available width and how each width it asks
// compares with that width; on the screen each width may also overflow and be reported. So when
// every width the previous wrap of this text asked, measured at the current size, overflows as
// it did and compares as it did, this wrap would take the same path: the same lines (still in
// isLignes) and the same reports in the same order, which are shown again without wrapping. A
// wrap that reported anything else, or whose widths were too many to keep, is done again.
void TracPlanOCX::tableauOuRejeu(const Texte& texte, double gauche_, double droite,
                                 JournalLargeurs& journal) {
    if (journal.complet && memesReponses(journal)) {
        std::optional<ErreurExecution> depassement;
        for (const LargeurNotee& l : journal.largeurs) {
            if (!l.deborde) continue;
            nomProcedure = U"TextWidth";
            if (!depassement) depassement.emplace(erreurs::Depassement);
            RapportErreur(*depassement);
        }
        nomProcedure = journal.nomFinal;
        return;
    }
    journal = {};
    journal.enregistre = true;
    const std::uint64_t rapportsAvant = rapports_;
    journal_ = &journal;
    GetTableauTexteLong(texte, gauche_, droite);
    journal_ = nullptr;
    const auto debordements =
        static_cast<std::uint64_t>(std::count_if(journal.largeurs.begin(), journal.largeurs.end(),
                                                 [](const LargeurNotee& l) { return l.deborde; }));
    journal.complet = journal.enregistre && rapports_ - rapportsAvant == debordements;
    journal.nomFinal = nomProcedure;
}

void TracPlanOCX::ImprimeTexteLong(const Texte& texte, double haut, double gauche_, double bas,
                                   double droite, std::int16_t taille, const Texte& aligne) {
    avecGestionnaire(U"ImprimeTexteLong", [&] {
        const auto W = [&](const Texte& x) { return static_cast<double>(RtvTextWidth(x)); };
        const auto nombreLignes = [&] { return static_cast<double>(isLignes.size() - 1); };
        lignesDifferees_.reset();
        double Z = taille;
        std::int16_t h = 0;
        bool ajuste = false;
        // Sizes go down by steps from a whole number, so the smallest that can be drawn is one
        // step: a floor below it (down to -1e300) would only add sizes of zero or less, for ever.
        const double plancher = std::max(reglages.pdMinFontSize, PasTaille);
        bool boucle = Z >= plancher;

        const bool garde = caches::actifs();
        CleMiseEnPage cle;
        const MiseEnPageConnue* connue = nullptr;
        if (garde) {
            const Surface& c = cibleDessin();
            cle = {.texte = texte,
                   .largeur = droite - gauche_,
                   .hauteur = bas - haut,
                   .taille = taille,
                   .police = Police::de(c),
                   .marge = reglages.piMargeEnPourcent,
                   .minimumLettres = reglages.piNbMiniLettresDunMot,
                   .tailleMinimum = reglages.pdMinFontSize,
                   .cible = ilTypeImpression,
                   .resolution = c.Resolution()};
            connue = caches_.miseEnPage(cle);
        }
        if (connue != nullptr) {
            // Known from a fitting that raised nothing: what it would do again.
            isLignes = connue->lignes;
            Z = connue->taille;
            h = connue->hauteurLigne;
            boucle = connue->boucle;
            ajuste = connue->ajuste;
            cibleDessin().FontSize(connue->tailleLaissee);
            nomProcedure = connue->procedure;
        } else {
            const std::uint64_t rapportsAvant = rapports_;
            JournalLargeurs journal;
            const auto enveloppe = [&] {
                if (garde) {
                    tableauOuRejeu(texte, gauche_, droite, journal);
                } else {
                    GetTableauTexteLong(texte, gauche_, droite);
                }
            };
            enveloppe();
            while (Z >= plancher) {
                cibleDessin().FontSize(CSng(Z));
                enveloppe();
                h = CInt(RtvTextHeight(TexteHauteurLigne));
                const std::int16_t w = CInt(W(GetLigneLaPlusLongue()));
                if (bas - haut >= nombreLignes() * h && droite - gauche_ >= w) {
                    ajuste = true;
                    break;
                }
                Z -= PasTaille;
            }
            if (garde && rapports_ == rapportsAvant) {
                caches_.garde(std::move(cle), {.lignes = isLignes,
                                               .taille = Z,
                                               .hauteurLigne = h,
                                               .boucle = boucle,
                                               .ajuste = ajuste,
                                               .tailleLaissee = cibleDessin().FontSize(),
                                               .procedure = nomProcedure});
            }
        }
        // The size drawn at: the last one tried, unless none was.
        const double tailleDessinee = boucle && !ajuste ? Z + PasTaille : Z;
        std::int32_t lignesEcrites = 0;

        const double D = RtvTextHeight(TexteHauteurLigne);
        hauteurLigne_ = D;
        double Y = haut;
        if (aligne.find(U'V') != Texte::npos) {
            const double T = nombreLignes() * D;
            if (bas - haut >= T) {
                Y = haut + (bas - haut) / 2 - T / 2;
            } else {
                Y = haut + D / 2;
                if (bas - D < Y) Y = haut;
            }
        }
        const bool centre = aligne.find(U'H') != Texte::npos;
        for (std::size_t i = 1; i < isLignes.size(); ++i) {
            if (bas - D < Y && ilTypeImpression != eiTypeSortieHTML) break;
            const Texte& ligne = isLignes[i];
            const double X = centre ? (droite - gauche_) / 2 + gauche_ - W(ligne) / 2 : gauche_;
            ioObject().CurrentX(X);
            ioObject().CurrentY(Y);
            positionPosee_ = true;
            if (ligne.empty()) continue;
            if (ilTypeImpression != eiTypeSortieHTML) {
                ImprimeLigneBalisee(ioObject(), ligne);
                // Where the line's ink went, for a later pass that may leave it out of view.
                encreGauche_ = std::min(encreGauche_, X);
                encreDroite_ = std::max(encreDroite_, cibleDessin().CurrentX());
                ++lignesEcrites;
            } else if (Y + h - 10 <= bas) {
                html_.ligne(ligne, Y, X, bas, droite, Z, imprimante());
                ++lignesEcrites;
            }
            Y += D;
        }
        if (!(isLignes.size() == 2 && isLignes[1].empty())) {
            const Debordement d{
                .iNoObjet = cadreEnCours_,
                .taille = tailleDessinee,
                .auPlancher = boucle && !ajuste,
                .lignesPerdues = static_cast<std::int32_t>(isLignes.size() - 1) - lignesEcrites};
            if (d.auPlancher || d.lignesPerdues > 0) {
                debordementCadre_ = d;
                if (observateurDebordement) observateurDebordement(d);
            }
        }
    });
}

}  // namespace vitrail
