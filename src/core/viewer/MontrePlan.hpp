#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/Plateforme.hpp"
#include "render/BarreDefilement.hpp"
#include "render/TracPlanOCX.hpp"
#include "viewer/Visionneuse.hpp"

namespace vitrail {

// The viewer window: it holds the control for the life of one planning, lays it out over the
// whole window and closes on Escape.
class MontrePlan {
  public:
    explicit MontrePlan(Plateforme& plateforme);
    MontrePlan(const MontrePlan&) = delete;
    MontrePlan& operator=(const MontrePlan&) = delete;

    TracPlanOCX TracPlanOCX1;
    Visionneuse visionneuse;

    // Outer place and size of the window in twips; empty keeps the designed ones.
    std::optional<Controle> placement;
    Texte Caption;
    // The control's place in the window.
    double gaucheControle = 0;
    double hautControle = 0;
    bool decharge = false;
    // Set by the view that shows the window: closes it.
    std::function<void()> fermeVue;

    // Lays the control over the window whose outer size is given.
    void Form_Resize(double largeurFenetre, double hauteurFenetre);
    void BoutonEscape_Click();
    void Form_KeyPress(std::int16_t keyAscii);
    void Form_Unload();

  private:
    void Unload();
};

}  // namespace vitrail
