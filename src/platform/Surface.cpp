#include <stdexcept>

#include "platform/Printer.hpp"

namespace vitrail {

std::string Surface::Png() const {
    throw std::runtime_error("this surface keeps no picture");
}

void Printer::FichierPdf(const Texte&) {
    throw std::runtime_error("this printer writes no PDF file");
}

}  // namespace vitrail
