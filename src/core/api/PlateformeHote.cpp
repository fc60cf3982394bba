#include "api/PlateformeHote.hpp"

#include "support/Texte.hpp"

namespace vitrail::api {

PlateformeHote::PlateformeHote(std::shared_ptr<Plateforme> plateforme)
    : plateforme_(std::move(plateforme)) {}

Dialogues& PlateformeHote::dialogues() {
    compteur_.cible =
        reponses_ ? static_cast<Dialogues*>(reponses_.get()) : &plateforme_->dialogues();
    return compteur_;
}

Reponse PlateformeHote::Compteur::MsgBox(const Message& message) {
    if (message.icone == Icone::Critique) ++erreurs;
    return cible->MsgBox(message);
}

void PlateformeHote::sansDialogues(const SansDialogue& r) {
    auto console = std::make_unique<DialoguesConsole>(r.journal != nullptr ? *r.journal : muet_);
    console->reponses.assign(r.reponses.begin(), r.reponses.end());
    console->copies = r.copies;
    if (r.fichier) console->fichier = depuisUtf8(*r.fichier);
    if (r.question) {
        console->question = [question = r.question](const Message& m) {
            return question({.texte = versUtf8(m.texte),
                             .titre = m.titre ? std::optional(versUtf8(*m.titre)) : std::nullopt,
                             .boutons = m.boutons,
                             .icone = m.icone});
        };
    }
    reponses_ = std::move(console);
}

}  // namespace vitrail::api
