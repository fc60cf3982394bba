#pragma once

#include <memory>

#include "platform/Chronometre.hpp"
#include "platform/Dialogues.hpp"
#include "platform/Imprimante.hpp"
#include "platform/Surface.hpp"
#include "platform/Systeme.hpp"

namespace vitrail {

class MontrePlan;

// Everything the component needs from the platform it runs on.
class Plateforme {
  public:
    virtual ~Plateforme() = default;

    // The drawing area of a new control.
    virtual std::unique_ptr<Surface> NouvelleSurface() = 0;
    virtual Imprimante& imprimante() = 0;
    virtual Dialogues& dialogues() = 0;
    virtual Chronometre& chronometre() = 0;
    virtual Systeme& systeme() = 0;
    // Shows the viewer window and waits until it is closed. Without a display, throws
    // vitrail::Erreur.
    virtual void MontreModal(MontrePlan& fenetre) = 0;
};

}  // namespace vitrail
