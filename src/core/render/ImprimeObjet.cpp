// Drawing of one frame on the current target.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <utility>

#include "render/Caches.hpp"
#include "render/Defauts.hpp"
#include "render/Marqueurs.hpp"
#include "render/RemplaceTout.hpp"
#include "render/TableChamps.hpp"
#include "render/TracPlanOCX.hpp"
#include "support/Conversions.hpp"

namespace vitrail {

namespace {

// Tokens of a frame's text and what they stand for. Paragraph marks become quotes, not breaks.
constexpr std::pair<const char32_t*, const char32_t*> Jetons[] = {
    {U"<SimpleQuote>", U"'"}, {U"<DblQuote>", U"\""}, {U"<P>", U"\""},
    {U"<p>", U"\""},          {U"</P>", U"\""},       {U"</p>", U"\""},
};

ArgumentsCadre argumentsDe(const CadreDef& cadre) {
    ArgumentsCadre a;
    champs::pourChaque(champs::Cadre, [&](const auto& c) { a.*c.controle = cadre.*c.stocke; });
    return a;
}

// Around a frame's box and its lines, room for what its ink may reach beyond them: glyphs that
// overhang their advance, antialiasing, the pen's width in device pixels.
constexpr double MargeEnLignes = 2;
constexpr double MargeParTrait = 100;
// A skipped frame moves by at most this much from where it was drawn.
constexpr double LimitePositions = 1e9;

// The texts compared as blocks: the character-by-character loop of the string's own comparison
// was most of the time spent on a frame out of view.
bool memeTexte(const Texte& a, const Texte& b) {
    return a.size() == b.size() &&
           std::memcmp(a.data(), b.data(), a.size() * sizeof(char32_t)) == 0;
}

// The fields memeCadre compares, in their order: a field added to CadreDef changes its size.
struct ChampsCompares {
    double haut, gauche, bas, droite, trait;
    std::int32_t fond;
    Texte texte, police;
    std::int16_t taille;
    Variant gras;
    bool italique, barre, souligne, transparent;
    std::int32_t couleur;
    Texte aligne;
    std::int32_t couleurTrait, numero;
};

// The same as a == b, field by field, the cheap ones first.
bool memeCadre(const CadreDef& a, const CadreDef& b) {
    static_assert(sizeof(CadreDef) == sizeof(ChampsCompares),
                  "a field added to CadreDef must be compared here");
    return a.iNoObjet == b.iNoObjet && a.iHaut == b.iHaut && a.iGauche == b.iGauche &&
           a.iBas == b.iBas && a.iDroite == b.iDroite && a.iDrawWidth == b.iDrawWidth &&
           a.iFillColor == b.iFillColor && a.iFontSize == b.iFontSize &&
           a.bFontItalic == b.bFontItalic && a.bFontStrikethru == b.bFontStrikethru &&
           a.bFontUnderline == b.bFontUnderline && a.bFontTransparent == b.bFontTransparent &&
           a.lFontColor == b.lFontColor && a.lCouleurTrait == b.lCouleurTrait &&
           a.bFontBold == b.bFontBold && memeTexte(a.sAligne, b.sAligne) &&
           memeTexte(a.sFont, b.sFont) && memeTexte(a.sText, b.sText);
}

// A frame mapped onto the target.
struct Bords {
    double haut;
    double gauche;
    double bas;
    double droite;
};

}  // namespace

Surface& TracPlanOCX::cibleDessin() {
    if (ilTypeImpression == eiTypeSortieImprimante) return imprimante();
    return surface();
}

void TracPlanOCX::ImprimeObjet(const CadreDef& cadre) {
    // A failure names the frame it happened in.
    struct EnCours {
        std::int32_t& numero;
        std::int32_t avant;
        ~EnCours() { numero = avant; }
    } enCours{iNoObjetEnCours, std::exchange(iNoObjetEnCours, cadre.iNoObjet)};
    avecGestionnaire(U"ImprimeObjet", [&] {
        if (passeHorsChamp(cadre)) return;
        rendsEtatDiffere();
        // Taken before drawing: a list changed meanwhile leaves the record behind it.
        const std::uint64_t version = ioCadres ? ioCadres->version() : 0;
        const std::uint64_t rapportsAvant = rapports_;
        ArgumentsCadre a = argumentsDe(cadre);
        appliqueReglages(a, reglages);
        if (a.piDroite == -1) a.piDroite = a.piGauche;
        if (a.piBas == -1) a.piBas = a.piHaut;
        const bool bordure = a.piDrawWidth != 0;
        if (!bordure) a.piDrawWidth = 1;

        // Left to right, edge by scale then by zoom: another order changes the last bit.
        const Bords b{.haut = a.piHaut * idCorrecVertical * idZoom + ilOrigineY,
                      .gauche = a.piGauche * idCorrecHorizontal * idZoom + ilOrigineX,
                      .bas = a.piBas * idCorrecVertical * idZoom + ilOrigineY,
                      .droite = a.piDroite * idCorrecHorizontal * idZoom + ilOrigineX};

        if (ilTypeImpression != eiTypeSortieHTML) a.piFontSize = CInt(a.piFontSize * idZoom);
        const double trait = a.piDrawWidth * idZoom;
        a.piDrawWidth = trait < 1 ? 1 : trait;
        if (a.piFontSize <= 0) a.piFontSize = reglages.piFontSize;

        if (b.droite - ilOrigineX > ilMaxDroite) ilMaxDroite = CLng(b.droite - ilOrigineX);
        if (b.bas - ilOrigineY > ilMaxBas) ilMaxBas = CLng(b.bas - ilOrigineY);

        for (const auto& [jeton, remplacement] : Jetons) {
            a.psText = RemplaceTout(std::move(a.psText), jeton, remplacement);
        }

        Surface& cible = cibleDessin();
        cible.DrawWidth(CInt(a.piDrawWidth));
        cible.FillColor(a.piFillColor);
        cible.FontName(a.psFont);
        cible.FontSize(static_cast<float>(a.piFontSize));
        cible.FontBold(a.pbFontBold.versBooleen());
        cible.FontItalic(a.pbFontItalic.versBooleen());
        cible.FontStrikethru(a.pbFontStrikethru.versBooleen());
        cible.FontUnderline(a.pbFontUnderline.versBooleen());
        cible.FontTransparent(a.pbFontTransparent.versBooleen());

        const Texte prefixe = PrefixeImage;
        if (a.psText.compare(0, prefixe.size(), prefixe) == 0) {
            if (b.droite == b.gauche || b.haut == b.bas || ilTypeImpression == eiTypeSortieHTML)
                return;
            cible.PaintPicture(a.psText.substr(prefixe.size()), CSng(b.gauche), CSng(b.haut),
                               CSng(b.droite - b.gauche), CSng(b.bas - b.haut));
            return;
        }

        const bool html = ilTypeImpression == eiTypeSortieHTML;
        const auto contour = [&] {
            cible.Boite(CSng(b.gauche), CSng(b.haut), CSng(b.droite), CSng(b.bas),
                        a.plCouleurTrait);
        };
        if (bordure && html) {
            html_.cadre(b.haut, b.gauche, b.bas, b.droite, a.piFillColor, a.piDrawWidth,
                        dialogues());
        } else if (bordure) {
            if (!a.pbFontTransparent.versBooleen()) {
                cible.BoitePleine(CSng(b.gauche), CSng(b.haut), CSng(b.droite), CSng(b.bas),
                                  a.piFillColor);
            }
            contour();
        }
        cadreEnCours_ = cadre.iNoObjet;
        debordementCadre_.reset();
        encreGauche_ = std::min(b.gauche, b.droite);
        encreDroite_ = std::max(b.gauche, b.droite);
        hauteurLigne_ = 0;
        positionPosee_ = false;
        ImprimeTexteLong(a.psText, b.haut, b.gauche, b.bas, b.droite, a.piFontSize, a.psAligne);
        if (bordure && !html) contour();
        if (ilTypeImpression == eiTypeSortieEcran && rapports_ == rapportsAvant &&
            caches::actifs()) {
            retientCadre(cadre, version, encreGauche_ - a.piDrawWidth * MargeParTrait,
                         std::min(b.haut, b.bas), encreDroite_ + a.piDrawWidth * MargeParTrait,
                         std::max(b.haut, b.bas));
        }
    });
}

std::optional<std::size_t> TracPlanOCX::positionDansLaListe(const CadreDef& cadre) const {
    if (!ioCadres || ioCadres->empty()) return std::nullopt;
    // Compared as addresses: a frame that is not one of the list's has no record.
    const auto adresse = reinterpret_cast<std::uintptr_t>(&cadre);
    const auto debut = reinterpret_cast<std::uintptr_t>(ioCadres->data());
    if (adresse < debut) return std::nullopt;
    const std::size_t position = (adresse - debut) / sizeof(CadreDef);
    if (position >= ioCadres->size() || &(*ioCadres)[position] != &cadre) return std::nullopt;
    return position;
}

bool TracPlanOCX::passeHorsChamp(const CadreDef& cadre) {
    if (ilTypeImpression != eiTypeSortieEcran || !caches::actifs()) return false;
    const auto position = positionDansLaListe(cadre);
    if (!position) return false;
    CadreDessine* connu = caches_.cadre(*position, idZoom, idCorrecHorizontal, idCorrecVertical);
    if (connu == nullptr || connu->marge != reglages.piMargeEnPourcent ||
        connu->minimumLettres != reglages.piNbMiniLettresDunMot ||
        connu->tailleMinimum != reglages.pdMinFontSize ||
        connu->tailleParDefaut != reglages.piFontSize ||
        connu->resolution != surface().Resolution()) {
        return false;
    }
    // While the list keeps its stamp, the frame's texts need not be read again.
    if (connu->version != ioCadres->version()) {
        if (!memeCadre(connu->cadre, cadre)) return false;
        connu->version = ioCadres->version();
    }
    const double dx = static_cast<double>(ilOrigineX) - connu->origineX;
    const double dy = static_cast<double>(ilOrigineY) - connu->origineY;
    const bool dehors = connu->droite + dx < 0 || connu->gauche + dx > surface().Width() ||
                        connu->bas + dy < 0 || connu->haut + dy > surface().Height();
    // Far out, positions that the drawing rounds to whole numbers could overflow: drawn.
    const bool loin = std::abs(dx) > LimitePositions || std::abs(dy) > LimitePositions;
    if (!dehors || loin) return false;

    // The frame's own bookkeeping, exactly as drawing it does.
    const double droite = cadre.iDroite == -1 ? cadre.iGauche : cadre.iDroite;
    const double bas = cadre.iBas == -1 ? cadre.iHaut : cadre.iBas;
    const double bordDroit = droite * idCorrecHorizontal * idZoom + ilOrigineX;
    const double bordBas = bas * idCorrecVertical * idZoom + ilOrigineY;
    if (bordDroit - ilOrigineX > ilMaxDroite) ilMaxDroite = CLng(bordDroit - ilOrigineX);
    if (bordBas - ilOrigineY > ilMaxBas) ilMaxBas = CLng(bordBas - ilOrigineY);

    // The state that drawing it would leave, given once for a run of skipped frames.
    etatDiffere_ = {.cadre = connu, .dx = dx, .dy = dy};
    cadreEnCours_ = cadre.iNoObjet;
    if (connu->debordement && observateurDebordement) observateurDebordement(*connu->debordement);
    return true;
}

void TracPlanOCX::rendsEtatDiffere() {
    const CadreDessine* c = std::exchange(etatDiffere_.cadre, nullptr);
    if (c == nullptr) return;
    Surface& cible = surface();
    cible.DrawWidth(c->trait);
    cible.FillColor(c->fond);
    c->police.pose(cible);
    cible.FontTransparent(c->transparent);
    if (c->positionPosee) {
        cible.CurrentX(c->x + etatDiffere_.dx);
        cible.CurrentY(c->y + etatDiffere_.dy);
    }
    lignesDifferees_ = c->lignes;
}

void TracPlanOCX::retientCadre(const CadreDef& cadre, std::uint64_t version, double gauche,
                               double haut, double droite, double bas) {
    if (cadre.sText.compare(0, Texte(PrefixeImage).size(), PrefixeImage) == 0) return;
    const auto position = positionDansLaListe(cadre);
    if (!position) return;
    const Surface& cible = surface();
    const double marge = MargeEnLignes * hauteurLigne_;
    caches_.garde(*position, idZoom, idCorrecHorizontal, idCorrecVertical,
                  {.cadre = cadre,
                   .version = version,
                   .marge = reglages.piMargeEnPourcent,
                   .minimumLettres = reglages.piNbMiniLettresDunMot,
                   .tailleMinimum = reglages.pdMinFontSize,
                   .tailleParDefaut = reglages.piFontSize,
                   .resolution = cible.Resolution(),
                   .origineX = ilOrigineX,
                   .origineY = ilOrigineY,
                   .gauche = gauche - marge,
                   .haut = haut - marge,
                   .droite = droite + marge,
                   .bas = bas + marge,
                   .lignes = std::make_shared<const std::vector<Texte>>(isLignes),
                   .trait = cible.DrawWidth(),
                   .fond = cible.FillColor(),
                   .police = Police::de(cible),
                   .transparent = cible.FontTransparent(),
                   .positionPosee = positionPosee_,
                   .x = cible.CurrentX(),
                   .y = cible.CurrentY(),
                   .debordement = debordementCadre_});
}

}  // namespace vitrail
