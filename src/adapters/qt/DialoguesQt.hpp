#pragma once

#include "platform/Dialogues.hpp"

namespace vitrail::qt {

class ImprimanteQt;

// Message boxes and the two common dialogs as Qt's own.
class DialoguesQt : public Dialogues {
  public:
    explicit DialoguesQt(ImprimanteQt& imprimante) : imprimante_(imprimante) {}

    Reponse MsgBox(const Message& message) override;
    std::optional<std::int32_t> ChoixImprimante(std::int32_t flags) override;
    std::optional<Texte> ChoixFichierEnregistrement(const Texte& nomFichier) override;

  private:
    ImprimanteQt& imprimante_;
};

}  // namespace vitrail::qt
