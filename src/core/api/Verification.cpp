// The fit check: the render pass of one target, on surfaces that only measure.
#include "api/Verification.hpp"

#include <stdlib.h>

#include <filesystem>
#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

#include "html/Html.hpp"
#include "platform/EtatDessin.hpp"
#include "platform/Police.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail {

namespace {

// The drawing area of the viewer window at its designed size, in twips.
constexpr double LargeurVueParDefaut = 12000;
constexpr double HauteurVueParDefaut = 9000;

// A surface that measures texts on a real one, in its own font, and draws nothing. Pictures
// are loaded by the control's surface as a drawing would load them, so that a missing one
// fails here too, and are drawn nowhere.
template <class Base>
class Mesureur : public EtatDessin<Base> {
  public:
    Mesureur(Surface& mesures, Surface& images) : mesures_(mesures), images_(images) {}

    double TextWidth(const Texte& texte) override {
        return mesure([&] { return mesures_.TextWidth(texte); });
    }
    double TextHeight(const Texte& texte) override {
        return mesure([&] { return mesures_.TextHeight(texte); });
    }
    double TailleCroissanteMaximum() const override { return mesures_.TailleCroissanteMaximum(); }
    // The real surface's bounds, in this one's font: a long text is checked as fast as drawn.
    double LargeurParCaractere(std::u32string_view caracteres,
                               std::span<const std::pair<char32_t, char32_t>> bords) override {
        return mesure([&] { return mesures_.LargeurParCaractere(caracteres, bords); });
    }
    double LargeurAjouteeMaximum(std::u32string_view caracteres) override {
        return mesure([&] { return mesures_.LargeurAjouteeMaximum(caracteres); });
    }
    void Print(const Texte& texte) override {
        this->y_ += TextHeight(texte);
        this->x_ = 0;
    }
    void Boite(double, double, double, double, std::int32_t) override {}
    void BoitePleine(double, double, double, double, std::int32_t) override {}
    void PaintPicture(const Texte& chemin, double, double, double, double) override {
        images_.PaintPicture(chemin, 0, 0, 0, 0);
    }
    void Cls() override {
        this->x_ = 0;
        this->y_ = 0;
    }

  private:
    template <class Mesure>
    double mesure(Mesure&& m) {
        // The real surface keeps its own font: what it draws next must not change.
        struct Remise {
            Surface& surface;
            Police police;
            ~Remise() { police.pose(surface); }
        } remise{mesures_, Police::de(mesures_)};
        Police::de(*this).pose(mesures_);
        return m();
    }

    Surface& mesures_;
    Surface& images_;
};

class SurfaceDeMesure : public Mesureur<Surface> {
  public:
    using Mesureur::Mesureur;
    double Width() const override { return largeur_; }
    double Height() const override { return hauteur_; }
    void Redimensionne(double largeur, double hauteur) override {
        largeur_ = largeur;
        hauteur_ = hauteur;
    }

  private:
    double largeur_ = 0;
    double hauteur_ = 0;
};

// Measures like the printer; no document is opened, and the printer's own orientation and paper
// stay as they are.
class ImprimanteDeMesure : public Mesureur<Imprimante> {
  public:
    ImprimanteDeMesure(Imprimante& reelle, Surface& images)
        : Mesureur(reelle, images), reelle_(reelle) {}
    double Width() const override { return reelle_.Width(); }
    double Height() const override { return reelle_.Height(); }
    void Redimensionne(double, double) override {}
    std::int16_t Orientation() const override { return orientation_; }
    void Orientation(std::int16_t code) override { orientation_ = code; }
    std::int16_t PaperSize() const override { return papier_; }
    void PaperSize(std::int16_t code) override { papier_ = code; }
    void NewPage() override {}
    void EndDoc() override {}
    void KillDoc() override {}

  private:
    Imprimante& reelle_;
    std::int16_t orientation_ = Paysage;
    std::int16_t papier_ = A4;
};

// The failures are told to the user as any pass tells them, and kept; what a pass says of its
// own output (cancelled, page written) concerns no output here.
class DialoguesVerification : public Dialogues {
  public:
    explicit DialoguesVerification(Dialogues& reels) : reels_(reels) {}

    std::vector<std::string> messages;
    std::size_t nombreMessages = 0;

    Reponse MsgBox(const Message& message) override {
        if (message.icone == Icone::Critique) {
            // A frame far too large for 16-bit measures can report at every size it tries.
            if (++nombreMessages <= BilanDebordements::MessagesGardes) {
                messages.push_back(versUtf8(message.texte));
            }
            return reels_.MsgBox(message);
        }
        switch (message.boutons) {
            case Boutons::OK:
                return Reponse::OK;
            case Boutons::OuiNon:
                return Reponse::Non;
            default:
                return Reponse::Annuler;
        }
    }
    std::optional<std::int32_t> ChoixImprimante(std::int32_t) override { return 1; }
    std::optional<Texte> ChoixFichierEnregistrement(const Texte&) override { return std::nullopt; }

  private:
    Dialogues& reels_;
};

// No browser is offered the page of a check.
class SystemeVerification : public Systeme {
  public:
    explicit SystemeVerification(Systeme& reel) : reel_(reel) {}
    Texte DossierApplication() override { return reel_.DossierApplication(); }
    bool FichierExiste(const Texte&) override { return false; }
    void LanceProgramme(const Texte&) override {}

  private:
    Systeme& reel_;
};

class PlateformeVerification : public Plateforme {
  public:
    PlateformeVerification(Plateforme& reelle, Surface& surfaceControle)
        : reelle_(reelle),
          surfaceControle_(surfaceControle),
          imprimante_(reelle.imprimante(), surfaceControle),
          dialogues_(reelle.dialogues()),
          systeme_(reelle.systeme()) {}

