#pragma once

#include <cstdint>
#include <tuple>

#include "render/Instructions.hpp"
#include "render/TracPlanOCX.hpp"

namespace vitrail {

// One render pass under way. Every statement that may fail runs through `pas`, under the pass's
// error handler; once the handler ends the pass, the rest is skipped. Whichever way the pass is
// left, the guard gives back what it took over (an open printer document, the screen's view,
// an unfinished HTML page, the procedure name).
class TracPlanOCX::Passe {
  public:
    using Vue = std::tuple<double, double, double, double, std::int32_t, std::int32_t>;

    Passe(TracPlanOCX& controle, const ArgumentsImprime& arguments);
    ~Passe();
    Passe(const Passe&) = delete;
    Passe& operator=(const Passe&) = delete;

    bool cible(std::int32_t type) const { return a.piTypeImpression == type; }
    bool termine() const { return pas.termine(); }

    const ArgumentsImprime& a;
    Instructions pas;
    bool resultat = true;
    bool dernierDocumentFini = false;
    std::int16_t copies = 1;
    // The members the printer set-up takes over from the screen: a print that ends early gives
    // them back, so the viewer stays where the user left it.
    Vue vueAvant;
    Texte nomEnVigueur;
    bool fini = false;

  private:
    Suite gere(const ErreurExecution& erreur);

    TracPlanOCX& ctl_;
};

}  // namespace vitrail
