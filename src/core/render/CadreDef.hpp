#pragma once

#include <cstdint>

#include "support/Texte.hpp"
#include "support/Variant.hpp"

namespace vitrail {

// One frame of the planning, as stored: every marker already replaced by its setting, except
// the edges, which keep -1 for "not given".
struct CadreDef {
    double iHaut = 0;
    double iGauche = 0;
    double iBas = 0;
    double iDroite = 0;
    double iDrawWidth = 0;
    std::int32_t iFillColor = 0;
    Texte sText{};
    Texte sFont{};
    std::int16_t iFontSize = 0;
    // Kept as the caller gave it once defaulted: a text that reads as no Boolean fails only when
    // the frame is drawn.
    Variant bFontBold{};
    bool bFontItalic = false;
    bool bFontStrikethru = false;
    bool bFontUnderline = false;
    bool bFontTransparent = false;
    std::int32_t lFontColor = 0;
    Texte sAligne{};
    std::int32_t lCouleurTrait = 0;
    std::int32_t iNoObjet = 0;

    bool operator==(const CadreDef&) const = default;
};

}  // namespace vitrail
