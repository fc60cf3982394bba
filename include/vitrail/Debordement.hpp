#pragma once

#include <cstdint>

namespace vitrail {

// A text frame whose text does not fit its box.
struct Debordement {
    std::int32_t iNoObjet = 0;
    // The font size its text is drawn at.
    double taille = 0;
    // Even the smallest size allowed (pdMinFontSize) was too large.
    bool auPlancher = false;
    // Lines of the text that are not drawn.
    std::int32_t lignesPerdues = 0;
};

}  // namespace vitrail
