#include "render/Caches.hpp"

namespace vitrail::caches {

namespace {

bool actifs_ = true;

}  // namespace

bool actifs() {
    return actifs_;
}

void actifs(bool oui) {
    actifs_ = oui;
}

}  // namespace vitrail::caches
