#pragma once

#include <cstdint>

#include "render/Marqueurs.hpp"
#include "support/Texte.hpp"
#include "support/Variant.hpp"

namespace vitrail {

// The settings as the control's Initialise receives them, with their defaults.
struct ArgumentsReglages {
    double piDrawWidth = 1;
    std::int32_t piFillColor = 16777215;
    std::int16_t piFillStyle = 1;
    Texte psFont = U"Times New Roman";
    std::int16_t piFontSize = 10;
    bool pbFontBold = false;
    bool pbFontItalic = false;
    bool pbFontStrikethru = false;
    bool pbFontUnderline = false;
    bool pbFontTransparent = true;
    std::int32_t plFontColor = 0;
    Texte psAligne = U"HV";
    std::int32_t plCouleurTrait = 0;
    std::int32_t plCouleurFond = 16777215;
    Texte psFieldSeparator = MarqueurNonDefini;
    Variant psReplaceCHR13 = Texte(MarqueurNonDefini);
    std::int16_t piMargeEnPourcent = 5;
    std::int16_t piNbMiniLettresDunMot = 4;
    double pdMinFontSize = 5;
    Texte psScreenCaption = U"Vitrail, édition du planning";
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
