#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/Police.hpp"
#include "render/CadreDef.hpp"
#include "support/Texte.hpp"
#include "vitrail/Debordement.hpp"

namespace vitrail {

// Everything a text's fitting depends on: the text, the box's size, the size asked for, the
// target's font when the fitting starts, the settings it reads and the target it measures on.
struct CleMiseEnPage {
    Texte texte;
    double largeur = 0;
    double hauteur = 0;
    std::int16_t taille = 0;
    Police police;
    std::int16_t marge = 0;
    std::int16_t minimumLettres = 0;
    double tailleMinimum = 0;
    std::int32_t cible = 0;
    std::uint64_t resolution = 0;

    bool operator==(const CleMiseEnPage&) const = default;
};

// What the fitting found: the lines, the size, and what it left behind.
struct MiseEnPageConnue {
    std::vector<Texte> lignes;
    double taille = 0;
    std::int16_t hauteurLigne = 0;
    bool boucle = false;
    bool ajuste = false;
    // The font size the fitting left on the target and the procedure name it left in force.
    float tailleLaissee = 0;
    Texte procedure;
};

// A frame as it was last drawn on the screen at one scale, with no error: where its ink went and
// the state it left, so that while it stays out of view its drawing can be skipped and its
// effects given back.
struct CadreDessine {
    CadreDef cadre;
    // The stamp of the list under which the frame there was last found to be this one.
    std::uint64_t version = 0;
    std::int16_t marge = 0;
    std::int16_t minimumLettres = 0;
    double tailleMinimum = 0;
    std::int16_t tailleParDefaut = 0;
    std::uint64_t resolution = 0;
    // Origin when it was drawn, and the rectangle that holds its ink, in target units.
    std::int32_t origineX = 0;
    std::int32_t origineY = 0;
    double gauche = 0;
    double haut = 0;
    double droite = 0;
    double bas = 0;
    // The target's state after the frame.
    std::shared_ptr<const std::vector<Texte>> lignes;
    std::int16_t trait = 0;
    std::int32_t fond = 0;
    Police police;
    bool transparent = false;
    bool positionPosee = false;
    double x = 0;
    double y = 0;
    std::optional<Debordement> debordement;
};

// The fittings and drawn frames of one control, each store bounded: once full it is emptied
// and filled again as passes need.
class CachesDessin {
  public:
    static constexpr std::size_t Capacite = 1 << 15;

    const MiseEnPageConnue* miseEnPage(const CleMiseEnPage& cle) const;
    void garde(CleMiseEnPage cle, MiseEnPageConnue valeur);

    // The record of the frame at that position of the list, drawn at that scale.
    CadreDessine* cadre(std::size_t position, double zoom, double echelleX, double echelleY);
    void garde(std::size_t position, double zoom, double echelleX, double echelleY,
               CadreDessine cadre);

    void oublie();

  private:
    struct HachageMiseEnPage {
        std::size_t operator()(const CleMiseEnPage& c) const;
    };
    // The frames drawn at one scale, by their position in the list: a pass reads them in order,
    // without hashing.
    struct Echelle {
        double zoom;
        double echelleX;
        double echelleY;
        std::vector<std::optional<CadreDessine>> cadres;
    };
    // The scales a viewer goes back and forth between: zoom in and out, fit to the window.
    static constexpr std::size_t EchellesMaximum = 4;

    std::unordered_map<CleMiseEnPage, MiseEnPageConnue, HachageMiseEnPage> misesEnPage_;
    std::vector<Echelle> echelles_;
    // The last scale read, tried first.
    std::size_t derniere_ = 0;
};

}  // namespace vitrail
