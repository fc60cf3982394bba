#pragma once

#include <cstdint>
#include <vector>

#include "platform/Surface.hpp"

namespace vitrail {

// The printer: a surface with its orientation and paper size codes and its page and document
// operations. It exists even when no document is open, so its font can always be read.
class Imprimante : public Surface {
  public:
    static constexpr std::int16_t Portrait = 1;
    static constexpr std::int16_t Paysage = 2;
    static constexpr std::int16_t A3 = 8;
    static constexpr std::int16_t A4 = 9;

    virtual std::int16_t Orientation() const = 0;
    virtual void Orientation(std::int16_t code) = 0;
    virtual std::int16_t PaperSize() const = 0;
    virtual void PaperSize(std::int16_t code) = 0;

    virtual void NewPage() = 0;
    // Ends the document under way, if any, and sends it to the printer.
    virtual void EndDoc() = 0;
    // Drops the document under way, if any.
    virtual void KillDoc() = 0;

    // Where the documents sent so far went: the queues' names or the PDF files.
    virtual std::vector<Texte> Destinations() const { return {}; }
    // Prints to this PDF file from now on, whatever queue the system has. Throws
    // std::runtime_error on a printer that cannot.
    virtual void FichierPdf(const Texte& chemin);
};

}  // namespace vitrail
