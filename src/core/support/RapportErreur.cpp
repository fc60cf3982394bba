#include "support/RapportErreur.hpp"

#include <cstdint>
#include <deque>
#include <memory>

namespace vitrail {

Message MessageErreurImprimante() {
    return {MessageImprimanteVitImpr, Boutons::OK, Icone::Critique,
            U"Erreur d'imprimante lors de l'essai d'impression"};
}

Texte MessageRapportErreur(const Texte& procedure, const ErreurExecution& erreur) {
    Texte texte = U"Le composant Vitrail.DLL a causé une erreur de Vitrail dans le module : ";
    texte += procedure;
    texte += U"'\r\nCode : ";
    texte += depuisUtf8(std::to_string(erreur.numero()));
    texte += U"\r\nDescription : ";
    texte += erreur.description();
    return texte;
}

namespace {

// Failures come in runs of the same few (a frame at a huge size overflows at every size): each
// message is built once per run. Shared, so that a report made while a box is open (events run
// under a modal box) replaces one without pulling it from under the open box.
std::shared_ptr<const Message> messageRapport(const Texte& procedure,
                                              const ErreurExecution& erreur) {
    struct Recent {
        Texte procedure;
        std::int32_t numero = 0;
        Texte description;
        std::shared_ptr<const Message> message;
    };
    thread_local std::deque<Recent> recents;
    for (const Recent& r : recents) {
        if (r.numero == erreur.numero() && memesTextes(r.procedure, procedure) &&
            memesTextes(r.description, erreur.description())) {
            return r.message;
        }
    }
    if (recents.size() == 4) recents.pop_back();
    recents.push_front({procedure, erreur.numero(), erreur.description(),
                        std::make_shared<const Message>(
                            Message{MessageRapportErreur(procedure, erreur), Boutons::OK,
                                    Icone::Critique, U"Erreur de Vitrail.dll"})});
    return recents.front().message;
}

}  // namespace

void RapportErreur(const ErreurExecution& erreur, const Texte& procedure, BoiteMessage& boite,
                   bool& ibAbandon, bool& ibNoRedraw) {
    if (erreur.numero() == erreurs::InfoImprimante) {
        boite.MsgBox({MessageImprimanteVitImpr, Boutons::OK, Icone::Aucune, std::nullopt});
    }
    ibAbandon = true;
    ibNoRedraw = true;
    const std::shared_ptr<const Message> message = messageRapport(procedure, erreur);
    boite.MsgBox(*message);
    ibAbandon = true;
    ibNoRedraw = true;
}

}  // namespace vitrail
