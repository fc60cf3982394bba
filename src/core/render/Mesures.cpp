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

}  // namespace

float TracPlanOCX::RtvTextWidth(const Texte& psText, bool pbSansTailleDesBalises) {
    // Markup starts with a chevron: a text without one is measured as it stands, uncopied.
    Texte sansBalises;
    const bool balises = pbSansTailleDesBalises && psText.find(U'<') != Texte::npos;
    if (balises) sansBalises = EnleveBalises(psText);
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
    j.caracteres += texte.size();
    if (j.caracteres > CaracteresNotesMaximum) {
        j.enregistre = false;
        j.largeurs.clear();
        return;
    }
    j.largeurs.push_back({texte, valeur, deborde});
}

// Whether each width of the journal, measured now, would overflow as it did and compare with
// the available width as it did. Measures the raw surface only: nothing is reported here.
bool TracPlanOCX::memesReponses(const JournalLargeurs& journal) {
    if (ilTypeImpression != eiTypeSortieEcran && ilTypeImpression != eiTypeSortieHTML) return false;
    const double A = journal.disponible;
    try {
        for (const LargeurNotee& l : journal.largeurs) {
            const double brut = surface().TextWidth(l.texte);
            float valeur = 0;
            bool deborde = false;
            if (ilTypeImpression == eiTypeSortieHTML) {
                valeur = static_cast<float>(brut) * LargeurVersPageHtml;
            } else if (!(std::fabs(brut) <= SurementDehors)) {
                deborde = true;
            } else if (std::fabs(brut) < SurementDehors - 2) {
                valeur = CInt(brut);
            } else {
                return false;  // too near the limit to tell without the conversion
            }
            if (deborde != l.deborde) return false;
            if ((static_cast<double>(valeur) > A) != (static_cast<double>(l.valeur) > A)) {
                return false;
            }
        }
    } catch (...) {
        return false;  // the wrap itself will meet and report it
    }
    return true;
}

}  // namespace vitrail
