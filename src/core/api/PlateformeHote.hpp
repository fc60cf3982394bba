#pragma once

#include <memory>
#include <ostream>

#include "platform/DialoguesConsole.hpp"
#include "platform/Plateforme.hpp"
#include "vitrail/Dialogues.hpp"

namespace vitrail::api {

// The platform one TracPlanDLL draws through: the one it was given, but for the message boxes
// and dialogs, which it counts and may answer itself (SansDialogues).
class PlateformeHote : public Plateforme {
  public:
    explicit PlateformeHote(std::shared_ptr<Plateforme> plateforme);

    std::unique_ptr<Surface> NouvelleSurface() override { return plateforme_->NouvelleSurface(); }
    Imprimante& imprimante() override { return plateforme_->imprimante(); }
    Dialogues& dialogues() override;
    Chronometre& chronometre() override { return plateforme_->chronometre(); }
    Systeme& systeme() override { return plateforme_->systeme(); }
    void MontreModal(MontrePlan& fenetre) override { plateforme_->MontreModal(fenetre); }

    void sansDialogues(const SansDialogue& reponses);
    int erreurs() const { return compteur_.erreurs; }

  private:
    // Forwards to the dialogs in force and counts the failures reported.
    class Compteur : public Dialogues {
      public:
        Dialogues* cible = nullptr;
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
    std::unique_ptr<DialoguesConsole> reponses_;
};

}  // namespace vitrail::api
