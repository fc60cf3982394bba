#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "platform/Dialogues.hpp"

namespace vitrail::test {

// Answers from a script and records every message box and dialog. With the script empty a box
// gets its first button (OK or Yes), the printer dialog one copy, the save dialog a Cancel.
class DialoguesScriptes : public Dialogues {
  public:
    std::deque<Reponse> reponses;
    std::deque<std::optional<std::int32_t>> copies;
    std::deque<std::optional<Texte>> fichiers;

    std::vector<Message> messages;
    // Off, boxes are answered and counted but not kept: a fuzzed frame may raise a million.
    bool gardeMessages = true;
    std::size_t nombreMessages = 0;
    // The box with this number (from 1) throws instead of being answered, as a toolkit may.
    std::size_t jetteAuMessage = 0;
    std::vector<std::int32_t> dialoguesImprimante;  // flags of each printer dialog shown
    std::vector<Texte> dialoguesEnregistrement;     // file name each save dialog opened on

    Reponse MsgBox(const Message& message) override;
    std::optional<std::int32_t> ChoixImprimante(std::int32_t flags) override;
    std::optional<Texte> ChoixFichierEnregistrement(const Texte& nomFichier) override;
};

}  // namespace vitrail::test
