#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vitrail::outil {

enum class Commande { Aide, Version, Rendu, Verification };
// Rien: the file names a target that shows nothing.
enum class Cible { Defaut, Rien, Visionneuse, Imprimante, Pdf, Html, Png, Html5, Svg };

// What the command line asks for.
struct Options {
    Commande commande = Commande::Aide;
    std::string fichier;
    Cible cible = Cible::Defaut;
    std::string sortie;
    std::optional<std::string> orientation;
    std::optional<std::string> papier;
    std::optional<int> copies;
    bool sansDialogue = false;
    int largeurPixels = 1600;
    int hauteurPixels = 1200;
    std::optional<double> zoom;
    // png: pixels per pixel of the drawing, text included (--scale, or --dpi over 96).
    double echelle = 1;
    std::vector<std::string> reponses;
    bool silencieux = false;
    bool confiance = false;    // output paths the file names are taken as they are
    bool echappeHtml = false;  // html: frame texts read as text, but for the style tags
};

// Throws std::invalid_argument with a message for the user on a bad command line.
Options litOptions(const std::vector<std::string>& arguments);

// -o - : the output goes to standard output, and no path is printed.
inline bool versSortieStandard(const Options& o) {
    return o.sortie == "-";
}

// Where pdf, png and html go: -o's path (standard output for -), else, for a target chosen
// with --to, the file's name with the target's extension in the current folder. Empty when
// the file's own show section says where (html without --to).
std::string cheminDeSortie(const Options& o, Cible cible);

extern const char* const Aide;
extern const char* const Version;

}  // namespace vitrail::outil
