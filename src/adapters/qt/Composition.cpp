// The composition root: what a host gets from the default constructor, the core on the Qt
// platform shared by every planning of the process.
#include "api/FilUnique.hpp"
#include "qt/PlateformeQt.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail {

// The thread is checked before the shared platform is made, which only its thread may do.
TracPlanDLL::TracPlanDLL()
    : TracPlanDLL((api::verifieFil("TracPlanDLL"), qt::PlateformeQt::partagee())) {}

}  // namespace vitrail
