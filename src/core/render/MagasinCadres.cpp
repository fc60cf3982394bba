// The control's settings and frame store.
#include <limits>

#include "render/Defauts.hpp"
#include "render/TracPlanOCX.hpp"

namespace vitrail {

void TracPlanOCX::Initialise(const ArgumentsReglages& a) {
    avecGestionnaire(U"Initialise", [&] {
        reglages = Reglages{
            .piDrawWidth = a.piDrawWidth,
            .piFillColor = a.piFillColor,
            .piFillStyle = a.piFillStyle,
            .psFont = a.psFont,
            .piFontSize = a.piFontSize,
            .pbFontBold = a.pbFontBold,
            .pbFontItalic = a.pbFontItalic,
            .pbFontStrikethru = a.pbFontStrikethru,
            .pbFontUnderline = a.pbFontUnderline,
            .pbFontTransparent = a.pbFontTransparent,
            .plFontColor = a.plFontColor,
            .psAligne = a.psAligne,
            .plCouleurTrait = a.plCouleurTrait,
            .plCouleurFond = a.plCouleurFond,
            .psFieldSeparator =
                a.psFieldSeparator == MarqueurNonDefini ? Texte(U"\n") : a.psFieldSeparator,
            .psReplaceCHR13 = a.psReplaceCHR13.estLeTexte(MarqueurNonDefini)
                                  ? Texte(U"\r")
                                  : a.psReplaceCHR13.versTexte(),
            .piMargeEnPourcent = a.piMargeEnPourcent,
            .piNbMiniLettresDunMot = a.piNbMiniLettresDunMot,
            .pdMinFontSize = a.pdMinFontSize,
            .psScreenCaption = a.psScreenCaption,
        };
        surface().BackColor(reglages.plCouleurFond);
    });
}

void TracPlanOCX::NewCadreTexte(const ArgumentsCadre& arguments) {
    avecGestionnaire(U"NewCadreTexte", [&] {
        ArgumentsCadre a = arguments;
        appliqueReglages(a, reglages);
        if (ilNbCadres == std::numeric_limits<std::int32_t>::max()) {
            throw ErreurExecution(erreurs::Depassement);
        }
        ++ilNbCadres;
        if (!ioCadres) ioCadres.emplace();
        CadreDef cadre{
            .iHaut = a.piHaut,
            .iGauche = a.piGauche,
            .iBas = a.piBas,
            .iDroite = a.piDroite,
            .iDrawWidth = a.piDrawWidth,
            .iFillColor = a.piFillColor,
            .sText = a.psText,
            .sFont = a.psFont,
            .iFontSize = a.piFontSize,
            .bFontBold = a.pbFontBold,
            .bFontItalic = a.pbFontItalic.versBooleen(),
            .bFontStrikethru = a.pbFontStrikethru.versBooleen(),
            .bFontUnderline = a.pbFontUnderline.versBooleen(),
            .bFontTransparent = a.pbFontTransparent.versBooleen(),
            .lFontColor = a.plFontColor,
            .sAligne = a.psAligne,
            .lCouleurTrait = a.plCouleurTrait,
            .iNoObjet = ilNbCadres,
        };
        ioCadres->push_back(std::move(cadre));
    });
}

void TracPlanOCX::NewCadreImage(const Texte& psImagePath, double piHaut, double piGauche,
                                double piBas, double piDroite) {
    avecGestionnaire(U"NewCadreImage", [&] {
        NewCadreTexte({.piHaut = piHaut,
                       .piGauche = piGauche,
                       .piBas = piBas,
                       .piDroite = piDroite,
                       .psText = PrefixeImage + psImagePath});
    });
}

}  // namespace vitrail
