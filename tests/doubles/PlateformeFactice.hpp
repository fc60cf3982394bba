#pragma once

#include <memory>
#include <set>
#include <vector>

#include "doubles/ImprimanteFactice.hpp"
#include "doubles/InteractionScriptee.hpp"
#include "doubles/SurfaceFactice.hpp"
#include "platform/Plateforme.hpp"

namespace vitrail::test {

class HorlogeFactice : public Horloge {
  public:
    float maintenant = 36000;
    float Timer() override { return maintenant; }
};

class SystemeFactice : public Systeme {
  public:
    Texte dossier = U"/opt/vitrail";
    std::set<Texte> fichiers;
    std::vector<Texte> lances;

    Texte DossierApplication() override { return dossier; }
    bool FichierExiste(const Texte& chemin) override { return fichiers.count(chemin) != 0; }
    void LanceProgramme(const Texte& ligneCommande) override { lances.push_back(ligneCommande); }
};

// All the test doubles behind one platform. Each new control gets a recording surface of the
// size set here; the last one made stays reachable.
class PlateformeFactice : public Plateforme {
  public:
    double largeurSurface = 12000;
    double hauteurSurface = 9000;
    ImprimanteFactice imprimante;
    InteractionScriptee interaction;
    HorlogeFactice horloge;
    SystemeFactice systeme;
    SurfaceFactice* derniereSurface = nullptr;

    std::unique_ptr<Surface> NouvelleSurface() override {
        auto surface = std::make_unique<SurfaceFactice>();
        surface->largeur = largeurSurface;
        surface->hauteur = hauteurSurface;
        derniereSurface = surface.get();
        return surface;
    }
    Printer& Imprimante() override { return imprimante; }
    Interaction& Dialogues() override { return interaction; }
    Horloge& Chronometre() override { return horloge; }
    Systeme& Os() override { return systeme; }
};

}  // namespace vitrail::test
