#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <utility>

#include "platform/Dialogues.hpp"

namespace vitrail {

// For batch use: every message box goes to a stream (standard error by default) with the
// answer taken. Answers come from the preset ones, in order, then from the defaults, which
// never start a browser or retry for ever.
class DialoguesConsole : public Dialogues {
  public:
    explicit DialoguesConsole(std::ostream& sortie);

    std::deque<Reponse> reponses;
    Reponse reponseOuiNon = Reponse::Non;
    Reponse reponseOuiNonAnnuler = Reponse::Annuler;
    // The printer dialog's answer: a number of copies, or empty for Cancel.
    std::optional<std::int32_t> copies = 1;
    // The save dialog's answer: a file name, or empty for Cancel.
    std::optional<Texte> fichier;
    // Failures the component reported (its critical boxes) so far.
    int erreurs = 0;
    // Asked once the preset answers are used up, before the defaults.
    std::function<Reponse(const Message&)> question;

    Reponse MsgBox(const Message& message) override;
    std::optional<std::int32_t> ChoixImprimante(std::int32_t flags) override;
    std::optional<Texte> ChoixFichierEnregistrement(const Texte& nomFichier) override;

  private:
    std::ostream& sortie_;
    // The last few texts on one line: failures come in runs of the same few messages.
    std::deque<std::pair<Texte, std::string>> lignesRecentes_;
    const std::string& surUneLigne(const Texte& texte);
    // The line being written, its memory kept from one message to the next.
    std::string ligne_;
};

}  // namespace vitrail
