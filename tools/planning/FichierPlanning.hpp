#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

#include "vitrail/TracPlanDLL.hpp"

namespace vitrail::fichier {

// A planning file that cannot be read: the message names the file, the line and the field.
class ErreurFichier : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct CadreTexte {
    double piHaut = 0;
    double piGauche = 0;
    ArgumentsCadreTexte arguments;
};

struct CadreImage {
    std::string psImagePath;
    double piHaut = 0;
    double piGauche = 0;
    double piBas = -1;
    double piDroite = -1;
};

// Exactly what a host says through the public class: Initialise (when the file has it), the
// frames in order, and the arguments of Show.
struct Planning {
    std::optional<ArgumentsInitialise> initialise;
    std::vector<std::variant<CadreTexte, CadreImage>> cadres;
    ArgumentsShow show;
    // The show section's echappeHtml: the page takes texts as text (TracPlanDLL::EchappeHtml).
    bool echappeHtml = false;
    // Where it was read: the file's name and the line each frame starts on.
    std::string fichier;
    std::vector<int> lignesCadres;
};

// Reads a planning file strictly: any unknown key, wrong type, value out of its argument's range
// or malformed JSON is an ErreurFichier, and nothing is returned. Picture paths are taken
// relative to the file's folder.
Planning lit(const std::filesystem::path& fichier);
Planning litTexte(const std::string& json, const std::string& nomFichier,
                  const std::filesystem::path& dossierImages);

// Where a frame (counted from 0) is in the file, as its messages name it: "file:line: frame
// /cadres/N", and ", picture PATH" for a picture frame.
std::string ouEst(const Planning& planning, std::size_t cadre);

// Says it to the component: the HTML escaping, Initialise, then every frame. Show is the caller's.
// suivi is told each frame before it is said, then that none is.
void joue(const Planning& planning, TracPlanDLL& plan,
          const std::function<void(std::optional<std::size_t>)>& suivi = {});

}  // namespace vitrail::fichier
