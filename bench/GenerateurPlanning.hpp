#pragma once

#include <cstdint>
#include <string>

#include "vitrail/TracPlanDLL.hpp"

namespace vitrail::bench {

// What a generated planning holds.
struct Semaines {
    int cadres = 1000;
    std::uint32_t graine = 1;
    // Picture of the logo frame at the top of each week; empty leaves it out.
    std::string logo;
};

// Builds a deterministic week planning of exactly that many frames: weeks stacked downwards,
// each with a title in markup, a logo, day headers, rules and bordered event frames of 3 to 15
// French words, a third of them given a size too large for their box so that they shrink.
void genereSemaines(TracPlanDLL& plan, const Semaines& semaines);

}  // namespace vitrail::bench
