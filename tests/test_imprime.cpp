#include <gtest/gtest.h>

#include <algorithm>

#include "Controle.hpp"
#include "Fichiers.hpp"
#include "output/Html.hpp"
#include "support/Conversions.hpp"
#include "support/RapportErreur.hpp"

namespace vitrail {
namespace {

struct Passe : ::testing::Test, test::Controle {
    Passe() {
        ctl.Initialise({.psFont = U"Arial"});
        ctl.NewCadreTexte(
            {.piHaut = 10, .piGauche = 10, .piBas = 30, .piDroite = 60, .psText = U"Lundi"});
        ctl.NewCadreTexte(
            {.piHaut = 40, .piGauche = 10, .piBas = 60, .piDroite = 60, .psText = U"Mardi"});
    }
    long effacements() {
        return std::count(surface().appels.begin(), surface().appels.end(), "Cls");
    }
    std::vector<Texte> textes() {
        std::vector<Texte> t;
        for (const auto& m : messages())
            t.push_back(m.texte);
        return t;
    }
};

TEST_F(Passe, AnEmptyPlanningDrawsNothingAndDoesNotClear) {
    ctl.Release();
    EXPECT_FALSE(ctl.Imprime());
    EXPECT_EQ(effacements(), 0);
    ctl.NewCadreTexte({});
    ctl.ioCadres->clear();
    EXPECT_FALSE(ctl.Imprime());
    EXPECT_EQ(ctl.ilTypeImpression, 0);
}

TEST_F(Passe, ScreenPassesWithinATenthOfASecondAreDroppedUnlessForced) {
    plateforme.horloge.maintenant = 100;
    EXPECT_TRUE(ctl.Imprime());
    plateforme.horloge.maintenant = 100.05f;
    EXPECT_FALSE(ctl.Imprime());
    EXPECT_EQ(effacements(), 1);
    EXPECT_TRUE(ctl.Imprime({.pbForceTracé = true}));
    plateforme.horloge.maintenant = 100.2f;
    EXPECT_TRUE(ctl.Imprime());
    EXPECT_EQ(effacements(), 3);
    // The timer wraps at midnight: a negative difference counts as time passed.
    ctl.ivDernierTracé = 86399.98f;
    plateforme.horloge.maintenant = 0.01f;
    EXPECT_TRUE(ctl.Imprime());
}

TEST_F(Passe, TheFirstScreenPassSetsTheScaleAndLaterOnesKeepTheUsersZoom) {
    ASSERT_TRUE(ctl.Imprime());
    EXPECT_EQ(ctl.idCorrecHorizontal, static_cast<double>((12000.0f - 250) * 54 / 12120));
    EXPECT_EQ(ctl.idCorrecVertical, static_cast<double>((9000.0f - 330) * 49 / 8700));
    EXPECT_EQ(ctl.idZoom, 0.8);
    EXPECT_EQ(ctl.idZoomDefaut, 0.8);
    EXPECT_FALSE(ctl.ibPrinting);
    EXPECT_EQ(ctl.ivDernierTracé, Variant(plateforme.horloge.maintenant));
    EXPECT_GT(ctl.ilMaxDroite, 0);
    ctl.idZoom = 2;
    ctl.ilOrigineX = -500;
    ASSERT_TRUE(ctl.Imprime({.pbForceTracé = true}));
    EXPECT_EQ(ctl.idZoom, 2);
    EXPECT_EQ(ctl.ilOrigineX, -500);
}

TEST_F(Passe, AControlLowerThanItsScrollBarIsToldAndStillDrawn) {
    surface().hauteur = 300;
    ASSERT_TRUE(ctl.Imprime());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].texte,
              U"UserControl.Height = 300\r\nUserControl.Width = 12000\r\nHScroll1.Height = "
              U"330\r\nVScroll1.Width = 250\r\nidCorrecHorizontal  = " +
                  texteNombre(ctl.idCorrecHorizontal) + U"\r\nidCorrecVertical  = " +
                  texteNombre(ctl.idCorrecVertical));
    EXPECT_LT(ctl.idCorrecVertical, 0);
    EXPECT_EQ(messages()[0].titre, std::nullopt);
    EXPECT_EQ(effacements(), 1);
}

