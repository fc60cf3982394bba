#pragma once

#include <cstdint>
#include <exception>
#include <functional>
#include <optional>
#include <string_view>
#include <type_traits>
#include <vector>

#include "platform/Plateforme.hpp"
#include "render/Balises.hpp"
#include "render/BarreDefilement.hpp"
#include "render/CachesDessin.hpp"
#include "render/CadreDef.hpp"
#include "render/Instructions.hpp"
#include "render/ListeCadres.hpp"
#include "render/Reglages.hpp"
#include "render/SortieHtml.hpp"
#include "render/SurfaceControle.hpp"
#include "support/ErreurExecution.hpp"
#include "support/Texte.hpp"
#include "support/Variant.hpp"
#include "vitrail/Debordement.hpp"
#include "vitrail/eTypeSortie.hpp"

namespace vitrail {

// The arguments of a render pass, with their defaults.
struct ArgumentsImprime {
    std::int32_t piTypeImpression = eiTypeSortieEcran;
    bool pbAlsoScreen = false;
    Texte psVersOu = U"Screen";
    Texte psOrientation = U"Landscape";
    bool pbForceTracé = false;
    bool pbPromptPrinter = true;
    Texte psPaperSize = U"A4";
};

struct CompositionTexte;

// The control that holds a planning's settings and frames and draws them on the current target.
// Internal: hosts reach it only through TracPlanDLL, so its state is open to the rest of the
// component and to the tests.
class TracPlanOCX {
  public:
    TracPlanOCX(Plateforme& plateforme, SortieHtml& html);
    TracPlanOCX(const TracPlanOCX&) = delete;
    TracPlanOCX& operator=(const TracPlanOCX&) = delete;

    // Public fields, in their order.
    bool ibNoRedraw = false;
    bool ibPrinting = false;
    Texte Orientation;
    Texte PaperSize;

    // Size and text measures of the drawing area, as 16-bit whole numbers.
    std::int16_t Height();
    std::int16_t Width();
    std::int16_t TextWidth(const Texte& psString);
    std::int16_t TextHeight(const Texte& psString);
    std::int32_t CurrentX() const;
    void CurrentX(std::int32_t piNewX);
    std::int32_t CurrentY() const;
    void CurrentY(std::int32_t piNewY);

    void Initialise(const ArgumentsReglages& arguments = {});
    void NewCadreImage(const Texte& psImagePath, double piHaut, double piGauche, double piBas = -1,
                       double piDroite = -1);
    void NewCadreTexte(const ArgumentsCadre& arguments);
    void Cls();
    void Release();
    // The render pass; true when it went through to its end.
    bool Imprime(const ArgumentsImprime& arguments = {});

    // Width and height of a text on the current target; the width leaves the style tags out
    // unless told otherwise.
    float RtvTextWidth(const Texte& psText, bool pbSansTailleDesBalises = true);
    float RtvTextHeight(const Texte& psText);

    // The surface the drawing code talks to: the printer on the printer target, else the control.
    Surface& ioObject();
    // Scroll steps: a quarter of the visible width and height.
    std::int32_t ilLargeurDéfil();
    std::int32_t ilHauteurDéfil();
    void RecalculeScrollBar();
    void SauvePrinter();
    void RestaurePrinter();
    // Puts the printer in the orientation and paper size asked for, and sets the printer's scale
    // and default zoom.
    void ParamètrePrinter(const Texte& psOrientation, const Texte& psPaperSize);

    // One frame onto the current target.
    void ImprimeObjet(const CadreDef& cadre);
    // Fits a text into its mapped box and draws or writes it line by line.
    void ImprimeTexteLong(const Texte& texte, double haut, double gauche, double bas, double droite,
                          std::int16_t taille, const Texte& aligne);
    // Word-wraps a text into isLignes for the current font (slot 0 unused).
    void GetTableauTexteLong(const Texte& texte, double gauche, double droite);
    void AjouteLigneTexte(const Texte& ligne);
    Texte GetLigneLaPlusLongue() const;

    // Shows the common error message for the procedure in force and stops the drawing.
    void RapportErreur(const ErreurExecution& erreur);

    Surface& surface() { return *surface_; }
    Imprimante& imprimante() { return plateforme_.imprimante(); }
    Dialogues& dialogues() { return plateforme_.dialogues(); }
    Plateforme& plateforme() { return plateforme_; }

