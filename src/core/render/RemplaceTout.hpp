#pragma once

#include "support/Texte.hpp"

namespace vitrail {

// Every occurrence of the token replaced, searching again from the start after each one.
Texte RemplaceTout(Texte texte, const Texte& jeton, const Texte& remplacement);

}  // namespace vitrail
