#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "doubles/DialoguesScriptes.hpp"
#include "doubles/ImprimanteFactice.hpp"
#include "doubles/SurfaceFactice.hpp"
#include "platform/Plateforme.hpp"
#include "viewer/MontrePlan.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail::test {

class HorlogeFactice : public Chronometre {
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

// All the test doubles behind one platform. Each new control gets a recording surface; the last
// one made stays reachable.
class PlateformeFactice : public Plateforme {
  public:
    DialoguesScriptes interaction;
    HorlogeFactice horloge;
    // Owned by the control: gone once Show has discarded the window.
    SurfaceFactice* derniereSurface = nullptr;

    std::unique_ptr<Surface> NouvelleSurface() override {
        auto surface = std::make_unique<SurfaceFactice>();
        derniereSurface = surface.get();
        return surface;
    }
    ImprimanteFactice& imprimante() override { return imprimante_; }
    Dialogues& dialogues() override { return interaction; }
    Chronometre& chronometre() override { return horloge; }
    SystemeFactice& systeme() override { return systeme_; }

    // What the user does while the window is shown; by default the window opens at its size,
    // is painted once and closed with Escape.
    double largeurFenetre = 12100;
    double hauteurFenetre = 9400;
    std::function<void(MontrePlan&)> scenario = [this](MontrePlan& f) {
        f.Form_Resize(largeurFenetre, hauteurFenetre);
        f.visionneuse.UserControl_Paint();
        std::int16_t echap = 27;
        f.visionneuse.UserControl_KeyPress(echap);
    };
    struct FenetreMontree {
        Texte caption;
        std::optional<Controle> placement;
        bool fermee;
        std::vector<std::string> appels;  // what was drawn in the window
    };
    std::vector<FenetreMontree> fenetres;
    bool sansEcran = false;

    void MontreModal(MontrePlan& fenetre) override {
        if (sansEcran) throw Erreur("pas d'écran");
        bool fermee = false;
        fenetre.fermeVue = [&] { fermee = true; };
        scenario(fenetre);
        fenetres.push_back({fenetre.Caption, fenetre.placement, fermee, derniereSurface->appels});
    }

  private:
    ImprimanteFactice imprimante_;
    SystemeFactice systeme_;
};

}  // namespace vitrail::test
