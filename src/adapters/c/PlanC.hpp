#pragma once

#include "vitrail/TracPlanDLL.hpp"
#include "vitrail/vitrail.h"

// What a C host's handle holds.
struct vitrail_plan {
    vitrail::TracPlanDLL trace;
};
