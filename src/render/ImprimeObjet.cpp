// Drawing of one frame on the current target.
#include "output/Html.hpp"
#include "render/Defauts.hpp"
#include "render/Marqueurs.hpp"
#include "render/RemplaceTout.hpp"
#include "render/TracPlanOCX.hpp"
#include "support/Conversions.hpp"

namespace vitrail {

namespace {

// Tokens of a frame's text and what they stand for. Paragraph marks become quotes, not breaks.
constexpr std::pair<const char32_t*, const char32_t*> Jetons[] = {
    {U"<SimpleQuote>", U"'"}, {U"<DblQuote>", U"\""}, {U"<P>", U"\""},
    {U"<p>", U"\""},          {U"</P>", U"\""},       {U"</p>", U"\""},
};

ArgumentsCadre argumentsDe(const CadreDef& c) {
    return {.piHaut = c.iHaut,
            .piGauche = c.iGauche,
            .piBas = c.iBas,
            .piDroite = c.iDroite,
            .piDrawWidth = c.iDrawWidth,
            .piFillColor = c.iFillColor,
            .psText = c.sText,
            .psFont = c.sFont,
            .piFontSize = c.iFontSize,
            .pbFontBold = c.bFontBold,
            .pbFontItalic = c.bFontItalic,
            .pbFontStrikethru = c.bFontStrikethru,
            .pbFontUnderline = c.bFontUnderline,
            .pbFontTransparent = c.bFontTransparent,
            .plFontColor = c.lFontColor,
            .psAligne = c.sAligne,
            .plCouleurTrait = c.lCouleurTrait};
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
    if (ilTypeImpression == 2) return imprimante();
    return surface();
}

void TracPlanOCX::ImprimeObjet(const CadreDef& cadre) {
    avecGestionnaire(U"ImprimeObjet", [&] {
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

        if (ilTypeImpression != 3) a.piFontSize = CInt(a.piFontSize * idZoom);
        const double trait = a.piDrawWidth * idZoom;
        a.piDrawWidth = trait < 1 ? 1 : trait;
        if (a.piFontSize <= 0) a.piFontSize = reglages.piFontSize;

        if (b.droite - ilOrigineX > ilMaxDroite) ilMaxDroite = CLng(b.droite - ilOrigineX);
        if (b.bas - ilOrigineY > ilMaxBas) ilMaxBas = CLng(b.bas - ilOrigineY);

        for (const auto& [jeton, remplacement] : Jetons) {
            a.psText = RemplaceTout(a.psText, jeton, remplacement);
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
            if (b.droite == b.gauche || b.haut == b.bas || ilTypeImpression == 3) return;
            cible.PaintPicture(a.psText.substr(prefixe.size()), CSng(b.gauche), CSng(b.haut),
                               CSng(b.droite - b.gauche), CSng(b.bas - b.haut));
            return;
        }

        const bool html = ilTypeImpression == 3;
        const auto contour = [&] {
            cible.Boite(CSng(b.gauche), CSng(b.haut), CSng(b.droite), CSng(b.bas),
                        a.plCouleurTrait);
        };
        if (bordure && html) {
            Html::EcritCadreHtml(b.haut, b.gauche, b.bas, b.droite, a.piFillColor, a.piDrawWidth,
                                 dialogues());
        } else if (bordure) {
            if (!a.pbFontTransparent.versBooleen()) {
                cible.BoitePleine(CSng(b.gauche), CSng(b.haut), CSng(b.droite), CSng(b.bas),
                                  a.piFillColor);
            }
            contour();
        }
        cadreEnCours_ = cadre.iNoObjet;
        ImprimeTexteLong(a.psText, b.haut, b.gauche, b.bas, b.droite, a.piFontSize, a.psAligne);
        if (bordure && !html) contour();
    });
}

}  // namespace vitrail
