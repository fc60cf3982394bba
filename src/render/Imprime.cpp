// The render pass: the one loop that turns the frame list into output on any target.
#include <tuple>

#include "output/Html.hpp"
#include "render/TracPlanOCX.hpp"
#include "support/Conversions.hpp"
#include "support/RapportErreur.hpp"

namespace vitrail {

namespace {

// A burst of paint and resize events within this many seconds costs one drawing.
constexpr float DelaiEntreTraces = 0.1f;
// Printer dialog: no print-to-file box, no page range, no selection.
constexpr std::int32_t DrapeauxDialogueImprimante = 1048588;
constexpr double ZoomEcran = 0.8;
// At zoom 1 the visible area shows 12120 / 54 planning units across and 8700 / 49 down.
constexpr float PlanLargeur = 12120;
constexpr float PlanLargeurFacteur = 54;
constexpr float PlanHauteur = 8700;
constexpr float PlanHauteurFacteur = 49;
constexpr double EchelleHtml = 2.0;
constexpr std::int32_t OrigineHtmlX = 28;

enum Cible : std::int32_t { Ecran = 1, Imprimante = 2, FichierHtml = 3 };

Texte messageErreurImprimante(const ErreurExecution& erreur) {
    return U"Erreur lors du lancement de l'écran de choix de l'imprimante. Vérifiez que votre "
           U"imprimante est correctement définie\r\n\r\nErr. N°" +
           depuisUtf8(std::to_string(erreur.numero())) + U" : ''" + erreur.description() +
           U"''\r\n\r\nSouhaitez_vous réessayer d'exécuter l'instruction qui a généré une "
           U"erreur ?";
}

}  // namespace

bool TracPlanOCX::tropTotPourTracer(bool force) {
    if (force || ivDernierTracé.estVide()) return false;
    const float ecoule =
        plateforme_.Chronometre().Timer() - static_cast<float>(ivDernierTracé.versDouble());
    return ecoule >= 0 && ecoule < DelaiEntreTraces;
}

void TracPlanOCX::echelleEcran() {
    const float hauteur = static_cast<float>(surface().Height());
    const float largeur = static_cast<float>(surface().Width());
    const float hauteurBarre = static_cast<float>(HScroll1.Height);
    const float largeurBarre = static_cast<float>(VScroll1.Width);
    idZoomDefaut = ZoomEcran;
    // Single precision throughout, as the sizes are read.
    idCorrecVertical = (hauteur - hauteurBarre) * PlanHauteurFacteur / PlanHauteur;
    idCorrecHorizontal = (largeur - largeurBarre) * PlanLargeurFacteur / PlanLargeur;
    if (idCorrecVertical < 0) {
        const auto ligne = [](const char32_t* libelle, const Texte& valeur) {
            return Texte(libelle) + valeur;
        };
        dialogues().MsgBox(
            {ligne(U"UserControl.Height = ", texteNombre(hauteur, 7)) + U"\r\n" +
                 ligne(U"UserControl.Width = ", texteNombre(largeur, 7)) + U"\r\n" +
                 ligne(U"HScroll1.Height = ", texteNombre(hauteurBarre, 7)) + U"\r\n" +
                 ligne(U"VScroll1.Width = ", texteNombre(largeurBarre, 7)) + U"\r\n" +
                 ligne(U"idCorrecHorizontal  = ", texteNombre(idCorrecHorizontal)) + U"\r\n" +
                 ligne(U"idCorrecVertical  = ", texteNombre(idCorrecVertical)),
             Boutons::OK, Icone::Aucune, std::nullopt});
    }
    idZoom = idZoomDefaut;
    ilOrigineX = 0;
    ilOrigineY = 0;
}

bool TracPlanOCX::Imprime(const ArgumentsImprime& a) {
    if (!ioCadres || ioCadres->empty()) return false;
    if (tropTotPourTracer(a.pbForceTracé)) return false;
    if (ibAbandon || ibPrinting) return false;

    const Texte nomEnVigueur = nomProcedure;
    nomProcedure = U"Imprime";
    bool resultat = true;
    // The members the printer set-up takes over from the screen: a print that ends early gives
    // them back, so the viewer stays where the user left it.
    const auto vueEcran = [this] {
        return std::tie(idCorrecHorizontal, idCorrecVertical, idZoomDefaut, idZoom, ilOrigineX,
                        ilOrigineY);
    };
    const auto vueAvant =
        std::tuple<double, double, double, double, std::int32_t, std::int32_t>(vueEcran());
    bool dernierDocumentFini = false;
    std::int16_t copies = 1;
    Instructions pas([&](const ErreurExecution& erreur) {
        if (erreur.numero() == erreurs::ErreurImprimante) {
            switch (dialogues().MsgBox({messageErreurImprimante(erreur), Boutons::OuiNonAnnuler,
                                        Icone::Critique,
                                        U"Erreur d'imprimante lors de l'essai d'impression"})) {
                case Reponse::Oui:
                    return Suite::Recommencer;
                case Reponse::Non:
                    return Suite::Reprendre;
                default:
                    resultat = false;
                    return Suite::Terminer;
            }
        }
        if (erreur.numero() == erreurs::InfoImprimante) {
            dialogues().MsgBox(MessageErreurImprimante());
            ibErreurPrinter = true;
            return Suite::Reprendre;
        }
        nomProcedure = U"Imprime";
        RapportErreur(erreur);
        resultat = false;
        return Suite::Terminer;
    });

    pas([&] {
        ilTypeImpression = a.piTypeImpression;
        ibPrinting = a.piTypeImpression != Ecran;
    });
    switch (a.piTypeImpression) {
        case Ecran:
            if (idZoomDefaut == 0) pas([&] { echelleEcran(); });
            break;
        case Imprimante:
            pas([&] { SauvePrinter(); });
            pas([&] { imprimante().EndDoc(); });
            pas([&] { ParamètrePrinter(a.psOrientation, a.psPaperSize); });
            if (a.pbPromptPrinter && !pas.termine()) {
                // Any failure here, Cancel included, ends the pass quietly.
                try {
                    const auto choix = dialogues().ChoixImprimante(DrapeauxDialogueImprimante);
                    if (!choix) throw ErreurExecution(erreurs::AnnulationDialogue);
                    copies = CInt(*choix);
                } catch (...) {
                    pas.termine(true);
                }
            }
            pas([&] {
                idZoom = idZoomDefaut;
                ilOrigineX = 0;
                ilOrigineY = 0;
            });
            break;
        case FichierHtml:
            pas([&] {
                idZoomDefaut = EchelleHtml;
                idZoom = EchelleHtml;
                idCorrecVertical = EchelleHtml;
                idCorrecHorizontal = EchelleHtml;
                ilOrigineX = OrigineHtmlX;
                ilOrigineY = 0;
            });
            pas([&] { Html::EcritEnteteHtml(reglages.psScreenCaption, plateforme_.Os()); });
            break;
        default:
            break;
    }
    if (ibAbandon) pas.termine(true);

    for (std::int32_t copie = 1; copie <= copies && !pas.termine(); ++copie) {
        pas([&] { Cls(); });
        if (a.piTypeImpression == Imprimante) {
            pas([&] { ParamètrePrinter(a.psOrientation, a.psPaperSize); });
        }
        pas([&] {
            ilMaxDroite = 0;
            ilMaxBas = 0;
        });
        std::int16_t nombreCadres = 0;
        pas([&] { nombreCadres = CInt(static_cast<double>(ioCadres->size())); });
        for (std::int16_t i = 0; i < nombreCadres && !pas.termine(); ++i) {
            if (ibAbandon) {
                dialogues().MsgBox(
                    {U"Impression annulée", Boutons::OK, Icone::Aucune, U"Imprimer le planning"});
                pas.termine(true);
                break;
            }
            pas([&] { ImprimeObjet((*ioCadres)[static_cast<std::size_t>(i)]); });
            if (progression) progression(i + 1, nombreCadres);
        }
        if (lignesDifferees_) {
            isLignes = *lignesDifferees_;
            lignesDifferees_.reset();
        }
        if (pas.termine()) break;
        if (a.piTypeImpression == Imprimante) {
            pas([&] { imprimante().NewPage(); });
            pas([&] { imprimante().EndDoc(); });
        } else {
            pas([&] { RecalculeScrollBar(); });
            pas([&] { ivDernierTracé = plateforme_.Chronometre().Timer(); });
        }
    }

    if (!pas.termine()) {
        if (a.piTypeImpression == Imprimante) {
            pas([&] {
                if (a.pbAlsoScreen) idZoomDefaut = 0;
            });
            pas([&] {
                imprimante().EndDoc();
                dernierDocumentFini = true;
            });
            if (ibPrinterModifié && !ibErreurPrinter) pas([&] { RestaurePrinter(); });
        } else if (a.piTypeImpression == FichierHtml) {
            pas([&] { Html::EcritFinHtml(plateforme_.Os(), dialogues()); });
            pas([&] {
                if (a.pbAlsoScreen) idZoomDefaut = 0;
            });
        }
    }

    if (a.piTypeImpression == Imprimante && !dernierDocumentFini) {
        // A document left open would go out with the next print, or when the program ends.
        try {
            imprimante().KillDoc();
        } catch (const std::exception& e) {
            const auto* erreur = dynamic_cast<const ErreurExecution*>(&e);
            nomProcedure = U"Imprime";
            RapportErreur(erreur != nullptr ? *erreur : enErreurExecution(e));
        }
        vueEcran() = vueAvant;
    }
    // A pass that stops before the tail must not leave the export open, or every later export
    // would fail.
    if (a.piTypeImpression == FichierHtml && Html::ExportEnCours()) Html::AbandonneHtml();
    ilTypeImpression = a.piTypeImpression;
    ibPrinting = false;
    nomProcedure = nomEnVigueur;
    if (observateurPasse) observateurPasse(!pas.termine() && !ibAbandon);
    return resultat;
}

}  // namespace vitrail