TEST_F(Passe, AnAbandonedDrawingHoldsEveryPassUntilCleared) {
    ctl.ibAbandon = true;
    EXPECT_FALSE(ctl.Imprime());
    EXPECT_FALSE(ctl.Imprime({.piTypeImpression = 2}));
    EXPECT_EQ(effacements(), 0);
    ctl.ibAbandon = false;
    EXPECT_TRUE(ctl.Imprime());
}

TEST_F(Passe, PrinterPassesAreHeldOffWhileOneRuns) {
    ctl.ibPrinting = true;
    EXPECT_FALSE(ctl.Imprime({.pbForceTracé = true}));
}

TEST_F(Passe, EachCopyIsADocumentOfItsOwn) {
    plateforme.interaction.copies = {3};
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2}));
    const auto& imprimante = plateforme.imprimante;
    ASSERT_EQ(imprimante.documents.size(), 3u);
    for (const auto& document : imprimante.documents) {
        EXPECT_EQ(std::count_if(document.begin(), document.end(),
                                [](const std::string& a) { return a.rfind("Print", 0) == 0; }),
                  2);
        EXPECT_EQ(document.back(), "NewPage");
    }
    EXPECT_FALSE(imprimante.documentOuvert());
    EXPECT_EQ(effacements(), 3);
    EXPECT_EQ(imprimante.ecrituresOrientation, 4 + 1);  // four set-ups, then given back
    EXPECT_EQ(plateforme.interaction.dialoguesImprimante, std::vector<std::int32_t>{1048588});
    EXPECT_EQ(ctl.ilTypeImpression, 2);
    EXPECT_FALSE(ctl.ibPrinting);
}

TEST_F(Passe, ThePrinterGetsItsSettingsBackAfterThePass) {
    plateforme.imprimante.orientation = Printer::Portrait;
    plateforme.imprimante.paperSize = Printer::A3;
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2, .psOrientation = U"Landscape"}));
    EXPECT_EQ(plateforme.imprimante.orientation, Printer::Portrait);
    EXPECT_EQ(plateforme.imprimante.paperSize, Printer::A3);
    EXPECT_EQ(ctl.idZoom, 1.0);
}

TEST_F(Passe, CancelInThePrinterDialogPrintsNothingAndSaysNothing) {
    plateforme.interaction.copies = {std::nullopt};
    EXPECT_TRUE(ctl.Imprime({.piTypeImpression = 2, .psOrientation = U"Portrait"}));
    EXPECT_TRUE(plateforme.imprimante.documents.empty());
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(ctl.ibPrinting);
    EXPECT_EQ(plateforme.imprimante.orientation, Printer::Portrait);  // not given back
    EXPECT_EQ(effacements(), 0);
}

TEST_F(Passe, NoDialogMeansOneCopy) {
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2, .pbPromptPrinter = false}));
    EXPECT_EQ(plateforme.imprimante.documents.size(), 1u);
    EXPECT_TRUE(plateforme.interaction.dialoguesImprimante.empty());
}

TEST_F(Passe, PrinterErrorAnsweredYesRunsTheStatementAgainAndNoGoesOn) {
    plateforme.imprimante.echecsLecture = {erreurs::ErreurImprimante, erreurs::ErreurImprimante};
    plateforme.interaction.reponses = {Reponse::Oui, Reponse::Non};
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2}));
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0].texte,
              U"Erreur lors du lancement de l'écran de choix de l'imprimante. Vérifiez que votre "
              U"imprimante est correctement définie\r\n\r\nErr. N°482 : ''Erreur "
              U"d'imprimante''\r\n\r\nSouhaitez_vous réessayer d'exécuter l'instruction qui a "
              U"généré une erreur ?");
    EXPECT_EQ(messages()[0].boutons, Boutons::OuiNonAnnuler);
    EXPECT_EQ(messages()[0].icone, Icone::Critique);
    EXPECT_EQ(messages()[0].titre, U"Erreur d'imprimante lors de l'essai d'impression");
    EXPECT_EQ(plateforme.imprimante.documents.size(), 1u);
}

