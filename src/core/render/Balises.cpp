#include "render/Balises.hpp"

#include <array>

namespace vitrail {

namespace {

struct Forme {
    std::u32string_view minuscules;
    Balise balise;
};

// Tried in this order.
constexpr std::array<Forme, 6> Formes{{
    {U"<b>", Balise::GrasDebut},
    {U"</b>", Balise::GrasFin},
    {U"<i>", Balise::ItaliqueDebut},
    {U"</i>", Balise::ItaliqueFin},
    {U"<u>", Balise::SoulignéDebut},
    {U"</u>", Balise::SoulignéFin},
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

// Appends the text without its tags; gives where the last "<" that starts no tag is.
std::size_t ajouteSansBalises(Texte& resultat, std::u32string_view texte) {
    std::size_t chevron = Texte::npos;
    for (std::size_t i = 0; i < texte.size();) {
        if (const auto balise = baliseEn(texte, i)) {
            i += balise->longueur;
        } else {
            if (texte[i] == U'<') chevron = i;
            resultat.push_back(texte[i++]);
        }
    }
    return chevron;
}

// The longest tag after its "<".
constexpr std::size_t ApresChevronMaximum = 3;

}  // namespace

std::optional<BaliseTrouvee> baliseEn(std::u32string_view texte, std::size_t position) {
    if (position >= texte.size() || texte[position] != U'<') return std::nullopt;
    const std::u32string_view suite = texte.substr(position);
    for (const Forme& forme : Formes) {
        const std::size_t n = forme.minuscules.size();
        if (suite.size() >= n && egauxSansCasse(suite.substr(1, n - 1), forme.minuscules.substr(1)))
            return BaliseTrouvee{forme.balise, n, forme.minuscules};
    }
    return std::nullopt;
}

Texte EnleveBalises(std::u32string_view texte) {
    Texte resultat;
    resultat.reserve(texte.size());
    ajouteSansBalises(resultat, texte);
    return resultat;
}

const Texte& SansBalises::de(std::u32string_view texte) {
    // The wrap measures each word alone before the line with it: a word kept would push out
    // the line.
    if (texte.size() < Court) {
        court_.clear();
        ajouteSansBalises(court_, texte);
        return court_;
    }
    const std::size_t n = brut_.size();
    // A "<" that starts no tag may start one once the text goes on, unless three characters
    // already follow it.
    const bool close = chevron_ == Texte::npos || chevron_ + ApresChevronMaximum < n;
    if (n > 0 && texte.size() >= n && close && memesTextes(brut_, texte.substr(0, n))) {
        brut_.append(texte.substr(n));
        if (const std::size_t c = ajouteSansBalises(sans_, texte.substr(n)); c != Texte::npos)
            chevron_ = n + c;
        return sans_;
    }
    brut_.assign(texte);
    sans_.clear();
    chevron_ = ajouteSansBalises(sans_, texte);
    return sans_;
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
