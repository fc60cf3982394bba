#include "support/RapportErreur.hpp"

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

void RapportErreur(const ErreurExecution& erreur, const Texte& procedure, BoiteMessage& boite,
                   bool& ibAbandon, bool& ibNoRedraw) {
    if (erreur.numero() == erreurs::InfoImprimante) {
        boite.MsgBox({MessageImprimanteVitImpr, Boutons::OK, Icone::Aucune, std::nullopt});
    }
    ibAbandon = true;
    ibNoRedraw = true;
    boite.MsgBox({MessageRapportErreur(procedure, erreur), Boutons::OK, Icone::Critique,
                  U"Erreur de Vitrail.dll"});
    ibAbandon = true;
    ibNoRedraw = true;
}

}  // namespace vitrail
