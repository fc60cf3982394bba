#include "platform/DialoguesConsole.hpp"

#include <ostream>
#include <string>
#include <string_view>

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
std::string enUneLigne(std::u32string_view texte) {
    std::string ligne;
    ligne.reserve(texte.size());
    while (!texte.empty()) {
        const std::size_t fin = texte.find_first_of(U"\r\n");
        ligne += versUtf8(texte.substr(0, fin));
        if (fin == std::u32string_view::npos) break;
        const bool paire = texte[fin] == U'\r' && fin + 1 < texte.size() && texte[fin + 1] == U'\n';
        ligne += " | ";
        texte.remove_prefix(fin + (paire ? 2 : 1));
    }
    return ligne;
}

}  // namespace

DialoguesConsole::DialoguesConsole(std::ostream& sortie) : sortie_(sortie) {}

const std::string& DialoguesConsole::surUneLigne(const Texte& texte) {
    for (const auto& [recent, ligne] : lignesRecentes_) {
        if (memesTextes(recent, texte)) return ligne;
    }
    if (lignesRecentes_.size() == 8) lignesRecentes_.pop_back();
    lignesRecentes_.emplace_front(texte, enUneLigne(texte));
    return lignesRecentes_.front().second;
}

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
    // One write for the whole line: on an unbuffered stream each piece would be one.
    std::string& ligne = ligne_;
    ligne = "vitrail: ";
    if (message.titre) {
        ligne += '[';
        ligne += surUneLigne(*message.titre);
        ligne += "] ";
    }
    ligne += surUneLigne(message.texte);
    ligne += " -> ";
    ligne += nomReponse(reponse);
    ligne += '\n';
    sortie_ << ligne << std::flush;
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
