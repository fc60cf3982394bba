// Text layout: word wrapping with hyphenation, shrinking until the lines fit, placement.
#include <algorithm>
#include <cmath>
#include <optional>

#include "render/Balises.hpp"
#include "render/Caches.hpp"
#include "render/TracPlanOCX.hpp"
#include "support/Conversions.hpp"

namespace vitrail {

namespace {

constexpr char32_t Blanc = U' ';
constexpr char32_t RetourChariot = U'\r';
constexpr char32_t SautDeLigne = U'\n';
constexpr char32_t Tabulation = U'\t';

// The first k characters, as the language's Left$ takes them.
Texte gauche(const Texte& texte, std::int32_t k) {
    if (k < 0) throw ErreurExecution(erreurs::AppelIncorrect);
    return texte.substr(0, static_cast<std::size_t>(k));
}

// Widths and heights well inside 16 bits on every target.
constexpr double SansDebordement = 32000;

}  // namespace

// What the texts a wrap measures are made of: for a text without controls (but carriage returns,
// line feeds and tabs), its characters, where widths add up the pairs that may stand on either
// side of a blank in a line or candidate line (0 for nothing), and its longest run without a
// blank. A line ends with a word or a blank and goes on with the next word, a hyphen (a split
// that takes no letter) or nothing; only a last word can follow nothing. A carriage return ends
// the line like a blank and is never measured inside one: the next line starts from nothing. A
// line feed is a character of its word. Tags are not measured, except where a split cuts one.
struct CompositionTexte {
    // Its characters were read: no control but line breaks and tabs.
    bool lue = false;
    // Its pairs are known too.
    bool simple = false;
    std::u32string caracteres;
    std::vector<std::pair<char32_t, char32_t>> bords;
    // The most characters but tabs, and the most tabs, in one run without a blank.
    std::size_t motLePlusLong = 0;
    std::size_t tabulationsParMot = 0;
    // The run after the last blank or carriage return, as measured: a wrap never splits it.
    Texte dernierMot;
};

namespace {

// Most texts need only the first few scripts, then the basic plane.
constexpr char32_t LimitePlan = 0x10000;
constexpr char32_t DernierCaractere = 0x10FFFF;

// The characters of the text, and its longest run without a blank (its tabs counted apart);
// false when the text holds a control (but a line break or a tab).
bool caracteresDe(const Texte& texte, CompositionTexte& c) {
    std::vector<bool> present(0x590);
    present[Blanc] = present[RetourChariot] = true;
    std::size_t mot = 0;
    std::size_t tabulations = 0;
    for (const char32_t x : texte) {
        if ((x < 0x20 && x != RetourChariot && x != SautDeLigne && x != Tabulation) ||
            x > DernierCaractere) {
            return false;
        }
        if (x >= present.size()) present.resize(x < LimitePlan ? LimitePlan : DernierCaractere + 1);
        if (!present[x]) {
            present[x] = true;
            c.caracteres += x;
        }
        if (x == Blanc || x == RetourChariot) {
            mot = tabulations = 0;
        } else if (x == Tabulation) {
            c.tabulationsParMot = std::max(c.tabulationsParMot, ++tabulations);
        } else {
            c.motLePlusLong = std::max(c.motLePlusLong, ++mot);
        }
    }
    return true;
}

// The pairs beside each blank of the text as measured, tags left out. A line of tags alone, or
// a split that cuts a tag, puts nothing, a blank, or a tag's own chevron beside a blank: with
// markup, those pairs are added on either side of every character that stands beside a blank.
std::vector<std::uint64_t> pairesDe(const Texte& texte, bool balises, bool coupeSansLettre) {
    std::vector<std::uint64_t> paires;
    const auto paire = [&](char32_t a, char32_t b) {
        paires.push_back(static_cast<std::uint64_t>(a) << 32 | b);
    };
    const auto voisin = [&](std::size_t i) {
        return i < texte.size() && texte[i] != RetourChariot ? texte[i] : 0;
    };
    std::vector<char32_t> avants{0, Blanc, U'>'};
    std::vector<char32_t> apres{0, Blanc, U'-', U'<'};
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] != Blanc) continue;
        const char32_t avant = i > 0 ? voisin(i - 1) : 0;
        paire(avant, voisin(i + 1));
        paire(avant, 0);
        if (coupeSansLettre) paire(avant, U'-');
        if (balises) {
            avants.push_back(avant);
            apres.push_back(voisin(i + 1));
        }
    }
    const std::size_t dernier = texte.find_last_of(U" \r");
    const std::size_t debut = dernier == Texte::npos ? 0 : dernier + 1;
    paire(0, debut < texte.size() ? texte[debut] : 0);
    if (balises) {
        for (std::vector<char32_t>* v : {&avants, &apres}) {
            std::sort(v->begin(), v->end());
            v->erase(std::unique(v->begin(), v->end()), v->end());
        }
        for (const char32_t a : {char32_t{0}, Blanc, U'>'}) {
            for (const char32_t b : apres)
                paire(a, b);
        }
        for (const char32_t a : avants) {
            for (const char32_t b : {char32_t{0}, Blanc, U'-', U'<'})
                paire(a, b);
        }
    }
    std::sort(paires.begin(), paires.end());
    paires.erase(std::unique(paires.begin(), paires.end()), paires.end());
    return paires;
}

