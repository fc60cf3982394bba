#pragma once

#include <cstdint>

#include "platform/Dialogues.hpp"
#include "platform/Imprimante.hpp"
#include "platform/Systeme.hpp"
#include "support/Texte.hpp"

namespace vitrail {

// The HTML page as the render pass writes it: the pass knows this and not the exporter, which
// plugs in when the control is built.
class SortieHtml {
  public:
    virtual ~SortieHtml() = default;

    virtual void entete(const Texte& titre, Systeme& systeme) = 0;
    virtual void cadre(double haut, double gauche, double bas, double droite,
                       std::int32_t couleurFond, double largeurTrait, BoiteMessage& boite) = 0;
    virtual void ligne(const Texte& texte, double haut, double gauche, double bas, double droite,
                       double taille, Imprimante& imprimante) = 0;
    virtual void fin(Systeme& systeme, Dialogues& dialogues) = 0;
    virtual bool enCours() const = 0;
    virtual void abandonne() = 0;
};

}  // namespace vitrail
