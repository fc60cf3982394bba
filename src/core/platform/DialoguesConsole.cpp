#include "platform/DialoguesConsole.hpp"

#include <ostream>

namespace vitrail {

namespace {

const char* nomReponse(Reponse reponse) {
    switch (reponse) {
        case Reponse::Oui:
            return "Oui";
        case Reponse::Non:
            return "Non";
        case Reponse::Annuler:
            return "Annuler";
        case Reponse::OK:
            break;
    }
    return "OK";
}

bool permise(Reponse reponse, Boutons boutons) {
    switch (boutons) {
        case Boutons::OK:
            return reponse == Reponse::OK;
        case Boutons::OuiNon:
            return reponse == Reponse::Oui || reponse == Reponse::Non;
        case Boutons::OuiNonAnnuler:
            return reponse != Reponse::OK;
    }
    return false;
}

// One line per message: line breaks inside it become " | ".
std::string surUneLigne(const Texte& texte) {
    std::string ligne;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        if (texte[i] == U'\r' || texte[i] == U'\n') {
            if (texte[i] == U'\r' && i + 1 < texte.size() && texte[i + 1] == U'\n') ++i;
            ligne += " | ";
        } else {
            ligne += versUtf8(texte.substr(i, 1));
        }
    }
    return ligne;
}

}  // namespace

DialoguesConsole::DialoguesConsole(std::ostream& sortie) : sortie_(sortie) {}

Reponse DialoguesConsole::MsgBox(const Message& message) {
    Reponse reponse = message.boutons == Boutons::OuiNon          ? reponseOuiNon
                      : message.boutons == Boutons::OuiNonAnnuler ? reponseOuiNonAnnuler
                                                                  : Reponse::OK;
    // A preset answer that the box does not offer is skipped, not forced on it.
    bool prevue = false;
    while (!reponses.empty() && !prevue) {
        const Reponse suivante = reponses.front();
        reponses.pop_front();
        prevue = permise(suivante, message.boutons);
        if (prevue) reponse = suivante;
    }
    if (!prevue && question) {
        const Reponse choisie = question(message);
        if (permise(choisie, message.boutons)) reponse = choisie;
    }
    if (message.icone == Icone::Critique) ++erreurs;
    sortie_ << "vitrail: ";
    if (message.titre) sortie_ << '[' << versUtf8(*message.titre) << "] ";
    sortie_ << surUneLigne(message.texte) << " -> " << nomReponse(reponse) << std::endl;
    return reponse;
}

std::optional<std::int32_t> DialoguesConsole::ChoixImprimante(std::int32_t) {
    sortie_ << "vitrail: impression, copies : "
            << (copies ? std::to_string(*copies) : std::string("annulée")) << std::endl;
    return copies;
}

std::optional<Texte> DialoguesConsole::ChoixFichierEnregistrement(const Texte& nomFichier) {
    sortie_ << "vitrail: enregistrer sous " << versUtf8(fichier.value_or(nomFichier))
            << (fichier ? "" : " : annulé") << std::endl;
    return fichier;
}

}  // namespace vitrail
