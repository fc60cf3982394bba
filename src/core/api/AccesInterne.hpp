#pragma once

#include "platform/Plateforme.hpp"
#include "viewer/MontrePlan.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail::api {

// The library's own way into a TracPlanDLL: its viewer form (created on first use) and the
// platform it draws through.
struct Acces {
    static MontrePlan& formulaire(TracPlanDLL& plan);
    static Plateforme& plateforme(TracPlanDLL& plan);
};

inline MontrePlan& formulaire(TracPlanDLL& plan) {
    return Acces::formulaire(plan);
}

}  // namespace vitrail::api
