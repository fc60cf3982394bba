#pragma once

namespace vitrail::caches {

// Whether the drawing keeps text measures and layouts between calls. On unless turned off;
// with them off every measure and layout is computed again, as the tests that compare both
// need.
bool actifs();
void actifs(bool oui);

}  // namespace vitrail::caches
