#include "Sorties.hpp"

#include <csignal>

#include "vitrail/Fichiers.hpp"

namespace vitrail::outil {

void prepareSignaux() {
    nettoieSurSignal({SIGINT, SIGTERM, SIGHUP});
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace vitrail::outil
