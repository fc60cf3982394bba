#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "vitrail/Arguments.hpp"
#include "vitrail/Debordement.hpp"
#include "vitrail/Identifiants.hpp"
#include "vitrail/Valeur.hpp"
#include "vitrail/eTypeSortie.hpp"

namespace vitrail {

class Plateforme;
class MontrePlan;

// A failure of the class's own steps (a text that is not UTF-8, for example). Failures while
// drawing never reach the host: the component shows them to the user itself.
class Erreur : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A call from a thread other than the library's (see TracPlanDLL), refused before it does
// anything.
class ErreurThread : public Erreur {
  public:
    using Erreur::Erreur;
};

// The planning a host builds: Initialise, any number of NewCadreTexte and NewCadreImage, then
// Show. Texts are UTF-8.
//
// Threads: every object of a process shares one platform (on Qt, the application object) and
// one HTML export, so all of them are created, used and destroyed in one thread, the one that
// created the first of them. A constructor or member called from any other thread throws
// ErreurThread and changes nothing.
class TracPlanDLL {
  public:
    // On the Qt platform: the screen, the default printer (or a PDF file), Qt's dialogs.
    TracPlanDLL();
    // Draws through the given platform services (screen surface, printer, dialogs, clock and
    // system).
    explicit TracPlanDLL(std::shared_ptr<Plateforme> plateforme);
    ~TracPlanDLL();
    TracPlanDLL(const TracPlanDLL&) = delete;
    TracPlanDLL& operator=(const TracPlanDLL&) = delete;

    void Cls();
    void Initialise(const ArgumentsInitialise& arguments = {});
    void NewCadreImage(const std::string& psImagePath, double piHaut, double piGauche,
                       double piBas = -1, double piDroite = -1);
    void NewCadreTexte(double piHaut, double piGauche, const ArgumentsCadreTexte& arguments = {});
    // Sends the planning to its target, then discards it: the next planning starts empty.
    // Throws Erreur when the window cannot be shown (no display); the planning is then kept.
    void Show(ArgumentsShow& arguments);
    void Show(ArgumentsShow&& arguments = {});

    // The frames whose text does not fit, as the viewer would first draw them. The planning is
    // left as it was.
    std::vector<Debordement> Debordements();
    // The same for the given target's geometry. The list is whole only when bilan->complet:
    // a reported failure or a planning too large for one pass stops the check early. Nothing
    // is shown, printed or written; failures are told to the user as Show tells them.
    std::vector<Debordement> Debordements(const ArgumentsDebordements& cible,
                                          BilanDebordements* bilan = nullptr);

    // Screen geometry and caption as given to the last Initialise.
    std::int16_t piScreenTop() const { return piScreenTop_; }
    std::int16_t piScreenLeft() const { return piScreenLeft_; }
    std::int16_t piScreenHeight() const { return piScreenHeight_; }
    std::int16_t piScreenWidth() const { return piScreenWidth_; }
    const std::string& psScreenCaption() const { return psScreenCaption_; }

    // The viewer form holding the control, created on first use.
    MontrePlan& Formulaire();

  private:
    std::shared_ptr<Plateforme> plateforme_;
    std::unique_ptr<MontrePlan> montrePlan_;
    std::int16_t piScreenTop_ = 0;
    std::int16_t piScreenLeft_ = 0;
    std::int16_t piScreenHeight_ = 0;
    std::int16_t piScreenWidth_ = 0;
    std::string psScreenCaption_;
};

}  // namespace vitrail
