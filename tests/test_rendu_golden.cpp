// Whole outputs of one small planning, compared with files kept under tests/golden/.
// After an intended change, regenerate them with
//   VITRAIL_REGENERER_GOLDEN=1 build/tests/vitrail_tests --gtest_filter='RenduGolden.*'
// and read the difference before committing it.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Fichiers.hpp"
#include "api/AccesInterne.hpp"
#include "doubles/PlateformeFactice.hpp"
#include "html/Html.hpp"
#include "viewer/MontrePlan.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail {
namespace {

// Every box form, markup, centring, shrinking, hyphenation, a blank line and a picture.
void planning(TracPlanDLL& plan) {
    plan.Initialise({.psFont = "Arial", .psScreenCaption = "Semaine 49 – équipe"});
    plan.NewCadreTexte(0, 0,
                       {.piBas = 10,
                        .piDroite = 200,
                        .piFillColor = 0xFFE0CC,
                        .psText = "Planning de la <B>semaine 49</b>",
                        .piFontSize = 14,
                        .pbFontTransparent = false});
    plan.NewCadreTexte(12, 0, {.piBas = 12.5, .piDroite = 200});
    plan.NewCadreTexte(15, 50, {.piBas = 60, .piDroite = 50.5});
    plan.NewCadreTexte(15, 0,
                       {.piBas = 35,
                        .piDroite = 48,
                        .psText = "Lundi : <i>réunion</i> d'équipe, <u>salle 3</u>, puis revue "
                                  "des <DblQuote>tickets<DblQuote> ouverts",
                        .piFontSize = 12});
    plan.NewCadreTexte(15, 52,
                       {.piBas = 40,
                        .piDroite = 100,
                        .piDrawWidth = 2,
                        .piFillColor = 0xCCFFCC,
                        .psText = "Mardi\r\rAnticonstitutionnellement fini ",
                        .pbFontTransparent = false,
                        .psAligne = "",
                        .plCouleurTrait = 255});
    plan.NewCadreTexte(42, 52,
                       {.piBas = 60,
                        .piDroite = 100,
                        .piDrawWidth = 0,
                        .psText = "Sans bordure <SimpleQuote>ni fond<SimpleQuote>",
                        .psAligne = "H"});
    plan.NewCadreImage("logo.png", 62, 0, 80, 30);
}

struct RenduGolden : ::testing::Test {
    std::shared_ptr<test::PlateformeFactice> plateforme =
        std::make_shared<test::PlateformeFactice>();
    TracPlanDLL plan{plateforme};
    TracPlanOCX& ctl = api::formulaire(plan).TracPlanOCX1;

    RenduGolden() {
        planning(plan);
        plateforme->derniereSurface->images[U"logo.png"] = true;
        plateforme->imprimante().images[U"logo.png"] = true;
    }

    static void compare(const std::string& nom, const std::string& obtenu) {
        const std::filesystem::path fichier = std::filesystem::path(VITRAIL_GOLDEN) / nom;
        if (std::getenv("VITRAIL_REGENERER_GOLDEN") != nullptr) test::ecrit(fichier, obtenu);
        EXPECT_EQ(obtenu, test::contenu(fichier)) << "differs from " << fichier;
    }
    static std::string lignes(const std::vector<std::string>& appels) {
        std::string tout;
        for (const auto& appel : appels)
            tout += appel + "\n";
        return tout;
    }
};

TEST_F(RenduGolden, Screen) {
    ASSERT_TRUE(ctl.Imprime());
    EXPECT_TRUE(plateforme->interaction.messages.empty());
    compare("planning-ecran.txt", lignes(plateforme->derniereSurface->appels));
}

TEST_F(RenduGolden, Printer) {
    plateforme->interaction.copies = {2};
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2}));
    EXPECT_TRUE(plateforme->interaction.messages.empty());
    std::string tout;
    for (const auto& document : plateforme->imprimante().documents) {
        tout += "--- document\n" + lignes(document);
    }
    compare("planning-imprimante.txt", tout);
}

TEST_F(RenduGolden, Html) {
    test::DossierTemporaire dossier;
    Html::SetCheminHtml(depuisUtf8((dossier / "planning.htm").string()));
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 3}));
    ASSERT_EQ(plateforme->interaction.messages.size(), 1u);  // the page is ready
    compare("planning.htm", test::contenu(dossier / "planning.htm"));
}

}  // namespace
}  // namespace vitrail
