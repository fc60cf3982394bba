#include "vitrail/TracPlanDLL.hpp"

#include <stdexcept>
#include <string>
#include <thread>
#include <variant>

#include "api/FilUnique.hpp"
#include "api/Verification.hpp"
#include "output/Html.hpp"
#include "output/MontrePlan.hpp"
#include "render/TableChamps.hpp"
#include "support/Texte.hpp"

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

TracPlanDLL::TracPlanDLL(std::shared_ptr<Plateforme> plateforme)
    : plateforme_((api::verifieFil("TracPlanDLL"), std::move(plateforme))) {
    if (!plateforme_) throw Erreur("TracPlanDLL : aucune plateforme");
}

TracPlanDLL::~TracPlanDLL() = default;

MontrePlan& TracPlanDLL::Formulaire() {
    api::verifieFil("Formulaire");
    if (!montrePlan_) montrePlan_ = std::make_unique<MontrePlan>(*plateforme_);
    return *montrePlan_;
}

void TracPlanDLL::Cls() {
    api::verifieFil("Cls");
    Formulaire().TracPlanOCX1.Cls();
}

void TracPlanDLL::Initialise(const ArgumentsInitialise& a) {
    api::verifieFil("Initialise");
    // Every text is checked before anything is stored, so a refused call changes nothing.
    ArgumentsReglages reglages;
    versControle(champs::Initialise, a, reglages);
    piScreenTop_ = a.piScreenTop;
    piScreenLeft_ = a.piScreenLeft;
    piScreenHeight_ = a.piScreenHeight;
    piScreenWidth_ = a.piScreenWidth;
    psScreenCaption_ = a.psScreenCaption;
    Formulaire().TracPlanOCX1.Initialise(reglages);
}

void TracPlanDLL::NewCadreImage(const std::string& psImagePath, double piHaut, double piGauche,
                                double piBas, double piDroite) {
    api::verifieFil("NewCadreImage");
    const Texte chemin = texteHote(psImagePath, "psImagePath");
    Formulaire().TracPlanOCX1.NewCadreImage(chemin, piHaut, piGauche, piBas, piDroite);
}

void TracPlanDLL::NewCadreTexte(double piHaut, double piGauche, const ArgumentsCadreTexte& a) {
    api::verifieFil("NewCadreTexte");
    ArgumentsCadre cadre{.piHaut = piHaut, .piGauche = piGauche};
    versControle(champs::Cadre, a, cadre);
    Formulaire().TracPlanOCX1.NewCadreTexte(cadre);
}

std::vector<Debordement> TracPlanDLL::Debordements() {
    return Debordements(ArgumentsDebordements{});
}

std::vector<Debordement> TracPlanDLL::Debordements(const ArgumentsDebordements& cible,
                                                   BilanDebordements* bilan) {
    api::verifieFil("Debordements");
    BilanDebordements ignore;
    return verifieDebordements(Formulaire().TracPlanOCX1, *plateforme_, cible,
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
    MontrePlan& fenetre = Formulaire();
    TracPlanOCX& controle = fenetre.TracPlanOCX1;
    switch (a.piTypeImpression) {
        case eiTypeSortieEcran:
            if (piScreenTop_ != -1 && piScreenLeft_ != -1 && piScreenHeight_ != -1 &&
                piScreenWidth_ != -1) {
                fenetre.placement = Controle{.Left = static_cast<double>(piScreenLeft_),
                                             .Top = static_cast<double>(piScreenTop_),
                                             .Width = static_cast<double>(piScreenWidth_),
                                             .Height = static_cast<double>(piScreenHeight_)};
            }
            fenetre.Caption = texteHote(psScreenCaption_, "psScreenCaption");
            controle.Orientation = passe.psOrientation;
            controle.PaperSize = passe.psPaperSize;
            plateforme_->MontreModal(fenetre);
            break;
        case eiTypeSortieHTML:
            Html::SetCheminHtml(chemin);
            controle.Imprime(passe);
            break;
        case eiTypeSortieImprimante:
            controle.Imprime(passe);
            break;
        default:
            break;
    }
    controle.Release();
    montrePlan_.reset();
}

}  // namespace vitrail