    // Render state and stores.
    Texte nomProcedure;
    bool ibAbandon = false;
    std::int32_t ilTypeImpression = 0;
    std::optional<ListeCadres> ioCadres;
    std::int32_t ilNbCadres = 0;
    std::vector<Texte> isLignes;
    Reglages reglages;
    std::int16_t iiPaperSizeSauvé = 0;
    std::int16_t iiOrientationSauvée = 0;
    bool ibErreurPrinter = false;
    bool ibPrinterModifié = false;
    double idCorrecHorizontal = 0;
    double idCorrecVertical = 0;
    double idZoomDefaut = 0;
    double idZoom = 0;
    std::int32_t ilOrigineX = 0;
    std::int32_t ilOrigineY = 0;
    std::int32_t ilMaxDroite = 0;
    std::int32_t ilMaxBas = 0;
    Variant ivDernierTracé;

    BarreDefilement HScroll1;
    BarreDefilement VScroll1;

    // Observers of the pass, for tools: the frames drawn so far out of all, and each text that
    // does not fit its box. They never change what is drawn.
    std::function<void(std::int32_t fait, std::int32_t total)> progression;
    std::function<void(const Debordement&)> observateurDebordement;
    // Each failure reported, once the user has seen it, with the procedure in force and the
    // frame being drawn (0 for none); and the end of each pass, whether it went through every frame
    // and its end.
    std::function<void(const ErreurExecution&, const Texte& procedure, std::int32_t iNoObjet)>
        observateurRapport;
    std::function<void(bool complete)> observateurPasse;
    std::int32_t iNoObjetEnCours = 0;

    // Runs an operation under its own error handler: records its name, and on a failure reports
    // it and gives the result its initial value.
    template <class Corps>
    std::invoke_result_t<Corps> avecGestionnaire(std::u32string_view nom, Corps&& corps);

  private:
    // One render pass under way: its arguments, its error flow and what it gives back on every
    // way out (render/Passe.hpp).
    class Passe;
    bool tropTotPourTracer(bool force);
    void echelleEcran();
    void prepareCible(Passe& passe);
    void prepareImprimante(Passe& passe);
    void prepareHtml(Passe& passe);
    void imprimeCopie(Passe& passe);
    void imprimeCadres(Passe& passe);
    void termineCible(Passe& passe);
    void finPasse(Passe& passe);
    void placeMot(Texte& ligne, Texte& mot, double largeurDisponible);

    // The widths one wrap asked for, in order, with their answers (and whether the 16-bit
    // measure overflowed and was reported), the available width and the name it left.
    struct LargeurNotee {
        std::size_t debut;
        std::size_t longueur;
        float valeur;
        bool deborde;
        bool avecTabulation;
    };
    struct JournalLargeurs {
        std::vector<LargeurNotee> largeurs;
        // Their texts end to end: a wrap notes a width for nearly every word.
        Texte textes;
        std::u32string_view texte(const LargeurNotee& l) const {
            return std::u32string_view(textes).substr(l.debut, l.longueur);
        }
        double disponible = 0;
        // The font size the wrap measured at.
        float taille = 0;
        bool enregistre = false;
        bool complet = false;
        // How many wraps in a row were given back, not done: sizes that answer alike.
        std::uint32_t rendus = 0;
        Texte nomFinal;
    };
    // GetTableauTexteLong, or what the previous wrap of the same text gave when every width it
    // asked would answer the same way at the current size.
    void tableauOuRejeu(const Texte& texte, double gauche, double droite, JournalLargeurs& journal);
    bool memesReponses(const JournalLargeurs& journal);
    // Whether the current size is one at which every width the wrap found to fit still does:
    // a smaller one, where widths surely grow with the size. Those widths need no measure.
    bool plusPetiteQueLeJournal(const JournalLargeurs& journal);
    static bool tientEncore(const JournalLargeurs& journal, const LargeurNotee& largeur);
    void noteLargeur(const Texte& texte, float valeur, bool deborde);
    JournalLargeurs* journal_ = nullptr;
    // Whether wrapping a text of that make-up in the current font can report nothing at all.
    bool enveloppeMuette(const CompositionTexte& composition, double gauche, double droite);
    // The line height the fitting would take in the current font, measured without any report;
    // none when it may overflow.
    std::optional<std::int16_t> hauteurMuette(const Texte& texte);
    // On the HTML page, a bound on what a character of that text adds to a line, in twips; 0
    // when the target cannot tell.
    double largeurAjouteeHtml(const Texte& texte);
    // Sizes that would fit alike: past a size that did not fit, the smaller sizes at which each
    // measure the fitting asked answers as it did are passed over, their reports given again
    // (render/TaillesPareilles.cpp). Gives the next size to fit.
    struct RapportNote {
        Texte procedure;
        ErreurExecution erreur;
    };
    struct BoiteTexte {
        double hauteur;
        double largeur;
    };
    using ReponsesTaille = std::vector<std::uint8_t>;
    double tailleSuivante(double taille, double plancher, const JournalLargeurs& journal,
                          const std::vector<RapportNote>& rapports, BoiteTexte boite);
    std::optional<ReponsesTaille> reponsesTaille(const JournalLargeurs& journal,
                                                 const BoiteTexte& boite);
    // While set, each report is noted there with the procedure in force.
    std::vector<RapportNote>* rapportsNotes_ = nullptr;
    class NoteRapports {
      public:
        NoteRapports(std::vector<RapportNote>*& place, std::vector<RapportNote>* notes)
            : place_(place) {
            place_ = notes;
        }
        ~NoteRapports() { place_ = nullptr; }
        NoteRapports(const NoteRapports&) = delete;
        NoteRapports& operator=(const NoteRapports&) = delete;

