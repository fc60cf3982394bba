#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "vitrail/eTypeSortie.hpp"

namespace vitrail {

// A text frame whose text does not fit its box.
struct Debordement {
    std::int32_t iNoObjet = 0;
    // The font size its text is drawn at.
    double taille = 0;
    // Even the smallest size allowed (pdMinFontSize) was too large.
    bool auPlancher = false;
    // Lines of the text that are not drawn.
    std::int32_t lignesPerdues = 0;
};

// The target whose geometry a check lays the texts out in, as Show would send them there.
struct ArgumentsDebordements {
    // 1 the viewer, 2 the printer, 3 the HTML page; 0 and -1 stand for 1 and 2.
    std::int32_t piTypeImpression = eiTypeSortieEcran;
    // Viewer: the drawing area in twips; 0 takes the one of the window at its designed size.
    double largeur = 0;
    double hauteur = 0;
    // Viewer: the zoom; 0 keeps the first one a viewer shows.
    double idZoom = 0;
    // Printer: as Show takes them.
    std::string psOrientation = "Landscape";
    std::string psPaperSize = "A4";
};

// How far a check went, and the geometry it laid the texts out in.
struct BilanDebordements {
    enum class Arret {
        Aucun,
        // A failure was reported (a missing picture, a printer set-up refused...): the frames
        // after it were not laid out.
        ErreurSignalee,
        // More frames than one pass can count (32767): none was laid out.
        TropDeCadres,
        // A target that shows nothing: nothing was laid out.
        CibleSansSortie,
    };

    // Every frame was laid out: the list is the whole answer.
    bool complet = true;
    Arret arret = Arret::Aucun;
    // The frame whose failure stopped the check; 0 when none did.
    std::int32_t iNoObjet = 0;
    // The first failures as the component reported them (procedure, number, description),
    // UTF-8, at most MessagesGardes of them; nombreMessages counts them all.
    static constexpr std::size_t MessagesGardes = 100;
    std::vector<std::string> messages;
    std::size_t nombreMessages = 0;
    // Surface units per planning unit across and down, and the zoom, of the target checked.
    double idCorrecHorizontal = 0;
    double idCorrecVertical = 0;
    double idZoom = 0;
};

}  // namespace vitrail
