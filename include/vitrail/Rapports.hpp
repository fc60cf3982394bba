#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vitrail {

// A failure the component reported to the user (its error message box), texts in UTF-8.
struct Rapport {
    std::int32_t numero = 0;
    std::string description{};
    // The member in force when it failed ("ImprimeObjet", "Imprime", "NewCadreTexte"...).
    std::string procedure{};
    // The frame being drawn, 0 when none was.
    std::int32_t iNoObjet = 0;

    bool operator==(const Rapport&) const = default;
};

// What the last Show (or Png) did.
struct BilanShow {
    // The failures reported, the first RapportsGardes of them; nombreRapports counts them all.
    static constexpr std::size_t RapportsGardes = 100;
    std::vector<Rapport> rapports{};
    std::size_t nombreRapports = 0;
    // Render passes run (the viewer may run many, a printer or HTML target one) and whether each
    // of them went through every frame and its end (false: stopped by a failure or Cancel).
    std::int32_t passes = 0;
    bool complet = true;
    // Where the output went: the printer queues or PDF files of the documents sent, the HTML page
    // or the picture when the drawing went through.
    std::vector<std::string> destinations{};
};

// A picture of the planning as the viewer's drawing area of this size would first show it.
struct ArgumentsPng {
    std::string psChemin{};
    std::int32_t largeurPixels = 1600;
    std::int32_t hauteurPixels = 1200;
    // 0 keeps the zoom the viewer starts with.
    double idZoom = 0;
};

// What a drawing of the viewer's area is written as: a PNG picture; a standards-mode HTML page
// that places every line where the viewer draws it, in the face it was measured in; an SVG with
// its texts kept as text.
enum eFormatImage : std::int32_t { eiFormatPng = 0, eiFormatHtml5 = 1, eiFormatSvg = 2 };

struct ArgumentsImage {
    eFormatImage format = eiFormatPng;
    std::string psChemin{};
    std::int32_t largeurPixels = 1600;
    std::int32_t hauteurPixels = 1200;
    // 0 keeps the zoom the viewer starts with.
    double idZoom = 0;
    // Pixels for each pixel of the size: everything, text included, drawn that many times
    // larger (the layout stays the same).
    double echelle = 1;
    // The page: the sheet a browser prints it on, A4 or A3, Landscape or Portrait.
    std::string psPaperSize = "A4";
    std::string psOrientation = "Landscape";
};

}  // namespace vitrail
