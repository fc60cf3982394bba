#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "support/BoiteMessage.hpp"
#include "support/ErreurExecution.hpp"
#include "support/Variant.hpp"

namespace vitrail {

using Valeurs = std::vector<Variant>;

// "#" and six upper-case hexadecimal digits, red first, from a colour red + 256 green +
// 65536 blue. Out-of-range components are clamped.
Texte CouleurHtml(std::int32_t couleur, BoiteMessage& boite);

// Upper-case hexadecimal, padded on the left with "0" to the given length.
Texte HexSurLongueur(std::int32_t valeur, std::int16_t longueur);

// Largest and smallest of at least two values (0 and 1E300 otherwise). A comparison that fails
// is told in a message box, and the result reached so far is returned.
Variant MaxValeurs(const Valeurs& valeurs, BoiteMessage& boite);
Variant MinValeurs(const Valeurs& valeurs, BoiteMessage& boite);

// Largest value, the later one on a tie. A failure goes to the control's error report.
Variant uMax(const Valeurs& valeurs,
             const std::function<void(const ErreurExecution&)>& rapportErreur);

}  // namespace vitrail
