#pragma once

#include "support/ErreurExecution.hpp"

namespace vitrail::test {

// The number of the runtime error the call raises, or 0 when it raises none.
int numeroErreur(auto&& appel) {
    try {
        appel();
    } catch (const ErreurExecution& erreur) {
        return erreur.numero();
    }
    return 0;
}

}  // namespace vitrail::test
