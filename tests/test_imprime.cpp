// The render pass: when it runs at all, its targets, and how it ends. What it draws is pinned by
// the golden files.
#include <gtest/gtest.h>

#include <algorithm>

#include "Controle.hpp"
#include "Fichiers.hpp"
#include "output/Html.hpp"
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

TEST_F(Passe, NoPassWithoutFramesWhileAbandonedOrWhileAPrinterPassRuns) {
    ctl.ibAbandon = true;
    EXPECT_FALSE(ctl.Imprime({.piTypeImpression = 2}));
    ctl.ibAbandon = false;
    ctl.ibPrinting = true;
    EXPECT_FALSE(ctl.Imprime({.pbForceTracé = true}));
    ctl.ibPrinting = false;
    ctl.ioCadres->clear();
    EXPECT_FALSE(ctl.Imprime());
    EXPECT_EQ(effacements(), 0);
    EXPECT_EQ(ctl.ilTypeImpression, 0);
}

TEST_F(Passe, ScreenPassesWithinATenthOfASecondAreDroppedUnlessForced) {
    plateforme.horloge.maintenant = 100;
    EXPECT_TRUE(ctl.Imprime());
    plateforme.horloge.maintenant = 100.05f;
    EXPECT_FALSE(ctl.Imprime());
    EXPECT_TRUE(ctl.Imprime({.pbForceTracé = true}));
    EXPECT_EQ(effacements(), 2);
    // The timer wraps at midnight: a negative difference counts as time passed.
    ctl.ivDernierTracé = 86399.98f;
    plateforme.horloge.maintenant = 0.01f;
    EXPECT_TRUE(ctl.Imprime());
}

TEST_F(Passe, EachCopyIsADocumentOfItsOwnAndThePrinterIsGivenBack) {
    plateforme.imprimante.orientation = Printer::Portrait;
    plateforme.interaction.copies = {3};
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2}));
    const auto& imprimante = plateforme.imprimante;
    ASSERT_EQ(imprimante.documents.size(), 3u);
    for (const auto& document : imprimante.documents)
        EXPECT_EQ(document.back(), "NewPage");
    EXPECT_EQ(imprimante.orientation, Printer::Portrait);
    EXPECT_EQ(plateforme.interaction.dialoguesImprimante, std::vector<std::int32_t>{1048588});
    EXPECT_FALSE(ctl.ibPrinting);

    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2, .pbPromptPrinter = false}));
    EXPECT_EQ(imprimante.documents.size(), 4u);  // no dialog: one copy
}

TEST_F(Passe, CancelInThePrinterDialogPrintsNothingAndSaysNothing) {
    plateforme.interaction.copies = {std::nullopt};
    EXPECT_TRUE(ctl.Imprime({.piTypeImpression = 2, .psOrientation = U"Portrait"}));
    EXPECT_TRUE(plateforme.imprimante.documents.empty());
    EXPECT_TRUE(messages().empty());
    EXPECT_FALSE(ctl.ibPrinting);
    EXPECT_EQ(plateforme.imprimante.orientation, Printer::Portrait);  // not given back
}

TEST_F(Passe, PrinterErrorYesRunsTheStatementAgainNoGoesOnCancelEnds) {
    plateforme.imprimante.echecsLecture = {erreurs::ErreurImprimante, erreurs::ErreurImprimante};
    plateforme.interaction.reponses = {Reponse::Oui, Reponse::Non};
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2}));
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0],
              (Message{U"Erreur lors du lancement de l'écran de choix de l'imprimante. Vérifiez "
                       U"que votre imprimante est correctement définie\r\n\r\nErr. N°482 : "
                       U"''Erreur d'imprimante''\r\n\r\nSouhaitez_vous réessayer d'exécuter "
                       U"l'instruction qui a généré une erreur ?",
                       Boutons::OuiNonAnnuler, Icone::Critique,
                       U"Erreur d'imprimante lors de l'essai d'impression"}));
    EXPECT_EQ(plateforme.imprimante.documents.size(), 1u);

    plateforme.imprimante.echecsLecture = {erreurs::ErreurImprimante};
    plateforme.interaction.reponses = {Reponse::Annuler};
    EXPECT_FALSE(ctl.Imprime({.piTypeImpression = 2}));
    EXPECT_EQ(plateforme.imprimante.documents.size(), 1u);
    EXPECT_FALSE(ctl.ibPrinting);

    // 484: told, then printed anyway, and the printer is not given back.
    messages().clear();
    plateforme.imprimante.orientation = Printer::Portrait;
    plateforme.imprimante.echecsLecture = {erreurs::InfoImprimante};
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2}));
    EXPECT_EQ(messages(), std::vector<Message>{MessageErreurImprimante()});
    EXPECT_EQ(plateforme.imprimante.documents.size(), 2u);
    EXPECT_EQ(plateforme.imprimante.orientation, Printer::Paysage);
}

TEST_F(Passe, AFrameThatFailsStopsThePassBeforeTheNextOne) {
    ctl.Release();
    ctl.NewCadreImage(U"absent.png", 0, 0, 10, 10);
    ctl.NewCadreTexte({.piHaut = 10, .piGauche = 10, .psText = U"Lundi"});
    EXPECT_TRUE(ctl.Imprime());
    EXPECT_EQ(textes(),
              (std::vector<Texte>{test::rapport(U"ImprimeObjet", 53), U"Impression annulée"}));
    EXPECT_EQ(messages()[1].titre, U"Imprimer le planning");
    EXPECT_TRUE(ctl.ivDernierTracé.estVide());
    EXPECT_EQ(std::count_if(surface().appels.begin(), surface().appels.end(),
                            [](const std::string& a) { return a.rfind("Print", 0) == 0; }),
              0);

    ctl.ibAbandon = false;
    messages().clear();
    ctl.ioCadres->resize(40000, ctl.ioCadres->back());  // more than an Integer counts
    EXPECT_FALSE(ctl.Imprime({.pbForceTracé = true}));
    EXPECT_EQ(textes(), std::vector<Texte>{test::rapport(U"Imprime", 6)});
}

struct PasseHtml : Passe {
    test::DossierTemporaire dossier;
    std::filesystem::path page = dossier / "planning.htm";
    PasseHtml() { Html::SetCheminHtml(depuisUtf8(page.string())); }
};

TEST_F(PasseHtml, AnExportStoppedHalfWayLeavesThePreviousPageAndTheFileClosed) {
    test::ecrit(page, "ancienne page");
    // Too wide for the page's 16-bit sizes: reported, and the pass is cancelled.
    ctl.ioCadres->front().iDroite = 1e5;
    EXPECT_TRUE(ctl.Imprime({.piTypeImpression = 3}));
    EXPECT_EQ(textes(),
              (std::vector<Texte>{test::rapport(U"ImprimeObjet", 6), U"Impression annulée"}));
    EXPECT_EQ(test::contenu(page), "ancienne page");
    EXPECT_EQ(dossier.nombreFichiers(), 1u);

    ctl.ibAbandon = false;
    ctl.ioCadres->front().iDroite = 60;
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 3}));
    EXPECT_EQ(test::contenu(page).rfind("<html>\r\n", 0), 0u);
}

}  // namespace
}  // namespace vitrail
