#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace vitrail {

// The buttons a message box offers, its icon, and the button the user chose.
enum class Boutons { OK, OuiNon, OuiNonAnnuler };
enum class Icone { Aucune, Critique, Question, Information };
enum class Reponse { OK, Oui, Non, Annuler };

// A message box the component would show, texts in UTF-8.
struct Question {
    std::string texte{};
    // Empty: the platform's default title.
    std::optional<std::string> titre{};
    Boutons boutons = Boutons::OK;
    Icone icone = Icone::Aucune;
};

// How a TracPlanDLL answers instead of the user when it runs without message boxes or dialogs.
struct SansDialogue {
    // Taken in order; an answer the box does not offer is skipped.
    std::vector<Reponse> reponses{};
    // Asked once the preset answers are used up; without it, a question takes No (Cancel when it
    // offers Cancel), which never starts a browser or retries for ever.
    std::function<Reponse(const Question&)> question{};
    // The printer dialog: the number of copies, or empty for Cancel.
    std::optional<std::int32_t> copies = 1;
    // The save dialog: the file name, or empty for Cancel.
    std::optional<std::string> fichier{};
    // Each message on one line with the answer taken ("vitrail: [title] text -> Oui"); null
    // writes nothing.
    std::ostream* journal = nullptr;
};

}  // namespace vitrail
