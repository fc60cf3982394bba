#include "support/ErreurExecution.hpp"

namespace vitrail {

Texte descriptionErreur(std::int32_t numero) {
    switch (numero) {
        case erreurs::AppelIncorrect:
            return U"Argument ou appel de procédure incorrect";
        case erreurs::Depassement:
            return U"Dépassement de capacité";
        case erreurs::MemoireInsuffisante:
            return U"Mémoire insuffisante";
        case erreurs::DivisionParZero:
            return U"Division par zéro";
        case erreurs::IncompatibiliteType:
            return U"Incompatibilité de type";
        case erreurs::ErreurInterne:
            return U"Erreur interne";
        case erreurs::NomFichierIncorrect:
            return U"Nom ou numéro de fichier incorrect";
        case erreurs::FichierIntrouvable:
            return U"Fichier introuvable";
        case erreurs::FichierDejaOuvert:
            return U"Fichier déjà ouvert";
        case erreurs::AccesChemin:
            return U"Erreur d'accès au chemin/fichier";
        case erreurs::CheminIntrouvable:
            return U"Chemin d'accès introuvable";
        case erreurs::ValeurPropriete:
            return U"Valeur de propriété non valide";
        case erreurs::ImageIncorrecte:
            return U"Image non valide";
        case erreurs::ErreurImprimante:
            return U"Erreur d'imprimante";
        case erreurs::InfoImprimante:
            return U"Problème lors de l'obtention des informations de l'imprimante. Vérifiez que "
                   U"l'imprimante est correctement installée";
        case erreurs::AnnulationDialogue:
            return U"Annulation sélectionnée";
        default:
            return U"Erreur définie par l'application ou par l'objet";
    }
}

ErreurExecution::ErreurExecution(std::int32_t numero)
    : ErreurExecution(numero, descriptionErreur(numero)) {}

ErreurExecution::ErreurExecution(std::int32_t numero, Texte description)
    : numero_(numero),
      description_(std::move(description)),
      what_("erreur " + std::to_string(numero) + " : " + versUtf8(description_)) {}

}  // namespace vitrail
