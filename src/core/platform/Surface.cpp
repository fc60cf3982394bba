#include <stdexcept>

#include "platform/Imprimante.hpp"

namespace vitrail {

std::optional<std::string> Surface::Image(eFormatImage, const PageImage&,
                                          const std::function<bool()>&) {
    throw std::runtime_error("this surface keeps no picture");
}

void Surface::Agrandit(double echelle) {
    if (echelle != 1) throw std::runtime_error("this surface has one resolution");
}

void Imprimante::FichierPdf(const Texte&) {
    throw std::runtime_error("this printer writes no PDF file");
}

}  // namespace vitrail
