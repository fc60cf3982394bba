#pragma once

#include <QImage>
#include <string>

namespace vitrail::outil {

// The picture as PNG in place of the file (see FichierAtomique). Throws std::runtime_error
// "cannot write PATH: reason" and leaves the previous file as it was.
void ecritPng(const QImage& image, const std::string& chemin);

// Ctrl-C, SIGTERM and SIGHUP remove the temporary files before they end the command, and a file
// size limit makes a write fail (and be reported) instead of killing it.
void prepareSignaux();

}  // namespace vitrail::outil
