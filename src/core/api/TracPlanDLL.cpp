#include "vitrail/TracPlanDLL.hpp"

#include <stdexcept>
#include <string>
#include <system_error>
#include <thread>
#include <variant>

#include "api/AccesInterne.hpp"
#include "api/FilUnique.hpp"
#include "api/PlateformeHote.hpp"
#include "api/Verification.hpp"
#include "html/Html.hpp"
#include "render/TableChamps.hpp"
#include "support/FichierAtomique.hpp"
#include "support/Texte.hpp"
#include "viewer/MontrePlan.hpp"

namespace vitrail {

namespace {

// A host's text, or a clear error that names the argument.
Texte texteHote(const std::string& utf8, const char* argument) {
    try {
        return depuisUtf8(utf8);
    } catch (const std::invalid_argument& e) {
        throw Erreur(std::string(argument) + " : " + e.what());
    }
}

Variant variantHote(const Valeur& valeur, const char* argument) {
    const auto& contenu = valeur.contenu();
    if (const auto* b = std::get_if<bool>(&contenu)) return *b;
    if (const auto* d = std::get_if<double>(&contenu)) return *d;
    return texteHote(std::get<std::string>(contenu), argument);
}

void depuisHote(const std::string& valeur, Texte& cible, const char* nom) {
    cible = texteHote(valeur, nom);
}
void depuisHote(const Valeur& valeur, Variant& cible, const char* nom) {
    cible = variantHote(valeur, nom);
}
template <class T>
void depuisHote(const T& valeur, T& cible, const char*) {
    cible = valeur;
}

// Every argument the host gives, into the control's struct of the same table.
template <class Table, class Hote, class Controle>
void versControle(const Table& table, const Hote& hote, Controle& controle) {
    champs::pourChaque(table, [&](const auto& c) {
        if constexpr (champs::present<decltype(c.hote)> && champs::present<decltype(c.controle)>) {
            depuisHote(hote.*c.hote, controle.*c.controle, c.nom);
        }
    });
}

}  // namespace

void api::verifieFil(const char* appel) {
    static const std::thread::id filBibliotheque = std::this_thread::get_id();
    if (std::this_thread::get_id() != filBibliotheque) {
        throw ErreurThread(std::string(appel) +
                           " : appel depuis un autre thread que celui de la bibliothèque (celui "
                           "qui a créé le premier TracPlanDLL)");
    }
}

struct VITRAIL_INTERNE TracPlanDLL::Interne {
    explicit Interne(std::shared_ptr<Plateforme> p)
        : plateforme(std::make_shared<api::PlateformeHote>(std::move(p))) {}

    std::shared_ptr<api::PlateformeHote> plateforme;
    std::unique_ptr<MontrePlan> montrePlan;
    std::int16_t piScreenTop = 0;
    std::int16_t piScreenLeft = 0;
    std::int16_t piScreenHeight = 0;
    std::int16_t piScreenWidth = 0;
    std::string psScreenCaption;
    std::function<void(std::int32_t, std::int32_t)> progression;
    std::function<void(const Rapport&)> surRapport;
    bool echappeHtml = false;
    // What the Show under way has done so far, and what the last one did.
    BilanShow enCours;
    BilanShow bilan;

    // Reports come in runs of the same one: each text is converted once per run.
    struct EnUtf8 {
        Texte texte;
        std::string utf8;
        const std::string& de(const Texte& t) {
            if (!memesTextes(t, texte)) {
                texte = t;
                utf8 = versUtf8(t);
            }
            return utf8;
        }
    };
    EnUtf8 description;
    EnUtf8 procedureEnCours;

    void retiens(const ErreurExecution& erreur, const Texte& procedure, std::int32_t iNoObjet) {
        const bool garde = ++enCours.nombreRapports <= BilanShow::RapportsGardes;
        // Past the reports kept, one nobody follows is only counted.
        if (!garde && !surRapport) return;
        Rapport rapport{.numero = erreur.numero(),
                        .description = description.de(erreur.description()),
                        .procedure = procedureEnCours.de(procedure),
                        .iNoObjet = iNoObjet};
        if (surRapport) surRapport(rapport);
        if (garde) enCours.rapports.push_back(std::move(rapport));
    }

    MontrePlan& formulaire() {
        if (!montrePlan) {
            montrePlan = std::make_unique<MontrePlan>(*plateforme);
            TracPlanOCX& controle = montrePlan->TracPlanOCX1;
            controle.progression = progression;
            controle.observateurRapport = [this](const ErreurExecution& e, const Texte& procedure,
                                                 std::int32_t iNoObjet) {
                retiens(e, procedure, iNoObjet);
            };
            controle.observateurPasse = [this](bool complete) {
                ++enCours.passes;
                enCours.complet = enCours.complet && complete;
            };
        }
        return *montrePlan;
    }

