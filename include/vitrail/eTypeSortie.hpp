#pragma once

#include <cstdint>

namespace vitrail {

// Output target of Show.
enum eTypeSortie : std::int32_t {
    eiTypeSortieEcran = 1,
    eiTypeSortieImprimante = 2,
    eiTypeSortieHTML = 3,
    eiTypeSortieEcranOld = 0,
    eiTypeSortieImprimanteOld = -1,
};

}  // namespace vitrail
