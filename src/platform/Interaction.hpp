#pragma once

#include <cstdint>
#include <optional>

#include "support/Texte.hpp"
#include "vitrail/Dialogues.hpp"

namespace vitrail {

struct Message {
    Texte texte;
    Boutons boutons = Boutons::OK;
    Icone icone = Icone::Aucune;
    // Empty: the platform's default title.
    std::optional<Texte> titre;

    bool operator==(const Message&) const = default;
};

// What the component asks of the user: modal message boxes and the two common dialogs.
class Interaction {
  public:
    virtual ~Interaction() = default;

    virtual Reponse MsgBox(const Message& message) = 0;
    // The printer choice dialog; the number of copies chosen, or empty on Cancel.
    virtual std::optional<std::int32_t> ChoixImprimante(std::int32_t flags) = 0;
    // The save dialog opened on a file name; the name chosen, or empty on Cancel.
    virtual std::optional<Texte> ChoixFichierEnregistrement(const Texte& nomFichier) = 0;
};

}  // namespace vitrail
