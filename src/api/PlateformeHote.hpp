#pragma once

#include <memory>
#include <ostream>

#include "platform/Plateforme.hpp"
#include "platform/console/InteractionConsole.hpp"
#include "vitrail/Dialogues.hpp"

namespace vitrail::api {

// The platform one TracPlanDLL draws through: the one it was given, but for the message boxes
// and dialogs, which it counts and may answer itself (SansDialogues).
class PlateformeHote : public Plateforme {
  public:
    explicit PlateformeHote(std::shared_ptr<Plateforme> plateforme);

    std::unique_ptr<Surface> NouvelleSurface() override { return plateforme_->NouvelleSurface(); }
    Printer& Imprimante() override { return plateforme_->Imprimante(); }
    Interaction& Dialogues() override;
    Horloge& Chronometre() override { return plateforme_->Chronometre(); }
    Systeme& Os() override { return plateforme_->Os(); }
    void MontreModal(MontrePlan& fenetre) override { plateforme_->MontreModal(fenetre); }

    void sansDialogues(const SansDialogue& reponses);
    int erreurs() const { return compteur_.erreurs; }

  private:
    // Forwards to the dialogs in force and counts the failures reported.
    class Compteur : public Interaction {
      public:
        Interaction* cible = nullptr;
        int erreurs = 0;
        Reponse MsgBox(const Message& message) override;
        std::optional<std::int32_t> ChoixImprimante(std::int32_t flags) override {
            return cible->ChoixImprimante(flags);
        }
        std::optional<Texte> ChoixFichierEnregistrement(const Texte& nomFichier) override {
            return cible->ChoixFichierEnregistrement(nomFichier);
        }
    };

    std::shared_ptr<Plateforme> plateforme_;
    Compteur compteur_;
    std::ostream muet_{nullptr};
    std::unique_ptr<InteractionConsole> reponses_;
};

}  // namespace vitrail::api
