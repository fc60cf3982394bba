#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "vitrail/Arguments.hpp"
#include "vitrail/Debordement.hpp"
#include "vitrail/Dialogues.hpp"
#include "vitrail/Export.hpp"
#include "vitrail/Identifiants.hpp"
#include "vitrail/Rapports.hpp"
#include "vitrail/Valeur.hpp"
#include "vitrail/eTypeSortie.hpp"

namespace vitrail {

class Plateforme;
namespace api {
struct Acces;
}

// A failure of the class's own steps (a text that is not UTF-8, for example). Failures while
// drawing never reach the host: the component shows them to the user itself.
class VITRAIL_EXPORT Erreur : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A call from a thread other than the library's (see TracPlanDLL), refused before it does
// anything.
class VITRAIL_EXPORT ErreurThread : public Erreur {
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
class VITRAIL_EXPORT TracPlanDLL {
  public:
    // On the Qt platform: the screen, the default printer (or a PDF file), Qt's dialogs.
    TracPlanDLL();
    // Draws through the given platform services (screen surface, printer, dialogs, clock and
    // system). Inside the library only.
    VITRAIL_INTERNE explicit TracPlanDLL(std::shared_ptr<Plateforme> plateforme);
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

    // Sends the planning to a PNG picture of the viewer's drawing area, then discards it as
    // Show does. False when the drawing failed: the file is then left as it was. Throws Erreur
    // when the picture cannot be written.
    bool Png(const ArgumentsPng& arguments);
    // The same drawing as a PNG, an html5 page or an SVG (see eFormatImage), at a scale.
    bool Image(const ArgumentsImage& arguments);

    // From now on, this object's message boxes and dialogs are answered as given, without
    // showing them.
    void SansDialogues(const SansDialogue& reponses);
    // Called after each frame a pass draws, with the frames drawn so far and their number.
    void Progression(std::function<void(std::int32_t fait, std::int32_t total)> suivi);
    // The HTML page takes frame texts and the caption as markup, so that hosts style them
    // (`<b>`, `<i>`, `<u>`); any tag or script in them reaches the browser. On, every character
    // reads as itself in the page but for those three style tags: for texts a host does not trust.
    // Off by default.
    void EchappeHtml(bool oui);
    // Called with each failure reported, once the user has seen (or the answers have taken) its
    // message.
    void SurRapport(std::function<void(const Rapport&)> suivi);
    // Printer output goes to this PDF file (then "name-2.pdf"... for further copies) whatever
    // print queue the system has.
    void FichierPdf(const std::string& chemin);

    // What the last Show or Png did: the failures reported, whether the passes went through,
    // where the output went.
    const BilanShow& DernierShow() const;
    // The failures reported so far (error boxes, with or without SansDialogues) by this object.
    std::int32_t ErreursSignalees() const;
    // The frames of the planning under way.
    std::size_t NombreCadres();
    // Twips per pixel of the screen's drawing area.
    double TwipsParPixel();

    // Screen geometry and caption as given to the last Initialise.
    std::int16_t piScreenTop() const;
    std::int16_t piScreenLeft() const;
    std::int16_t piScreenHeight() const;
    std::int16_t piScreenWidth() const;
    const std::string& psScreenCaption() const;

  private:
    friend struct api::Acces;
    struct Interne;
    std::unique_ptr<Interne> interne_;
};

// The library's version, "major.minor.patch".
VITRAIL_EXPORT const char* version();

}  // namespace vitrail