// On the screen every width a wrap asks may overflow, so where widths add up its pairs are
// needed; elsewhere only its characters and last word.
CompositionTexte compositionDe(const Texte& texte, bool coupeSansLettre, bool ecran) {
    CompositionTexte c;
    if (!ecran) {
        if (!caracteresDe(texte, c)) return {};
        c.lue = true;
        const std::size_t fin = texte.find_last_of(U" \r");
        c.dernierMot =
            EnleveBalises(std::u32string_view(texte).substr(fin == Texte::npos ? 0 : fin + 1));
        return c;
    }
    // Checking a pair costs about what measuring a word does: the shortcut pays only where
    // the text has many more blanks than distinct pairs, and a text with a blank has two. A
    // long text pays for its pairs once per font (the surface knows them for every smaller
    // size), and for every size it wraps in full without the shortcut.
    constexpr std::size_t BlancsParPaire = 4;
    constexpr std::size_t BlancsDUnTexteLong = 1 << 10;
    const auto blancs = static_cast<std::size_t>(std::count(texte.begin(), texte.end(), Blanc));
    if (blancs < 2 * BlancsParPaire) return {};
    if (!caracteresDe(texte, c)) return {};
    c.lue = true;
    const bool balises = avecChevron(texte);
    const Texte mesure = balises ? EnleveBalises(texte) : Texte();
    const std::vector<std::uint64_t> paires =
        pairesDe(balises ? mesure : texte, balises, coupeSansLettre);
    // Tags hold no blank: the text as measured has as many.
    if (paires.size() * BlancsParPaire > blancs && blancs < BlancsDUnTexteLong) return c;
    for (const std::uint64_t p : paires)
        c.bords.emplace_back(static_cast<char32_t>(p >> 32), static_cast<char32_t>(p));
    c.simple = true;
    return c;
}

}  // namespace

// A wrap measures lines of at most the available width, a blank and one more run (with a
// hyphen), and the longest line is no wider: where widths add up over blanks (give or take the
// kerning beside each) and a character adds a bounded width, or where a character adds at most
// a few of the widest glyphs in any script, none of them can overflow. On the printer and the
// HTML page a wrap's widths are not converted to 16 bits, only the longest line's after it: every
// line is one the wrap found no wider than the available width, a word's letters with one more
// and a hyphen, or the last word.
bool TracPlanOCX::enveloppeMuette(const CompositionTexte& c, double gauche_, double droite) {
    if (!c.lue || reglages.piNbMiniLettresDunMot < 0) return false;
    if (ilTypeImpression < 1 || ilTypeImpression > 3) return false;
    const std::int32_t complement = 100 - reglages.piMargeEnPourcent;
    if (complement < -32768 || complement > 32767) return false;
    const bool ecran = ilTypeImpression == eiTypeSortieEcran;
    const double A = std::max(0.0, (droite - gauche_) * complement / 100);
    try {
        Surface& s = ecran ? surface() : cibleDessin();
        // On the HTML target widths are smaller than these twips: the bounds only get safer.
        if (!ecran) {
            const double parCaractere = s.LargeurAjouteeMaximum(c.caracteres);
            return parCaractere > 0 && A + 3 * parCaractere < SansDebordement &&
                   s.TextWidth(c.dernierMot) < SansDebordement;
        }
        // A tab adds at most what the surface bounds it by, and what follows it measures from its
        // stop as if alone: the other characters are bounded without it.
        Texte autres = c.caracteres;
        std::erase(autres, Tabulation);
        if (const double parCaractere = c.simple ? s.LargeurParCaractere(autres, c.bords) : 0;
            parCaractere > 0) {
            const double parTabulation =
                c.tabulationsParMot > 0 ? s.LargeurParCaractere(U"\t", {}) : 0;
            return (c.tabulationsParMot == 0 || parTabulation > 0) &&
                   A + parCaractere * static_cast<double>(c.motLePlusLong + 3) +
                           parTabulation * static_cast<double>(c.tabulationsParMot) <
                       SansDebordement;
        }
        // Otherwise only a text whose widths do not add up is bounded: by what a character adds
        // in any script, over its longest word, a blank, one more and a hyphen.
        if (s.LargeurParCaractere(autres, {}) > 0) return false;
        const double parCaractere = s.LargeurAjouteeMaximum(c.caracteres);
        return parCaractere > 0 && c.tabulationsParMot == 0 &&
               A + parCaractere * static_cast<double>(c.motLePlusLong + 3) < SansDebordement;
    } catch (...) {
        return false;
    }
}