    // Starts the record of a Show; the printer's documents sent before it are not its own.
    std::size_t commence() {
        enCours = {};
        return plateforme->imprimante().Destinations().size();
    }
    void termine(std::size_t documentsAvant) {
        const std::vector<Texte> destinations = plateforme->imprimante().Destinations();
        for (std::size_t i = documentsAvant; i < destinations.size(); ++i)
            enCours.destinations.push_back(versUtf8(destinations[i]));
        bilan = std::move(enCours);
        enCours = {};
    }
    // The next planning starts empty.
    void oublie() {
        montrePlan->TracPlanOCX1.Release();
        montrePlan.reset();
    }
};

MontrePlan& api::Acces::formulaire(TracPlanDLL& plan) {
    api::verifieFil("Formulaire");
    return plan.interne_->formulaire();
}

Plateforme& api::Acces::plateforme(TracPlanDLL& plan) {
    return *plan.interne_->plateforme;
}

TracPlanDLL::TracPlanDLL(std::shared_ptr<Plateforme> plateforme)
    : interne_((api::verifieFil("TracPlanDLL"), plateforme)
                   ? std::make_unique<Interne>(std::move(plateforme))
                   : throw Erreur("TracPlanDLL : aucune plateforme")) {}

TracPlanDLL::~TracPlanDLL() = default;

void TracPlanDLL::Cls() {
    api::verifieFil("Cls");
    interne_->formulaire().TracPlanOCX1.Cls();
}

void TracPlanDLL::Initialise(const ArgumentsInitialise& a) {
    api::verifieFil("Initialise");
    // Every text is checked before anything is stored, so a refused call changes nothing.
    ArgumentsReglages reglages;
    versControle(champs::Initialise, a, reglages);
    interne_->piScreenTop = a.piScreenTop;
    interne_->piScreenLeft = a.piScreenLeft;
    interne_->piScreenHeight = a.piScreenHeight;
    interne_->piScreenWidth = a.piScreenWidth;
    interne_->psScreenCaption = a.psScreenCaption;
    interne_->formulaire().TracPlanOCX1.Initialise(reglages);
}

void TracPlanDLL::NewCadreImage(const std::string& psImagePath, double piHaut, double piGauche,
                                double piBas, double piDroite) {
    api::verifieFil("NewCadreImage");
    const Texte chemin = texteHote(psImagePath, "psImagePath");
    interne_->formulaire().TracPlanOCX1.NewCadreImage(chemin, piHaut, piGauche, piBas, piDroite);
}

void TracPlanDLL::NewCadreTexte(double piHaut, double piGauche, const ArgumentsCadreTexte& a) {
    api::verifieFil("NewCadreTexte");
    ArgumentsCadre cadre{.piHaut = piHaut, .piGauche = piGauche};
    versControle(champs::Cadre, a, cadre);
    interne_->formulaire().TracPlanOCX1.NewCadreTexte(cadre);
}

std::vector<Debordement> TracPlanDLL::Debordements() {
    return Debordements(ArgumentsDebordements{});
}

std::vector<Debordement> TracPlanDLL::Debordements(const ArgumentsDebordements& cible,
                                                   BilanDebordements* bilan) {
    api::verifieFil("Debordements");
    BilanDebordements ignore;
    return verifieDebordements(interne_->formulaire().TracPlanOCX1, *interne_->plateforme, cible,
                               bilan != nullptr ? *bilan : ignore);
}

void TracPlanDLL::Show(ArgumentsShow&& arguments) {
    Show(arguments);
}

void TracPlanDLL::Show(ArgumentsShow& a) {
    api::verifieFil("Show");
    if (a.piTypeImpression == eiTypeSortieEcranOld) a.piTypeImpression = eiTypeSortieEcran;
    if (a.piTypeImpression == eiTypeSortieImprimanteOld) {
        a.piTypeImpression = eiTypeSortieImprimante;
    }
    const ArgumentsImprime passe{
        .piTypeImpression = a.piTypeImpression,
        .pbAlsoScreen = a.pbAlsoScreen,
        .psVersOu = texteHote(a.psVersOu, "psVersOu"),
        .psOrientation = texteHote(a.psOrientation, "psOrientation"),
        .pbForceTracé = false,
        .pbPromptPrinter = a.pbPromptPrinter,
        .psPaperSize = texteHote(a.psPaperSize, "psPaperSize"),
    };
    const Texte chemin = texteHote(a.psChemin, "psChemin");
    Interne& i = *interne_;
    MontrePlan& fenetre = i.formulaire();
    TracPlanOCX& controle = fenetre.TracPlanOCX1;
    const std::size_t documentsAvant = i.commence();
    // The export is shared: each Show says how this object's texts go into it.
    Html::SetEchappement(i.echappeHtml);
    switch (a.piTypeImpression) {
        case eiTypeSortieEcran:
            if (i.piScreenTop != -1 && i.piScreenLeft != -1 && i.piScreenHeight != -1 &&
                i.piScreenWidth != -1) {
                fenetre.placement = Controle{.Left = static_cast<double>(i.piScreenLeft),
                                             .Top = static_cast<double>(i.piScreenTop),
                                             .Width = static_cast<double>(i.piScreenWidth),
                                             .Height = static_cast<double>(i.piScreenHeight)};
            }
            fenetre.Caption = texteHote(i.psScreenCaption, "psScreenCaption");
            controle.Orientation = passe.psOrientation;
            controle.PaperSize = passe.psPaperSize;
            i.plateforme->MontreModal(fenetre);
            break;
        case eiTypeSortieHTML:
            Html::SetCheminHtml(chemin);
            controle.Imprime(passe);
            if (i.enCours.passes > 0 && i.enCours.complet) {
                i.enCours.destinations.push_back(
                    versUtf8(Html::GetCheminHtml(i.plateforme->systeme())));
            }
            break;
        case eiTypeSortieImprimante:
            controle.Imprime(passe);
            break;
        default:
            break;
    }
    i.termine(documentsAvant);
    i.oublie();
}

bool TracPlanDLL::Png(const ArgumentsPng& a) {
    return Image({.psChemin = a.psChemin,
                  .largeurPixels = a.largeurPixels,
                  .hauteurPixels = a.hauteurPixels,
                  .idZoom = a.idZoom});
}

bool TracPlanDLL::Image(const ArgumentsImage& a) {
    api::verifieFil("Image");
    texteHote(a.psChemin, "psChemin");
    Interne& i = *interne_;
    TracPlanOCX& controle = i.formulaire().TracPlanOCX1;
    const std::size_t documentsAvant = i.commence();
    Surface& surface = controle.surface();
    // An earlier call that failed may have left the planning with a larger picture.
    surface.Agrandit(1);
    const double twipsParPixel = surface.TwipsParPixel();
    surface.Redimensionne(a.largeurPixels * twipsParPixel, a.hauteurPixels * twipsParPixel);
    const auto passe = [&] {
        controle.Imprime({.pbForceTracé = true});
        return !controle.ibAbandon;
    };
    // A drawing that failed replaces nothing: the previous file stays.
    std::optional<std::string> fichier;
    try {
        if (a.echelle != 1) surface.Agrandit(a.echelle);
        if (a.idZoom != 0) {
            passe();
            controle.idZoom = a.idZoom;
        }
        fichier = surface.Image(a.format,
                                {.titre = versUtf8(controle.reglages.psScreenCaption),
                                 .a3 = a.psPaperSize == "A3",
                                 .portrait = a.psOrientation == "Portrait"},
                                passe);
        if (fichier) ecritFichier(a.psChemin, *fichier);
    } catch (const std::system_error& e) {
        throw Erreur(std::string("cannot write ") + e.what());
    } catch (const std::runtime_error& e) {
        throw Erreur("cannot write " + a.psChemin + ": " + e.what());
    }
    if (fichier) i.enCours.destinations.push_back(a.psChemin);
    i.termine(documentsAvant);
    i.oublie();
    return fichier.has_value();
}

void TracPlanDLL::SansDialogues(const SansDialogue& reponses) {
    api::verifieFil("SansDialogues");
    interne_->plateforme->sansDialogues(reponses);
}

void TracPlanDLL::Progression(std::function<void(std::int32_t, std::int32_t)> suivi) {
    api::verifieFil("Progression");
    interne_->progression = std::move(suivi);
    if (interne_->montrePlan)
        interne_->montrePlan->TracPlanOCX1.progression = interne_->progression;
}

void TracPlanDLL::EchappeHtml(bool oui) {
    api::verifieFil("EchappeHtml");
    interne_->echappeHtml = oui;
}

void TracPlanDLL::SurRapport(std::function<void(const Rapport&)> suivi) {
    api::verifieFil("SurRapport");
    interne_->surRapport = std::move(suivi);
}

void TracPlanDLL::FichierPdf(const std::string& chemin) {
    api::verifieFil("FichierPdf");
    const Texte texte = texteHote(chemin, "chemin");
    try {
        interne_->plateforme->imprimante().FichierPdf(texte);
    } catch (const std::runtime_error& e) {
        throw Erreur(std::string("FichierPdf : ") + e.what());
    }
}

const BilanShow& TracPlanDLL::DernierShow() const {
    api::verifieFil("DernierShow");
    return interne_->bilan;
}

std::int32_t TracPlanDLL::ErreursSignalees() const {
    api::verifieFil("ErreursSignalees");
    return interne_->plateforme->erreurs();
}

std::size_t TracPlanDLL::NombreCadres() {
    api::verifieFil("NombreCadres");
    const auto& cadres = interne_->formulaire().TracPlanOCX1.ioCadres;
    return cadres ? cadres->size() : 0;
}

double TracPlanDLL::TwipsParPixel() {
    api::verifieFil("TwipsParPixel");
    return interne_->formulaire().TracPlanOCX1.surface().TwipsParPixel();
}

std::int16_t TracPlanDLL::piScreenTop() const {
    return interne_->piScreenTop;
}
std::int16_t TracPlanDLL::piScreenLeft() const {
    return interne_->piScreenLeft;
}
std::int16_t TracPlanDLL::piScreenHeight() const {
    return interne_->piScreenHeight;
}
std::int16_t TracPlanDLL::piScreenWidth() const {
    return interne_->piScreenWidth;
}
const std::string& TracPlanDLL::psScreenCaption() const {
    return interne_->psScreenCaption;
}

const char* version() {
    return VITRAIL_VERSION;
}

}  // namespace vitrail
