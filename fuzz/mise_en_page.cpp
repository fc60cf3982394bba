// The layout of a text frame with markup, on the fixed-metric test surface: settings and frame
// from the bytes, then the fit report, which runs a whole screen pass.
#include <cstdint>
#include <memory>

#include "Donnees.hpp"
#include "doubles/PlateformeFactice.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vitrail::fuzz::Donnees d(data, size);
    auto plateforme = std::make_shared<vitrail::test::PlateformeFactice>();
    plateforme->interaction.gardeMessages = false;
    vitrail::TracPlanDLL plan(plateforme);
    try {
        if (d.brut().ConsumeBool()) plan.Initialise(d.initialise());
        while (d.reste()) {
            const double haut = d.reel();
            const double gauche = d.reel();
            plan.NewCadreTexte(haut, gauche, d.cadreTexte(2048));
        }
        plan.Debordements();
    } catch (const vitrail::Erreur&) {
        // a text that is not UTF-8
    }
    return 0;
}
