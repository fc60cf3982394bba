#pragma once

#include <optional>
#include <string>
#include <vector>

namespace vitrail::outil {

enum class Commande { Aide, Rendu, Verification };
// Rien: the file names a target that shows nothing.
enum class Cible { Defaut, Rien, Visionneuse, Imprimante, Pdf, Html, Png };

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
    std::vector<std::string> reponses;
    bool silencieux = false;
    bool confiance = false;    // output paths the file names are taken as they are
    bool echappeHtml = false;  // html: frame texts read as text, but for the style tags
};

// Throws std::invalid_argument with a message for the user on a bad command line.
Options litOptions(const std::vector<std::string>& arguments);

extern const char* const Aide;

}  // namespace vitrail::outil
