// Builds a planning with the core alone, so that its link line can be checked.
#include <memory>

#include "doubles/PlateformeFactice.hpp"
#include "vitrail/TracPlanDLL.hpp"

int main() {
    vitrail::TracPlanDLL plan(std::make_shared<vitrail::test::PlateformeFactice>());
    plan.Initialise();
    plan.NewCadreTexte(10, 20, {.piBas = 40, .piDroite = 120, .psText = "Lundi"});
    return 0;
}
