#include <gtest/gtest.h>

#include "Fichiers.hpp"
#include "doubles/PlateformeFactice.hpp"
#include "output/Html.hpp"
#include "output/MontrePlan.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail {
namespace {

struct Show : ::testing::Test {
    std::shared_ptr<test::PlateformeFactice> plateforme =
        std::make_shared<test::PlateformeFactice>();
    TracPlanDLL plan{plateforme};

    void planning() {
        plan.Initialise({.psScreenCaption = "Semaine 49"});
        plan.NewCadreTexte(10, 10, {.piBas = 50, .piDroite = 150, .psText = "Lundi"});
    }
    long imprimes(const std::vector<std::string>& appels) {
        return std::count_if(appels.begin(), appels.end(),
                             [](const std::string& a) { return a.rfind("Print", 0) == 0; });
    }
};

TEST_F(Show, WithoutArgumentsTheViewerShowsThePlanningThenItIsGone) {
    planning();
    plan.Show();
    ASSERT_EQ(plateforme->fenetres.size(), 1u);
    EXPECT_EQ(plateforme->fenetres[0].caption, U"Semaine 49");
    EXPECT_FALSE(plateforme->fenetres[0].placement.has_value());
    EXPECT_TRUE(plateforme->fenetres[0].fermee);
    EXPECT_EQ(imprimes(plateforme->fenetres[0].appels), 1);

    plan.NewCadreTexte(0, 0);
    EXPECT_EQ(plan.Formulaire().TracPlanOCX1.ioCadres->front().iNoObjet, 1);
    EXPECT_EQ(plan.Formulaire().TracPlanOCX1.reglages.psFont, U"");
    EXPECT_EQ(plan.psScreenCaption(), "Semaine 49");
}

TEST_F(Show, OldTargetsAreNormalisedInTheCallersVariable) {
    planning();
    ArgumentsShow ecran{.piTypeImpression = eiTypeSortieEcranOld};
    plan.Show(ecran);
    EXPECT_EQ(ecran.piTypeImpression, eiTypeSortieEcran);
    EXPECT_EQ(plateforme->fenetres.size(), 1u);

    planning();
    ArgumentsShow imprimante{.piTypeImpression = eiTypeSortieImprimanteOld,
                             .pbPromptPrinter = false};
    plan.Show(imprimante);
    EXPECT_EQ(imprimante.piTypeImpression, eiTypeSortieImprimante);
    EXPECT_EQ(plateforme->imprimante.documents.size(), 1u);
    EXPECT_EQ(plateforme->fenetres.size(), 1u);  // the window never shows for the printer
}

TEST_F(Show, AnUnknownTargetShowsNothingAndLosesThePlanning) {
    planning();
    plan.Show({.piTypeImpression = static_cast<eTypeSortie>(4)});
    EXPECT_TRUE(plateforme->fenetres.empty());
    EXPECT_TRUE(plateforme->imprimante.documents.empty());
    EXPECT_FALSE(plan.Formulaire().TracPlanOCX1.ioCadres.has_value());
}

TEST_F(Show, TheWindowIsPlacedOnlyWhenAllFourValuesAreGiven) {
    plan.Show();
    ASSERT_TRUE(
        plateforme->fenetres.back().placement.has_value());  // zero values before Initialise
    EXPECT_EQ(plateforme->fenetres.back().placement->Width, 0);
    EXPECT_EQ(plateforme->fenetres.back().caption, U"");

    plan.Initialise(
        {.piScreenTop = 100, .piScreenLeft = 200, .piScreenHeight = 6000, .piScreenWidth = 8000});
    plan.Show();
    const auto placement = plateforme->fenetres.back().placement;
    ASSERT_TRUE(placement.has_value());
    EXPECT_EQ(placement->Top, 100);
    EXPECT_EQ(placement->Left, 200);
    EXPECT_EQ(placement->Height, 6000);
    EXPECT_EQ(placement->Width, 8000);

    plan.Initialise({.piScreenLeft = 200, .piScreenHeight = 6000, .piScreenWidth = 8000});
    plan.Show();
    EXPECT_FALSE(plateforme->fenetres.back().placement.has_value());
}

TEST_F(Show, HtmlWithoutAPathWritesTheDefaultPage) {
    test::DossierTemporaire dossier;
    plateforme->systeme.dossier = depuisUtf8(dossier.chemin().string());
    planning();
    plan.Show({.piTypeImpression = eiTypeSortieHTML});
    EXPECT_TRUE(std::filesystem::exists(dossier / "Vitrail.htm"));
    EXPECT_TRUE(plateforme->fenetres.empty());
    Html::SetCheminHtml(U"");
}

TEST_F(Show, NoDisplayIsAClearErrorAndThePlanningStays) {
    test::DossierTemporaire dossier;
    planning();
    plateforme->sansEcran = true;
    EXPECT_THROW(plan.Show(), Erreur);
    const std::string page = (dossier / "p.htm").string();
    plan.Show({.piTypeImpression = eiTypeSortieHTML, .psChemin = page});
    EXPECT_NE(test::contenu(page).find("Lundi"), std::string::npos);
}

}  // namespace
}  // namespace vitrail

namespace vitrail {
namespace {

TEST_F(Show, DebordementsListsTheTextsThatDoNotFitAndKeepsThePlanning) {
    plan.Initialise({.pdMinFontSize = 8});
    plan.NewCadreTexte(10, 10, {.piBas = 50, .piDroite = 150, .psText = "Lundi"});
    plan.NewCadreTexte(60, 10, {.piBas = 62, .piDroite = 150, .psText = "trop haut"});
    plan.NewCadreTexte(70, 10,
                       {.piBas = 75, .piDroite = 20, .psText = "un deux trois", .piFontSize = 7});
    const std::vector<Debordement> d = plan.Debordements();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].iNoObjet, 2);
    EXPECT_TRUE(d[0].auPlancher);
    EXPECT_EQ(d[0].taille, 8);
    EXPECT_EQ(d[0].lignesPerdues, 1);
    EXPECT_EQ(d[1].iNoObjet, 3);  // given below the floor: drawn as given, lines dropped
    EXPECT_FALSE(d[1].auPlancher);
    EXPECT_EQ(d[1].taille, 6);  // 7 at the viewer's zoom 0.8
    EXPECT_EQ(d[1].lignesPerdues, 2);

    plan.Show();
    const auto& appels = plateforme->fenetres.back().appels;
    EXPECT_EQ(std::count(appels.begin(), appels.end(), "Cls"), 2);  // the frames, drawn afresh
}

TEST_F(Show, AFrameThatFailsInTheCheckDoesNotStopTheNextShow) {
    test::DossierTemporaire dossier;
    planning();
    plan.NewCadreImage("absent.png", 60, 10, 80, 40);
    plan.Debordements();
    ASSERT_EQ(plateforme->interaction.messages.size(), 1u);  // the missing picture, told once

    const std::string page = (dossier / "p.htm").string();
    plan.Show({.piTypeImpression = eiTypeSortieHTML, .psChemin = page});
    EXPECT_NE(test::contenu(page).find("Lundi"), std::string::npos);
}

}  // namespace
}  // namespace vitrail
