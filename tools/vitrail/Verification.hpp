#pragma once

#include <iosfwd>

#include "Options.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail::outil {

// Lists the texts that do not fit in the geometry the target would draw them in, and says
// which geometry that was. 0 when every text fits; 1 when one does not, or when the check
// could not go through every frame.
int verifie(TracPlanDLL& plan, const Options& options, Cible cible, const ArgumentsShow& show,
            std::ostream& sortie);

// Throws std::runtime_error when the viewer would open where no one can see it (Qt's
// off-screen platforms), so the command does not wait for ever for it to close.
void exigeEcranVisible();

}  // namespace vitrail::outil
