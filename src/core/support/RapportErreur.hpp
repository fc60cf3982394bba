#pragma once

#include "support/BoiteMessage.hpp"
#include "support/ErreurExecution.hpp"
#include "support/Texte.hpp"

namespace vitrail {

inline constexpr char32_t MessageImprimanteVitImpr[] =
    U"Le composant VitImpr.DLL a rencontré des difficultés lors de l'initialisation de "
    U"l'imprimante. Vous devrez peut-être revoir les paramètres de celles-ci pour avoir une "
    U"impression correcte";

// The printer-initialisation message as the render pass and the printer set-up show it.
Message MessageErreurImprimante();

// The three lines that tell which operation failed, with the error's number and description.
Texte MessageRapportErreur(const Texte& procedure, const ErreurExecution& erreur);

// The common error report: tells the user, then stops the drawing in progress by setting both
// flags.
void RapportErreur(const ErreurExecution& erreur, const Texte& procedure, BoiteMessage& boite,
                   bool& ibAbandon, bool& ibNoRedraw);

}  // namespace vitrail
