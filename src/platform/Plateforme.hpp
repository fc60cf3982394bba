#pragma once

#include <memory>

#include "platform/Horloge.hpp"
#include "platform/Interaction.hpp"
#include "platform/Printer.hpp"
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
    virtual Printer& Imprimante() = 0;
    virtual Interaction& Dialogues() = 0;
    virtual Horloge& Chronometre() = 0;
    virtual Systeme& Os() = 0;
    // Shows the viewer window and waits until it is closed. Without a display, throws
    // vitrail::Erreur.
    virtual void MontreModal(MontrePlan& fenetre) = 0;
};

}  // namespace vitrail
