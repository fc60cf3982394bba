// Text measures on the current target, for the text layout.
#include "render/Balises.hpp"
#include "render/TracPlanOCX.hpp"

namespace vitrail {

namespace {

// The HTML target measures on the control's own surface and scales to its page units.
constexpr float LargeurVersPageHtml = 0.06666667f;
constexpr float HauteurVersPageHtml = 0.1f;

}  // namespace

float TracPlanOCX::RtvTextWidth(const Texte& psText, bool pbSansTailleDesBalises) {
    const Texte texte = pbSansTailleDesBalises ? EnleveBalises(psText) : psText;
    switch (ilTypeImpression) {
        case 1:
        case 2:
            return static_cast<float>(ioObject().TextWidth(texte));
        case 3:
            return static_cast<float>(surface().TextWidth(texte)) * LargeurVersPageHtml;
        default:
            return 0;
    }
}

float TracPlanOCX::RtvTextHeight(const Texte& psText) {
    switch (ilTypeImpression) {
        case 1:
        case 2:
            return static_cast<float>(ioObject().TextHeight(psText));
        case 3:
            return static_cast<float>(surface().TextHeight(psText)) * HauteurVersPageHtml;
        default:
            return 0;
    }
}

}  // namespace vitrail
