// Text measures on the current target, for the text layout.
#include <cmath>

#include "render/Balises.hpp"
#include "render/Caches.hpp"
#include "render/TracPlanOCX.hpp"
#include "support/Conversions.hpp"

namespace vitrail {

namespace {

// The HTML target measures on the control's own surface and scales to its page units.
constexpr float LargeurVersPageHtml = 0.06666667f;
constexpr float HauteurVersPageHtml = 0.1f;

// Beyond this a measure surely does not round into 16 bits; below it the conversion decides.
constexpr double SurementDehors = 32769;

// The control's own 16-bit measure (its TextWidth or TextHeight member, under the same name and
// handler), except that an overflow is reported without an exception being thrown: a frame
// asked at a huge size overflows on every measure of every size it tries, and the exceptions
// were most of the cost.
std::int16_t mesureSeizeBits(TracPlanOCX& controle, std::u32string_view nom,
                             double (Surface::*mesure)(const Texte&), const Texte& texte,
                             bool& deborde) {
    deborde = false;
    const std::int16_t resultat = controle.avecGestionnaire(nom, [&]() -> std::int16_t {
        const double brut = (controle.surface().*mesure)(texte);
        if (!(std::fabs(brut) <= SurementDehors)) {
            deborde = true;
            return 0;
        }
        return CInt(brut);
    });
    if (deborde) controle.RapportErreur(ErreurExecution(erreurs::Depassement));
    return resultat;
}

// How a 16-bit measure of that raw value answers: overflowed (reported, counting 0) or its
// value; none when too near the limit to tell without the conversion.
struct MesureSeizeBits {
    bool deborde;
    double valeur;
};
std::optional<MesureSeizeBits> reponseSeizeBits(double brut) {
    if (!(std::fabs(brut) <= SurementDehors)) return MesureSeizeBits{true, 0};
    if (std::fabs(brut) < SurementDehors - 2)
        return MesureSeizeBits{false, static_cast<double>(CInt(brut))};
    return std::nullopt;
}

// How a width the wrap asked answers on the target: in HTML it never overflows.
std::optional<MesureSeizeBits> reponseLargeur(double brut, bool html) {
    if (html) return MesureSeizeBits{false, static_cast<float>(brut) * LargeurVersPageHtml};
    return reponseSeizeBits(brut);
}

}  // namespace

float TracPlanOCX::RtvTextWidth(const Texte& psText, bool pbSansTailleDesBalises) {
    // Markup starts with a chevron: a text without one is measured as it stands, uncopied.
    Texte sansBalises;
    const bool balises = pbSansTailleDesBalises && avecChevron(psText);
    if (balises) sansBalises = sansBalises_.de(psText);
    const Texte& texte = balises ? sansBalises : psText;
    switch (ilTypeImpression) {
        case eiTypeSortieEcran: {
            if (!caches::actifs()) return static_cast<float>(ioObject().TextWidth(texte));
            ioObject();
            bool deborde = false;
            const float valeur =
                mesureSeizeBits(*this, U"TextWidth", &Surface::TextWidth, texte, deborde);
            if (journal_ != nullptr) noteLargeur(texte, valeur, deborde);
            return valeur;
        }
        case eiTypeSortieImprimante:
            return static_cast<float>(ioObject().TextWidth(texte));
        case eiTypeSortieHTML: {
            const float valeur =
                static_cast<float>(surface().TextWidth(texte)) * LargeurVersPageHtml;
            if (journal_ != nullptr) noteLargeur(texte, valeur, false);
            return valeur;
        }
        default:
            return 0;
    }
}

float TracPlanOCX::RtvTextHeight(const Texte& psText) {
    switch (ilTypeImpression) {
        case eiTypeSortieEcran: {
            if (!caches::actifs()) return static_cast<float>(ioObject().TextHeight(psText));
            ioObject();
            bool deborde = false;
            return mesureSeizeBits(*this, U"TextHeight", &Surface::TextHeight, psText, deborde);
        }
        case eiTypeSortieImprimante:
            return static_cast<float>(ioObject().TextHeight(psText));
        case eiTypeSortieHTML:
            return static_cast<float>(surface().TextHeight(psText)) * HauteurVersPageHtml;
        default:
            return 0;
    }
}

std::optional<std::int16_t> TracPlanOCX::hauteurMuette(const Texte& texte) {
    if (ilTypeImpression < 1 || ilTypeImpression > 3) return std::nullopt;
    try {
        const double brut = ilTypeImpression == eiTypeSortieImprimante
                                ? cibleDessin().TextHeight(texte)
                                : surface().TextHeight(texte);
        if (!(std::fabs(brut) < SurementDehors - 2)) return std::nullopt;
        if (ilTypeImpression == eiTypeSortieEcran) return CInt(brut);
        if (ilTypeImpression == eiTypeSortieImprimante) return CInt(static_cast<float>(brut));
        return CInt(static_cast<float>(brut) * HauteurVersPageHtml);
    } catch (...) {
        return std::nullopt;
    }
}

// Past this many characters a wrap's widths are not kept: a text that long is measured again.
constexpr std::size_t CaracteresNotesMaximum = 1 << 18;

void TracPlanOCX::noteLargeur(const Texte& texte, float valeur, bool deborde) {
    JournalLargeurs& j = *journal_;
    if (!j.enregistre) return;
    if (j.textes.size() + texte.size() > CaracteresNotesMaximum) {
        j.enregistre = false;
        j.largeurs.clear();
        j.textes.clear();
        return;
    }
    j.largeurs.push_back(
        {j.textes.size(), texte.size(), valeur, deborde, texte.find(U'\t') != Texte::npos});
    j.textes += texte;
}

// Whether each width of the journal, measured now, would overflow as it did and compare with
// the available width as it did. Measures the raw surface only: nothing is reported here.
bool TracPlanOCX::memesReponses(const JournalLargeurs& journal) {
    if (ilTypeImpression != eiTypeSortieEcran && ilTypeImpression != eiTypeSortieHTML) return false;
    const double A = journal.disponible;
    const bool plusPetite = plusPetiteQueLeJournal(journal);
    try {
        for (const LargeurNotee& l : journal.largeurs) {
            if (plusPetite && tientEncore(journal, l)) continue;
            const double brut = surface().TextWidth(texteRejoue_.assign(journal.texte(l)));
            const auto r = reponseLargeur(brut, ilTypeImpression == eiTypeSortieHTML);
            if (!r || r->deborde != l.deborde) return false;
            if ((r->valeur > A) != (static_cast<double>(l.valeur) > A)) return false;
        }
    } catch (...) {
        return false;  // the wrap itself will meet and report it
    }
    return true;
}

// A width grows with the size, so one that fit the available width at the wrap's size without
// overflowing still does at a smaller size, unmeasured. Not past the size up to which the
// surface vouches for that, nor with a tab, whose stop can move up as the size goes down.
bool TracPlanOCX::plusPetiteQueLeJournal(const JournalLargeurs& journal) {
    const Surface& s = surface();
    return s.FontSize() > 0 && s.FontSize() <= journal.taille &&
           journal.taille <= s.TailleCroissanteMaximum();
}
bool TracPlanOCX::tientEncore(const JournalLargeurs& journal, const LargeurNotee& largeur) {
    return !largeur.deborde && !largeur.avecTabulation && largeur.valeur >= 0 &&
           !(static_cast<double>(largeur.valeur) > journal.disponible);
}

// How every measure one size of the fitting asks answers at the current size: the journal's
// widths, the line height and the longest line's width, each whether it overflows and whether it
// passes its test (the available width for the journal's, the box for the last two). None when
// one is too near a limit to tell, or when the fitting would fail on it.
std::optional<TracPlanOCX::ReponsesTaille> TracPlanOCX::reponsesTaille(
    const JournalLargeurs& journal, const BoiteTexte& boite) {
    const bool ecran = ilTypeImpression == eiTypeSortieEcran;
    if (!ecran && ilTypeImpression != eiTypeSortieHTML) return std::nullopt;
    ReponsesTaille r;
    const auto note = [&](bool deborde, bool test) {
        r.push_back(static_cast<std::uint8_t>((deborde ? 1 : 0) | (test ? 2 : 0)));
    };
    // The line height and width are converted to 16 bits on every target.
    const auto entier = [&](double brut, float versPageHtml) -> std::optional<MesureSeizeBits> {
        if (ecran) return reponseSeizeBits(brut);
        const float valeur = static_cast<float>(brut) * versPageHtml;
        if (!(std::fabs(valeur) < SurementDehors - 2)) return std::nullopt;
        return MesureSeizeBits{false, static_cast<double>(CInt(valeur))};
    };
    const bool plusPetite = plusPetiteQueLeJournal(journal);
    try {
        for (const LargeurNotee& l : journal.largeurs) {
            if (plusPetite && tientEncore(journal, l)) {
                note(false, false);
                continue;
            }
            const double brut = surface().TextWidth(texteRejoue_.assign(journal.texte(l)));
            const auto reponse = reponseLargeur(brut, !ecran);
            if (!reponse) return std::nullopt;
            note(reponse->deborde, reponse->valeur > journal.disponible);
        }
        const double lignes = static_cast<double>(isLignes.size() - 1);
        const double brutHauteur = surface().TextHeight(TexteHauteurLigne);
        const auto hauteur = entier(brutHauteur, HauteurVersPageHtml);
        if (!hauteur) return std::nullopt;
        note(hauteur->deborde, boite.hauteur >= lignes * hauteur->valeur);

        const Texte& plusLongue = GetLigneLaPlusLongue();
        const double brutLargeur =
            surface().TextWidth(avecChevron(plusLongue) ? EnleveBalises(plusLongue) : plusLongue);
        const auto largeur = entier(brutLargeur, LargeurVersPageHtml);
        if (!largeur) return std::nullopt;
        note(largeur->deborde, boite.largeur >= largeur->valeur);
    } catch (...) {
        return std::nullopt;
    }
    return r;
}

}  // namespace vitrail
