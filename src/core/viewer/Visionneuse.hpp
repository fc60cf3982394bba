#pragma once

#include <array>
#include <cstdint>
#include <functional>

#include "render/BarreDefilement.hpp"
#include "render/TracPlanOCX.hpp"

namespace vitrail {

// The control's own user interface in the viewer: its scroll bars, zoom, print and save
// buttons, the corner square, the mouse and the keyboard. Written on a model of the child
// controls (places and sizes in twips), so that a toolkit only forwards its events here and
// applies the geometry.
class Visionneuse {
  public:
    static constexpr std::int16_t ZoomAvant = 0;
    static constexpr std::int16_t ZoomArriere = 1;
    static constexpr std::int16_t PleinePage = 2;
    static constexpr std::int16_t Imprimer = 3;
    static constexpr std::int16_t ToucheEchap = 27;

    explicit Visionneuse(TracPlanOCX& controle);

    std::array<Controle, 4> cmdZoom;
    Controle cmdEnregistre;
    Controle CacheCarré;
    // The control's size at the end of the last layout.
    std::int32_t ilLargeurPrécédente = 0;
    std::int32_t ilHauteurPrécédente = 0;
    // The control's KeyPress event, raised to the window that holds it.
    std::function<void(std::int16_t& keyAscii)> KeyPress;

    void UserControl_Resize();
    void UserControl_Paint();
    // The bars' values are read from the control's HScroll1 and VScroll1.
    void HScroll1_Change();
    void VScroll1_Change();
    void cmdZoom_Click(std::int16_t index);
    // 1 left, 2 right, 4 middle.
    void UserControl_MouseDown(std::int16_t bouton);
    void cmdEnregistre_Click();
    void UserControl_KeyPress(std::int16_t& keyAscii);

  private:
    void redessine(bool force);
    void defile(const char32_t* procedure, const BarreDefilement& barre, std::int32_t pas,
                std::int32_t& origine);

    TracPlanOCX& ctl_;
};

}  // namespace vitrail
