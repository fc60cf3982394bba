#pragma once

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

// A modal message box: all the runtime helpers may ask of the user, so they are handed this
// and never the platform.
class BoiteMessage {
  public:
    virtual ~BoiteMessage() = default;

    virtual Reponse MsgBox(const Message& message) = 0;
};

}  // namespace vitrail