TEST_F(Passe, PrinterErrorAnsweredCancelEndsThePass) {
    plateforme.imprimante.echecsLecture = {erreurs::ErreurImprimante};
    plateforme.interaction.reponses = {Reponse::Annuler};
    EXPECT_FALSE(ctl.Imprime({.piTypeImpression = 2}));
    EXPECT_TRUE(plateforme.imprimante.documents.empty());
    EXPECT_FALSE(ctl.ibPrinting);
}

TEST_F(Passe, PrinterInformationFailurePrintsAnywayAndGivesNothingBack) {
    plateforme.imprimante.orientation = Printer::Portrait;
    plateforme.imprimante.echecsLecture = {erreurs::InfoImprimante};
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2}));
    EXPECT_EQ(messages(), std::vector<Message>{MessageErreurImprimante()});
    EXPECT_TRUE(ctl.ibErreurPrinter);
    EXPECT_EQ(plateforme.imprimante.documents.size(), 1u);
    EXPECT_EQ(plateforme.imprimante.orientation, Printer::Paysage);
}

TEST_F(Passe, AFrameThatFailsStopsThePassBeforeTheNextOne) {
    ctl.Release();
    ctl.NewCadreImage(U"absent.png", 0, 0, 10, 10);
    ctl.NewCadreTexte(
        {.piHaut = 10, .piGauche = 10, .piBas = 30, .piDroite = 60, .psText = U"Lundi"});
    EXPECT_TRUE(ctl.Imprime());
    EXPECT_EQ(textes(),
              (std::vector<Texte>{test::rapport(U"ImprimeObjet", 53), U"Impression annulée"}));
    EXPECT_EQ(messages()[1].titre, U"Imprimer le planning");
    EXPECT_TRUE(ctl.ibAbandon);
    EXPECT_TRUE(ctl.ivDernierTracé.estVide());
    EXPECT_EQ(std::count_if(surface().appels.begin(), surface().appels.end(),
                            [](const std::string& a) { return a.rfind("Print", 0) == 0; }),
              0);
}

TEST_F(Passe, MoreFramesThanAnIntegerHoldsAreReportedUnderImprime) {
    ctl.ioCadres->resize(40000, ctl.ioCadres->front());
    EXPECT_FALSE(ctl.Imprime());
    EXPECT_EQ(textes(), std::vector<Texte>{test::rapport(U"Imprime", 6)});
}

struct PasseHtml : Passe {
    test::DossierTemporaire dossier;
    std::filesystem::path page = dossier / "planning.htm";
    PasseHtml() { Html::SetCheminHtml(depuisUtf8(page.string())); }
};

TEST_F(PasseHtml, MapsFourPageUnitsPerPlanningUnitAndResetsTheScreenAfterwards) {
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 3, .pbAlsoScreen = true}));
    EXPECT_EQ(10 * ctl.idCorrecHorizontal * ctl.idZoom + ctl.ilOrigineX, 68);
    EXPECT_EQ(10 * ctl.idCorrecVertical * ctl.idZoom + ctl.ilOrigineY, 40);
    EXPECT_NE(test::contenu(page).find("left: 68 ; top: 40 ;"), std::string::npos);
    EXPECT_EQ(ctl.idZoomDefaut, 0);
    EXPECT_FALSE(Html::ExportEnCours());
    plateforme.horloge.maintenant += 1;
    ASSERT_TRUE(ctl.Imprime());
    EXPECT_EQ(ctl.idZoom, 0.8);
}

TEST_F(PasseHtml, AnExportStoppedHalfWayLeavesThePreviousPageAndTheFileClosed) {
    test::ecrit(page, "ancienne page");
    // Too wide for the page's 16-bit sizes: reported, and the pass is cancelled.
    ctl.ioCadres->front().iDroite = 1e5;
    EXPECT_TRUE(ctl.Imprime({.piTypeImpression = 3}));
    EXPECT_EQ(textes(),
              (std::vector<Texte>{test::rapport(U"ImprimeObjet", 6), U"Impression annulée"}));
    EXPECT_FALSE(Html::ExportEnCours());
    EXPECT_EQ(test::contenu(page), "ancienne page");
    EXPECT_EQ(dossier.nombreFichiers(), 1u);

    ctl.ibAbandon = false;
    ctl.ioCadres->front().iDroite = 60;
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 3}));
    EXPECT_EQ(test::contenu(page).rfind("<html>\r\n", 0), 0u);
}

}  // namespace
}  // namespace vitrail
