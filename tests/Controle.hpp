#pragma once

#include "doubles/PlateformeFactice.hpp"
#include "html/Html.hpp"
#include "render/TracPlanOCX.hpp"

namespace vitrail::test {

// A control on the test doubles.
struct Controle {
    PlateformeFactice plateforme;
    TracPlanOCX ctl{plateforme, Html::sortie()};

    SurfaceFactice& surface() { return *plateforme.derniereSurface; }
    std::vector<Message>& messages() { return plateforme.interaction.messages; }
    const CadreDef& cadre(std::size_t i) { return ctl.ioCadres->at(i); }
};

// The body of the common error message for this procedure and error number.
inline Texte rapport(const Texte& procedure, std::int32_t numero) {
    return U"Le composant Vitrail.DLL a causé une erreur de Vitrail dans le module : " + procedure +
           U"'\r\nCode : " + depuisUtf8(std::to_string(numero)) + U"\r\nDescription : " +
           descriptionErreur(numero);
}

}  // namespace vitrail::test