double TracPlanOCX::largeurAjouteeHtml(const Texte& texte) {
    const CompositionTexte c = compositionDe(texte, false, false);
    if (!c.lue) return 0;
    try {
        return cibleDessin().LargeurAjouteeMaximum(c.caracteres);
    } catch (...) {
        return 0;
    }
}

namespace {

// Whether a line centred on `milieu`, of `caracteres` characters that each add at most
// `parCaractere`, starts where a Long can hold, whatever its width.
bool placeDansUnLong(double milieu, std::size_t caracteres, double parCaractere) {
    // Below the Long's limits, rounding and the page's own scale included.
    constexpr double Limite = 2e9;
    const double plusLarge = parCaractere * static_cast<double>(caracteres);
    return parCaractere > 0 && std::isfinite(plusLarge) && std::fabs(milieu) < Limite &&
           milieu - plusLarge / 2 > -Limite;
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
    // Built in place: this is the candidate of nearly every word.
    Texte& suite = ligneEssayee_;
    suite.assign(L);
    if (!L.empty()) suite += Blanc;
    suite += M;
    if (W(suite) > A) {
        AjouteLigneTexte(L);
        L = M;
    } else {
        L.swap(suite);
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
            if (arret_ && !(arret_->hauteurBoite >=
                            static_cast<double>(isLignes.size() - 1) * arret_->hauteurLigne)) {
                arrete_ = true;
                return;
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
        ++journal.rendus;
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
    journal.taille = surface().FontSize();
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
            // A wrap that can report nothing is left out when a later one replaces its lines,
            // and given up at a size that is not the last as soon as its lines overflow the box.
            const CompositionTexte composition =
                garde ? compositionDe(texte, reglages.piNbMiniLettresDunMot == 0,
                                      ilTypeImpression == eiTypeSortieEcran)
                      : CompositionTexte{};
            if (!(garde && boucle && enveloppeMuette(composition, gauche_, droite))) enveloppe();
            while (Z >= plancher) {
                cibleDessin().FontSize(CSng(Z));
                bool faite = false;
                if (garde && Z - PasTaille >= plancher &&
                    enveloppeMuette(composition, gauche_, droite)) {
                    if (const auto hauteur = hauteurMuette(TexteHauteurLigne)) {
                        arret_ = ArretLignes{bas - haut, static_cast<double>(*hauteur)};
                        arrete_ = false;
                        GetTableauTexteLong(texte, gauche_, droite);
                        arret_.reset();
                        // Its lines replace those a replay would give back.
                        journal = {};
                        if (arrete_) {
                            Z -= PasTaille;
                            continue;
                        }
                        faite = true;
                    }
                }
                std::vector<RapportNote> rapports;
                {
                    const NoteRapports note(rapportsNotes_, garde && !faite ? &rapports : nullptr);
                    if (!faite) enveloppe();
                    h = CInt(RtvTextHeight(TexteHauteurLigne));
                    const std::int16_t w = CInt(W(GetLigneLaPlusLongue()));
                    if (bas - haut >= nombreLignes() * h && droite - gauche_ >= w) {
                        ajuste = true;
                        break;
                    }
                }
                Z = garde && !faite
                        ? tailleSuivante(Z, plancher, journal, rapports,
                                         {.hauteur = bas - haut, .largeur = droite - gauche_})
                        : Z - PasTaille;
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
        const double milieu = (droite - gauche_) / 2 + gauche_;
        // The HTML page places every line and writes only those in the box. Where one below the
        // box starts, unless it is the last (the control keeps that place), matters only for
        // the overflow its place could raise, which a bound on its width may rule out.
        std::optional<double> parCaractere;
        const auto placeSansMesure = [&](std::size_t i, double y, const Texte& ligne) {
            if (ilTypeImpression != eiTypeSortieHTML || !garde || y + h - 10 <= bas ||
                i + 1 == isLignes.size()) {
                return false;
            }
            if (!parCaractere) parCaractere = largeurAjouteeHtml(texte);
            return placeDansUnLong(milieu, ligne.size(), *parCaractere);
        };
        for (std::size_t i = 1; i < isLignes.size(); ++i) {
            if (bas - D < Y && ilTypeImpression != eiTypeSortieHTML) break;
            const Texte& ligne = isLignes[i];
            const double X = !centre                        ? gauche_
                             : placeSansMesure(i, Y, ligne) ? milieu
                                                            : milieu - W(ligne) / 2;
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
