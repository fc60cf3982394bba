#pragma once

namespace vitrail::outil {

// Ctrl-C, SIGTERM and SIGHUP remove the temporary files before they end the command, and a file
// size limit makes a write fail (and be reported) instead of killing it.
void prepareSignaux();

}  // namespace vitrail::outil
