#include "doubles/DialoguesScriptes.hpp"

#include <stdexcept>

namespace vitrail::test {

namespace {

template <class T, class D>
T suivant(std::deque<T>& file, D parDefaut) {
    if (file.empty()) return parDefaut;
    T valeur = file.front();
    file.pop_front();
    return valeur;
}

}  // namespace

Reponse DialoguesScriptes::MsgBox(const Message& message) {
    ++nombreMessages;
    if (gardeMessages) messages.push_back(message);
    if (nombreMessages == jetteAuMessage) throw std::runtime_error("message box failed");
    return suivant(reponses, message.boutons == Boutons::OK ? Reponse::OK : Reponse::Oui);
}

std::optional<std::int32_t> DialoguesScriptes::ChoixImprimante(std::int32_t flags) {
    dialoguesImprimante.push_back(flags);
    return suivant(copies, std::optional<std::int32_t>(1));
}

std::optional<Texte> DialoguesScriptes::ChoixFichierEnregistrement(const Texte& nomFichier) {
    dialoguesEnregistrement.push_back(nomFichier);
    return suivant(fichiers, std::optional<Texte>());
}

}  // namespace vitrail::test
