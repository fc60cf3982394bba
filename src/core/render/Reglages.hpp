#pragma once

#include <cstdint>

#include "render/Marqueurs.hpp"
#include "support/Texte.hpp"
#include "support/Variant.hpp"
#include "vitrail/Arguments.hpp"

namespace vitrail {

// The defaults a host's Initialise takes, which the control's take too.
inline const ArgumentsInitialise& defautsHote() {
    static const ArgumentsInitialise defauts{};
    return defauts;
}

// The settings as the control's Initialise receives them, with the host's defaults.
struct ArgumentsReglages {
    double piDrawWidth = defautsHote().piDrawWidth;
    std::int32_t piFillColor = defautsHote().piFillColor;
    std::int16_t piFillStyle = defautsHote().piFillStyle;
    Texte psFont = depuisUtf8(defautsHote().psFont);
    std::int16_t piFontSize = defautsHote().piFontSize;
    bool pbFontBold = defautsHote().pbFontBold;
    bool pbFontItalic = defautsHote().pbFontItalic;
    bool pbFontStrikethru = defautsHote().pbFontStrikethru;
    bool pbFontUnderline = defautsHote().pbFontUnderline;
    bool pbFontTransparent = defautsHote().pbFontTransparent;
    std::int32_t plFontColor = defautsHote().plFontColor;
    Texte psAligne = depuisUtf8(defautsHote().psAligne);
    std::int32_t plCouleurTrait = defautsHote().plCouleurTrait;
    std::int32_t plCouleurFond = defautsHote().plCouleurFond;
    Texte psFieldSeparator = depuisUtf8(defautsHote().psFieldSeparator);
    // The host's default is the marker, which Initialise reads as a carriage return.
    Variant psReplaceCHR13 = Texte(MarqueurNonDefini);
    std::int16_t piMargeEnPourcent = defautsHote().piMargeEnPourcent;
    std::int16_t piNbMiniLettresDunMot = defautsHote().piNbMiniLettresDunMot;
    double pdMinFontSize = defautsHote().pdMinFontSize;
    Texte psScreenCaption = depuisUtf8(defautsHote().psScreenCaption);
};

// The settings as the control holds them: zero values until the first Initialise.
struct Reglages {
    double piDrawWidth = 0;
    std::int32_t piFillColor = 0;
    std::int16_t piFillStyle = 0;
    Texte psFont{};
    std::int16_t piFontSize = 0;
    bool pbFontBold = false;
    bool pbFontItalic = false;
    bool pbFontStrikethru = false;
    bool pbFontUnderline = false;
    bool pbFontTransparent = false;
    std::int32_t plFontColor = 0;
    Texte psAligne{};
    std::int32_t plCouleurTrait = 0;
    std::int32_t plCouleurFond = 0;
    Texte psFieldSeparator{};
    Texte psReplaceCHR13{};
    std::int16_t piMargeEnPourcent = 0;
    std::int16_t piNbMiniLettresDunMot = 0;
    double pdMinFontSize = 0;
    Texte psScreenCaption{};

    bool operator==(const Reglages&) const = default;
};

// The 17 arguments of a frame, markers where the caller gave nothing.
struct ArgumentsCadre {
    double piHaut = 0;
    double piGauche = 0;
    double piBas = -1;
    double piDroite = -1;
    double piDrawWidth = -1;
    std::int32_t piFillColor = -1;
    Texte psText{};
    Texte psFont = MarqueurNonDefini;
    std::int16_t piFontSize = -1;
    Variant pbFontBold = Texte(MarqueurNonDefini);
    Variant pbFontItalic = Texte(MarqueurNonDefini);
    Variant pbFontStrikethru = Texte(MarqueurNonDefini);
    Variant pbFontUnderline = Texte(MarqueurNonDefini);
    Variant pbFontTransparent = Texte(MarqueurNonDefini);
    std::int32_t plFontColor = -1;
    Texte psAligne = MarqueurNonDefini;
    std::int32_t plCouleurTrait = -1;
};

}  // namespace vitrail