      private:
        std::vector<RapportNote>*& place_;
    };
    // Font sizes shrink by this step; this text gives the height of one line.
    static constexpr double PasTaille = 0.5;
    static constexpr char32_t TexteHauteurLigne[] = U"WWW";
    // While set, a wrap stops as soon as its lines are more than the box's height holds.
    struct ArretLignes {
        double hauteurBoite;
        double hauteurLigne;
    };
    std::optional<ArretLignes> arret_;
    bool arrete_ = false;
    // A line and the next word, kept to reuse its memory from word to word.
    Texte ligneEssayee_;
    SansBalises sansBalises_;
    // A noted width's text, to measure it again.
    Texte texteRejoue_;
    // Where frames are drawn: the printer, or the control's own drawing area.
    Surface& cibleDessin();
    // A frame drawn before at this scale with no error and that would leave no ink in view now:
    // the state its drawing would leave, without drawing it.
    bool passeHorsChamp(const CadreDef& cadre);
    void rendsEtatDiffere();
    // Where that frame stands in the frame list, if it is one of the list's.
    std::optional<std::size_t> positionDansLaListe(const CadreDef& cadre) const;
    void retientCadre(const CadreDef& cadre, std::uint64_t version, double gauche, double haut,
                      double droite, double bas);

    std::int32_t cadreEnCours_ = 0;
    // Error reports so far: a layout or frame that raised one is never kept.
    std::uint64_t rapports_ = 0;
    CachesDessin caches_;
    // What the text of the frame being drawn left: its fit record, where its lines' ink went
    // and its line height.
    std::optional<Debordement> debordementCadre_;
    double encreGauche_ = 0;
    double encreDroite_ = 0;
    double hauteurLigne_ = 0;
    bool positionPosee_ = false;
    // The lines of the last frame skipped out of view, given to isLignes at the end of the
    // frames unless a later frame lays out its own.
    std::shared_ptr<const std::vector<Texte>> lignesDifferees_;
    // The last of a run of frames skipped out of view, and how far the view moved since it was
    // drawn: the state it left is given to the target before anything reads it, once per run.
    struct EtatDiffere {
        const CadreDessine* cadre = nullptr;
        double dx = 0;
        double dy = 0;
    } etatDiffere_;
    Plateforme& plateforme_;
    SortieHtml& html_;
    std::unique_ptr<Surface> surface_;
    SurfaceControle vueControle_;
};

template <class Corps>
std::invoke_result_t<Corps> TracPlanOCX::avecGestionnaire(std::u32string_view nom, Corps&& corps) {
    nomProcedure = nom;
    try {
        return corps();
    } catch (const ErreurExecution& erreur) {
        RapportErreur(erreur);
    } catch (const std::exception& e) {
        RapportErreur(enErreurExecution(e));
    }
    if constexpr (!std::is_void_v<std::invoke_result_t<Corps>>) return {};
}

}  // namespace vitrail
