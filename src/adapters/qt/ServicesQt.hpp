#pragma once

#include "platform/Chronometre.hpp"
#include "platform/Systeme.hpp"

namespace vitrail::qt {

class HorlogeQt : public Chronometre {
  public:
    float Timer() override;
};

class SystemeQt : public Systeme {
  public:
    Texte DossierApplication() override;
    bool FichierExiste(const Texte& chemin) override;
    void LanceProgramme(const Texte& ligneCommande) override;
};

}  // namespace vitrail::qt
