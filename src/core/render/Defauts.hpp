#pragma once

#include "render/Reglages.hpp"

namespace vitrail {

// Replaces every argument given with its marker by the setting of the same name, in the order
// the frame store and the frame drawing both follow. The edges and the text stay as given.
void appliqueReglages(ArgumentsCadre& cadre, const Reglages& reglages);

}  // namespace vitrail
