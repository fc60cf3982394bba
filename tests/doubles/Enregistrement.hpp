#pragma once

#include <string>

#include "support/Texte.hpp"

namespace vitrail::test {

// Numbers as the recordings write them: whole numbers without a decimal part, others with up to
// four decimals.
std::string nombre(double v);

}  // namespace vitrail::test
