#pragma once

#include <cstdint>
#include <string>

#include "vitrail/Valeur.hpp"
#include "vitrail/eTypeSortie.hpp"

namespace vitrail {

// The drawing settings of Initialise, with their defaults. Give only what differs, with
// designated initialisers: Initialise({.psFont = "Arial", .piFontSize = 12}). Every field left
// out takes its default again, whatever an earlier Initialise said.
struct ArgumentsInitialise {
    double piDrawWidth = 1;
    std::int32_t piFillColor = 16777215;
    std::int16_t piFillStyle = 1;
    std::string psFont = "Times New Roman";
    std::int16_t piFontSize = 10;
    bool pbFontBold = false;
    bool pbFontItalic = false;
    bool pbFontStrikethru = false;
    bool pbFontUnderline = false;
    bool pbFontTransparent = true;
    std::int32_t plFontColor = 0;
    std::string psAligne = "HV";
    std::int32_t plCouleurTrait = 0;
    std::int32_t plCouleurFond = 16777215;
    std::string psFieldSeparator = NonDefini;
    Valeur psReplaceCHR13 = Valeur();
    std::int16_t piMargeEnPourcent = 5;
    std::int16_t piNbMiniLettresDunMot = 4;
    std::int16_t piScreenTop = -1;
    std::int16_t piScreenLeft = -1;
    std::int16_t piScreenHeight = -1;
    std::int16_t piScreenWidth = -1;
    std::string psScreenCaption = "Vitrail, édition du planning";
    double pdMinFontSize = 5;
};

// The optional arguments of NewCadreTexte. A field left at its marker (-1 or NonDefini) takes
// the setting of the same name when the frame is stored.
struct ArgumentsCadreTexte {
    double piBas = -1;
    double piDroite = -1;
    double piDrawWidth = -1;
    std::int32_t piFillColor = -1;
    std::string psText = "";
    std::string psFont = NonDefini;
    std::int16_t piFontSize = -1;
    Valeur pbFontBold = Valeur();
    Valeur pbFontItalic = Valeur();
    Valeur pbFontStrikethru = Valeur();
    Valeur pbFontUnderline = Valeur();
    Valeur pbFontTransparent = Valeur();
    std::int32_t plFontColor = -1;
    std::string psAligne = NonDefini;
    std::int32_t plCouleurTrait = -1;
};

// The arguments of Show. Show normalises piTypeImpression in place: 0 becomes 1, -1 becomes 2.
struct ArgumentsShow {
    eTypeSortie piTypeImpression = eiTypeSortieEcran;
    bool pbAlsoScreen = false;
    std::string psVersOu = "Screen";
    std::string psOrientation = "Landscape";
    bool pbPromptPrinter = true;
    // HTML target: the page to write; empty selects Vitrail.htm in the library's folder.
    std::string psChemin = "";
    std::string psPaperSize = "A4";
};

}  // namespace vitrail
