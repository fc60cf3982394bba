#pragma once

#include "support/Texte.hpp"

namespace vitrail {

// Services of the operating system the HTML export relies on.
class Systeme {
  public:
    virtual ~Systeme() = default;

    // The folder of the loaded component, as the system reports it.
    virtual Texte DossierApplication() = 0;
    virtual bool FichierExiste(const Texte& chemin) = 0;
    // Starts a program from a command line without waiting for it.
    virtual void LanceProgramme(const Texte& ligneCommande) = 0;
};

}  // namespace vitrail
