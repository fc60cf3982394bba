#include "render/Defauts.hpp"

namespace vitrail {

namespace {

void drapeau(Variant& valeur, bool reglage) {
    if (valeur.estLeTexte(MarqueurNonDefini)) valeur = reglage;
}

}  // namespace

void appliqueReglages(ArgumentsCadre& cadre, const Reglages& reglages) {
    if (cadre.piDrawWidth == -1) cadre.piDrawWidth = reglages.piDrawWidth;
    if (cadre.piFillColor == -1) cadre.piFillColor = reglages.piFillColor;
    if (cadre.psFont == MarqueurNonDefini) cadre.psFont = reglages.psFont;
    if (cadre.piFontSize == -1) cadre.piFontSize = reglages.piFontSize;
    drapeau(cadre.pbFontBold, reglages.pbFontBold);
    drapeau(cadre.pbFontItalic, reglages.pbFontItalic);
    drapeau(cadre.pbFontStrikethru, reglages.pbFontStrikethru);
    drapeau(cadre.pbFontUnderline, reglages.pbFontUnderline);
    drapeau(cadre.pbFontTransparent, reglages.pbFontTransparent);
    if (cadre.plFontColor == -1) cadre.plFontColor = reglages.plFontColor;
    if (cadre.psAligne == MarqueurNonDefini) cadre.psAligne = reglages.psAligne;
    if (cadre.plCouleurTrait == -1) cadre.plCouleurTrait = reglages.plCouleurTrait;
}

}  // namespace vitrail
