#include "render/Balises.hpp"

#include <array>

namespace vitrail {

namespace {

struct Forme {
    std::u32string_view apresChevron;
    Balise balise;
};

// Tried in this order.
constexpr std::array<Forme, 6> Formes{{
    {U"b>", Balise::GrasDebut},
    {U"/b>", Balise::GrasFin},
    {U"i>", Balise::ItaliqueDebut},
    {U"/i>", Balise::ItaliqueFin},
    {U"u>", Balise::SoulignéDebut},
    {U"/u>", Balise::SoulignéFin},
}};

// Values saved by the opening tags of one line.
struct Sauvegardes {
    bool gras = false;
    bool italique = false;
    bool souligne = false;
};

void applique(Balise balise, Surface& cible, Sauvegardes& sauve) {
    switch (balise) {
        case Balise::GrasDebut:
            sauve.gras = cible.FontBold();
            cible.FontBold(true);
            break;
        case Balise::ItaliqueDebut:
            sauve.italique = cible.FontItalic();
            cible.FontItalic(true);
            break;
        case Balise::SoulignéDebut:
            sauve.souligne = cible.FontUnderline();
            cible.FontUnderline(true);
            break;
        case Balise::GrasFin:
            cible.FontBold(sauve.gras);
            break;
        case Balise::ItaliqueFin:
            cible.FontItalic(sauve.italique);
            break;
        case Balise::SoulignéFin:
            cible.FontUnderline(sauve.souligne);
            break;
    }
}

// Prints a run where the previous one ended and leaves the position right after it.
void imprimeSegment(Surface& cible, const Texte& segment) {
    const double x0 = cible.CurrentX();
    const double y0 = cible.CurrentY();
    const double largeur = cible.TextWidth(segment);
    cible.Print(segment);
    cible.CurrentX(x0 + largeur);
    cible.CurrentY(y0);
}

}  // namespace

std::optional<BaliseTrouvee> baliseEn(std::u32string_view texte, std::size_t position) {
    if (position >= texte.size() || texte[position] != U'<') return std::nullopt;
    const std::u32string_view suite = texte.substr(position + 1);
    for (const Forme& forme : Formes) {
        if (suite.size() >= forme.apresChevron.size() &&
            egauxSansCasse(suite.substr(0, forme.apresChevron.size()), forme.apresChevron)) {
            return BaliseTrouvee{forme.balise, forme.apresChevron.size() + 1,
                                 U"<" + Texte(forme.apresChevron)};
        }
    }
    return std::nullopt;
}

Texte EnleveBalises(std::u32string_view texte) {
    Texte resultat;
    resultat.reserve(texte.size());
    for (std::size_t i = 0; i < texte.size();) {
        if (const auto balise = baliseEn(texte, i)) {
            i += balise->longueur;
        } else {
            resultat.push_back(texte[i++]);
        }
    }
    return resultat;
}

void ImprimeLigneBalisee(Surface& cible, std::u32string_view ligne) {
    Sauvegardes sauve;
    std::size_t i = 0;
    while (i < ligne.size()) {
        Texte segment;
        std::optional<Balise> enAttente;
        while (i < ligne.size()) {
            if (const auto balise = baliseEn(ligne, i)) {
                i += balise->longueur;
                enAttente = balise->balise;
                break;
            }
            segment.push_back(ligne[i++]);
        }
        imprimeSegment(cible, segment);
        if (enAttente) applique(*enAttente, cible, sauve);
    }
}

}  // namespace vitrail
