#include "viewer/MontrePlan.hpp"

#include <algorithm>

#include "html/Html.hpp"

namespace vitrail {

namespace {

// The window keeps a strip below and beside the control for its own frame.
constexpr double MargeLargeur = 100;
constexpr double MargeHauteur = 400;

}  // namespace

MontrePlan::MontrePlan(Plateforme& plateforme)
    : TracPlanOCX1(plateforme, Html::sortie()), visionneuse(TracPlanOCX1) {
    visionneuse.KeyPress = [this](std::int16_t& keyAscii) { Form_KeyPress(keyAscii); };
}

void MontrePlan::Form_Resize(double largeurFenetre, double hauteurFenetre) {
    TracPlanOCX1.ibNoRedraw = true;
    gaucheControle = 0;
    hautControle = 0;
    // A window too small for its margins gives the control no area rather than a negative one.
    TracPlanOCX1.surface().Redimensionne(std::max(0.0, largeurFenetre - MargeLargeur),
                                         std::max(0.0, hauteurFenetre - MargeHauteur));
    visionneuse.UserControl_Resize();
    TracPlanOCX1.ibNoRedraw = false;
}

void MontrePlan::BoutonEscape_Click() {
    Unload();
}

void MontrePlan::Form_KeyPress(std::int16_t keyAscii) {
    if (keyAscii == Visionneuse::ToucheEchap) Unload();
}

void MontrePlan::Form_Unload() {
    decharge = true;
}

void MontrePlan::Unload() {
    if (decharge) return;
    Form_Unload();
    if (fermeVue) fermeVue();
}

}  // namespace vitrail