    std::unique_ptr<Surface> NouvelleSurface() override {
        return std::make_unique<SurfaceDeMesure>(surfaceControle_, surfaceControle_);
    }
    Imprimante& imprimante() override { return imprimante_; }
    Dialogues& dialogues() override { return dialogues_; }
    Chronometre& chronometre() override { return reelle_.chronometre(); }
    Systeme& systeme() override { return systeme_; }
    void MontreModal(MontrePlan&) override {
        throw Erreur("Debordements : une vérification ne montre aucune fenêtre");
    }

    DialoguesVerification& rapports() { return dialogues_; }

  private:
    Plateforme& reelle_;
    Surface& surfaceControle_;
    ImprimanteDeMesure imprimante_;
    DialoguesVerification dialogues_;
    SystemeVerification systeme_;
};

// The HTML pass of a check writes to a folder of its own, removed afterwards; the export path
// the host chose is put back.
class PageTemporaire {
  public:
    explicit PageTemporaire(Systeme& systeme) : cheminAvant_(Html::GetCheminHtml(systeme)) {
        std::string modele =
            (std::filesystem::temp_directory_path() / "vitrail-verification-XXXXXX").string();
        if (mkdtemp(modele.data()) == nullptr) {
            throw Erreur("Debordements : aucun dossier temporaire pour la page HTML");
        }
        dossier_ = modele;
        Html::SetCheminHtml(depuisUtf8((dossier_ / "verification.htm").string()));
    }
    ~PageTemporaire() {
        Html::SetCheminHtml(cheminAvant_);
        std::error_code ignoree;
        std::filesystem::remove_all(dossier_, ignoree);
    }
    PageTemporaire(const PageTemporaire&) = delete;
    PageTemporaire& operator=(const PageTemporaire&) = delete;

  private:
    Texte cheminAvant_;
    std::filesystem::path dossier_;
};

Texte texteHote(const std::string& utf8, const char* argument) {
    try {
        return depuisUtf8(utf8);
    } catch (const std::invalid_argument& e) {
        throw Erreur(std::string(argument) + " : " + e.what());
    }
}

}  // namespace

std::vector<Debordement> verifieDebordements(TracPlanOCX& source, Plateforme& reelle,
                                             const ArgumentsDebordements& a,
                                             BilanDebordements& bilan) {
    using Arret = BilanDebordements::Arret;
    bilan = {};
    std::int32_t cible = a.piTypeImpression;
    if (cible == eiTypeSortieEcranOld) cible = eiTypeSortieEcran;
    if (cible == eiTypeSortieImprimanteOld) cible = eiTypeSortieImprimante;
    if (cible != eiTypeSortieEcran && cible != eiTypeSortieImprimante &&
        cible != eiTypeSortieHTML) {
        bilan.complet = false;
        bilan.arret = Arret::CibleSansSortie;
        return {};
    }
    const ArgumentsImprime passe{
        .piTypeImpression = cible,
        .psOrientation = texteHote(a.psOrientation, "psOrientation"),
        .pbForceTracé = true,
        .pbPromptPrinter = false,
        .psPaperSize = texteHote(a.psPaperSize, "psPaperSize"),
    };

    PlateformeVerification plateforme(reelle, source.surface());
    TracPlanOCX controle(plateforme, Html::sortie());
    controle.reglages = source.reglages;
    controle.ioCadres = source.ioCadres;
    controle.ilNbCadres = source.ilNbCadres;
    const auto noteEchelle = [&] {
        bilan.idCorrecHorizontal = controle.idCorrecHorizontal;
        bilan.idCorrecVertical = controle.idCorrecVertical;
        bilan.idZoom = controle.idZoom;
    };
    // Read during the pass: a printer pass that ends early gives the screen its scale back.
    controle.progression = [&](std::int32_t fait, std::int32_t total) {
        noteEchelle();
        if (controle.ibAbandon && bilan.iNoObjet == 0) {
            bilan.iNoObjet = (*controle.ioCadres)[static_cast<std::size_t>(fait - 1)].iNoObjet;
        }
        if (source.progression) source.progression(fait, total);
    };

    std::optional<PageTemporaire> page;
    if (cible == eiTypeSortieEcran) {
        controle.surface().Redimensionne(a.largeur > 0 ? a.largeur : LargeurVueParDefaut,
                                         a.hauteur > 0 ? a.hauteur : HauteurVueParDefaut);
        if (a.idZoom > 0) {
            // As a viewer would: the first look, then the zoom.
            controle.Imprime(passe);
            controle.idZoom = a.idZoom;
        }
    } else if (cible == eiTypeSortieHTML) {
        page.emplace(plateforme.systeme());
    }
    std::vector<Debordement> debordements;
    controle.observateurDebordement = [&](const Debordement& d) { debordements.push_back(d); };
    // The host hears of each failure as it would from a pass of its own.
    controle.observateurRapport = source.observateurRapport;
    const bool resultat = controle.Imprime(passe);

    const bool vide = !source.ioCadres || source.ioCadres->empty();
    bilan.complet = vide || (resultat && !controle.ibAbandon);
    if (!bilan.complet) {
        bilan.arret = source.ioCadres->size() >
                              static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())
                          ? Arret::TropDeCadres
                          : Arret::ErreurSignalee;
    }
    bilan.messages = std::move(plateforme.rapports().messages);
    bilan.nombreMessages = plateforme.rapports().nombreMessages;
    if (bilan.complet) noteEchelle();
    return debordements;
}

}  // namespace vitrail
