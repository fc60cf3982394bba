#pragma once

#include "platform/Plateforme.hpp"
#include "render/TracPlanOCX.hpp"

namespace vitrail {

// The viewer form: it holds the control for the life of one planning.
class MontrePlan {
  public:
    explicit MontrePlan(Plateforme& plateforme) : TracPlanOCX1(plateforme) {}

    TracPlanOCX TracPlanOCX1;
};

}  // namespace vitrail
