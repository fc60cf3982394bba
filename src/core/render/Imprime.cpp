// The render pass: the one loop that turns the frame list into output on any target.
#include <tuple>
#include <utility>

#include "render/Passe.hpp"
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

Texte messageErreurImprimante(const ErreurExecution& erreur) {
    return U"Erreur lors du lancement de l'écran de choix de l'imprimante. Vérifiez que votre "
           U"imprimante est correctement définie\r\n\r\nErr. N°" +
           depuisUtf8(std::to_string(erreur.numero())) + U" : ''" + erreur.description() +
           U"''\r\n\r\nSouhaitez_vous réessayer d'exécuter l'instruction qui a généré une "
           U"erreur ?";
}

auto vueEcran(TracPlanOCX& c) {
    return std::tie(c.idCorrecHorizontal, c.idCorrecVertical, c.idZoomDefaut, c.idZoom,
                    c.ilOrigineX, c.ilOrigineY);
}

}  // namespace

bool TracPlanOCX::tropTotPourTracer(bool force) {
    if (force || ivDernierTracé.estVide()) return false;
    const float ecoule =
        plateforme_.chronometre().Timer() - static_cast<float>(ivDernierTracé.versDouble());
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

TracPlanOCX::Passe::Passe(TracPlanOCX& controle, const ArgumentsImprime& arguments)
    : a(arguments),
      pas([this](const ErreurExecution& erreur) { return gere(erreur); }),
      vueAvant(vueEcran(controle)),
      nomEnVigueur(controle.nomProcedure),
      ctl_(controle) {
    ctl_.nomProcedure = U"Imprime";
}

TracPlanOCX::Passe::~Passe() {
    if (fini) return;
    // Left by an exception: nothing may escape a destructor, and the pass is over anyway.
    try {
        ctl_.finPasse(*this);
    } catch (...) {
    }
}

Suite TracPlanOCX::Passe::gere(const ErreurExecution& erreur) {
    if (erreur.numero() == erreurs::ErreurImprimante) {
        switch (ctl_.dialogues().MsgBox({messageErreurImprimante(erreur), Boutons::OuiNonAnnuler,
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
        ctl_.dialogues().MsgBox(MessageErreurImprimante());
        ctl_.ibErreurPrinter = true;
        return Suite::Reprendre;
    }
    ctl_.nomProcedure = U"Imprime";
    ctl_.RapportErreur(erreur);
    resultat = false;
    return Suite::Terminer;
}

bool TracPlanOCX::Imprime(const ArgumentsImprime& a) {
    if (!ioCadres || ioCadres->empty()) return false;
    if (tropTotPourTracer(a.pbForceTracé)) return false;
    if (ibAbandon || ibPrinting) return false;

    Passe passe(*this, a);
    prepareCible(passe);
    if (ibAbandon) passe.pas.termine(true);
    for (std::int32_t copie = 1; copie <= passe.copies && !passe.termine(); ++copie) {
        imprimeCopie(passe);
    }
    if (!passe.termine()) termineCible(passe);
    finPasse(passe);
    if (observateurPasse) observateurPasse(!passe.termine() && !ibAbandon);
    return passe.resultat;
}

void TracPlanOCX::prepareCible(Passe& passe) {
    ilTypeImpression = passe.a.piTypeImpression;
    ibPrinting = passe.a.piTypeImpression != eiTypeSortieEcran;
    switch (passe.a.piTypeImpression) {
        case eiTypeSortieEcran:
            if (idZoomDefaut == 0) passe.pas([&] { echelleEcran(); });
            break;
        case eiTypeSortieImprimante:
            prepareImprimante(passe);
            break;
        case eiTypeSortieHTML:
            prepareHtml(passe);
            break;
        default:
            break;
    }
}

void TracPlanOCX::prepareImprimante(Passe& passe) {
    auto& pas = passe.pas;
    pas([&] { SauvePrinter(); });
    pas([&] { imprimante().EndDoc(); });
    pas([&] { ParamètrePrinter(passe.a.psOrientation, passe.a.psPaperSize); });
    if (passe.a.pbPromptPrinter && !pas.termine()) {
        // Any failure here, Cancel included, ends the pass quietly.
        try {
            const auto choix = dialogues().ChoixImprimante(DrapeauxDialogueImprimante);
            if (!choix) throw ErreurExecution(erreurs::AnnulationDialogue);
            passe.copies = CInt(*choix);
        } catch (...) {
            pas.termine(true);
        }
    }
    if (pas.termine()) return;
    idZoom = idZoomDefaut;
    ilOrigineX = 0;
    ilOrigineY = 0;
}

void TracPlanOCX::prepareHtml(Passe& passe) {
    idZoomDefaut = EchelleHtml;
    idZoom = EchelleHtml;
    idCorrecVertical = EchelleHtml;
    idCorrecHorizontal = EchelleHtml;
    ilOrigineX = OrigineHtmlX;
    ilOrigineY = 0;
    passe.pas([&] { html_.entete(reglages.psScreenCaption, plateforme_.systeme()); });
}

void TracPlanOCX::imprimeCopie(Passe& passe) {
    auto& pas = passe.pas;
    pas([&] { Cls(); });
    if (passe.cible(eiTypeSortieImprimante)) {
        pas([&] { ParamètrePrinter(passe.a.psOrientation, passe.a.psPaperSize); });
    }
    if (!pas.termine()) imprimeCadres(passe);
    rendsEtatDiffere();
    if (lignesDifferees_) {
        isLignes = *lignesDifferees_;
        lignesDifferees_.reset();
    }
    if (pas.termine()) return;
    if (passe.cible(eiTypeSortieImprimante)) {
        pas([&] { imprimante().NewPage(); });
        pas([&] { imprimante().EndDoc(); });
    } else {
        pas([&] { RecalculeScrollBar(); });
        pas([&] { ivDernierTracé = plateforme_.chronometre().Timer(); });
    }
}

void TracPlanOCX::imprimeCadres(Passe& passe) {
    auto& pas = passe.pas;
    ilMaxDroite = 0;
    ilMaxBas = 0;
    std::int16_t nombreCadres = 0;
    pas([&] { nombreCadres = CInt(static_cast<double>(ioCadres->size())); });
    for (std::int16_t i = 0; i < nombreCadres && !pas.termine(); ++i) {
        if (ibAbandon) {
            dialogues().MsgBox(
                {U"Impression annulée", Boutons::OK, Icone::Aucune, U"Imprimer le planning"});
            pas.termine(true);
            return;
        }
        pas([&] { ImprimeObjet(std::as_const(*ioCadres)[static_cast<std::size_t>(i)]); });
        if (progression) progression(i + 1, nombreCadres);
    }
}

void TracPlanOCX::termineCible(Passe& passe) {
    auto& pas = passe.pas;
    if (passe.cible(eiTypeSortieImprimante)) {
        if (passe.a.pbAlsoScreen) idZoomDefaut = 0;
        pas([&] {
            imprimante().EndDoc();
            passe.dernierDocumentFini = true;
        });
        if (ibPrinterModifié && !ibErreurPrinter) pas([&] { RestaurePrinter(); });
    } else if (passe.cible(eiTypeSortieHTML)) {
        pas([&] { html_.fin(plateforme_.systeme(), dialogues()); });
        if (!pas.termine() && passe.a.pbAlsoScreen) idZoomDefaut = 0;
    }
}

void TracPlanOCX::finPasse(Passe& passe) {
    passe.fini = true;
    // A record is not kept past its pass: the next one may replace it.
    etatDiffere_.cadre = nullptr;
    if (passe.cible(eiTypeSortieImprimante) && !passe.dernierDocumentFini) {
        // A document left open would go out with the next print, or when the program ends.
        try {
            imprimante().KillDoc();
        } catch (const std::exception& e) {
            const auto* erreur = dynamic_cast<const ErreurExecution*>(&e);
            nomProcedure = U"Imprime";
            RapportErreur(erreur != nullptr ? *erreur : enErreurExecution(e));
        }
        vueEcran(*this) = passe.vueAvant;
    }
    // A pass that stops before the tail must not leave the export open, or every later export
    // would fail.
    if (passe.cible(eiTypeSortieHTML) && html_.enCours()) html_.abandonne();
    ilTypeImpression = passe.a.piTypeImpression;
    ibPrinting = false;
    nomProcedure = passe.nomEnVigueur;
}

}  // namespace vitrail
