#pragma once

#include <vector>

#include "render/TracPlanOCX.hpp"
#include "vitrail/Debordement.hpp"

namespace vitrail {

// Lays the control's planning out for one target on a control of its own, whose surfaces
// measure like the real ones but draw, print and write nothing anyone sees, and lists the
// texts that do not fit. The control given is only read.
std::vector<Debordement> verifieDebordements(TracPlanOCX& controle, Plateforme& plateforme,
                                             const ArgumentsDebordements& cible,
                                             BilanDebordements& bilan);

}  // namespace vitrail
