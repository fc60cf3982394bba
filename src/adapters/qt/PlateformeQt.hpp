#pragma once

#include <QString>
#include <memory>

#include "platform/Plateforme.hpp"
#include "qt/DialoguesQt.hpp"
#include "qt/ImprimanteQt.hpp"
#include "qt/ServicesQt.hpp"

namespace vitrail::qt {

// The real platform: Qt's screen, printer and dialogs. Creating it creates the Qt application
// object when the host has none: on the display when there is one, otherwise off-screen, where
// everything but the viewer window works and messages go to standard error.
class PlateformeQt : public Plateforme {
  public:
    PlateformeQt();

    // The platform every TracPlanDLL made with the default constructor shares.
    static std::shared_ptr<PlateformeQt> partagee();

    std::unique_ptr<Surface> NouvelleSurface() override;
    Imprimante& imprimante() override { return imprimante_; }
    Dialogues& dialogues() override { return *dialogues_; }
    Chronometre& chronometre() override { return horloge_; }
    Systeme& systeme() override { return systeme_; }
    void MontreModal(MontrePlan& fenetre) override;

    ImprimanteQt& imprimanteQt() { return imprimante_; }
    // Replaces the dialogs, for instance by console answers for batch use; empty restores the
    // platform's own.
    void dialogues(std::shared_ptr<Dialogues> dialogues);
    // False when no display could be reached: the viewer cannot be shown.
    static bool ecranDisponible();

  private:
    ImprimanteQt imprimante_;
    std::shared_ptr<Dialogues> dialogues_;
    HorlogeQt horloge_;
    SystemeQt systeme_;
};

}  // namespace vitrail::qt
