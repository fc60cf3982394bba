#pragma once

#include <cstdint>
#include <optional>

#include "support/BoiteMessage.hpp"
#include "support/Texte.hpp"

namespace vitrail {

// What the component asks of the user: modal message boxes and the two common dialogs.
class Dialogues : public BoiteMessage {
  public:
    // The printer choice dialog; the number of copies chosen, or empty on Cancel.
    virtual std::optional<std::int32_t> ChoixImprimante(std::int32_t flags) = 0;
    // The save dialog opened on a file name; the name chosen, or empty on Cancel.
    virtual std::optional<Texte> ChoixFichierEnregistrement(const Texte& nomFichier) = 0;
};

}  // namespace vitrail
