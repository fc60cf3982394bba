#include <gtest/gtest.h>

#include "doubles/PlateformeFactice.hpp"
#include "output/MontrePlan.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail {
namespace {

struct Hote {
    std::shared_ptr<test::PlateformeFactice> plateforme =
        std::make_shared<test::PlateformeFactice>();
    TracPlanDLL plan{plateforme};

    TracPlanOCX& ctl() { return plan.Formulaire().TracPlanOCX1; }
    const CadreDef& cadre(std::size_t i) { return ctl().ioCadres->at(i); }
};

TEST(TracPlanDLL, ZeroGeometryBeforeInitialiseAndDefaultsAfter) {
    Hote h;
    EXPECT_EQ(h.plan.piScreenTop(), 0);
    EXPECT_EQ(h.plan.piScreenWidth(), 0);
    EXPECT_EQ(h.plan.psScreenCaption(), "");
    h.plan.Initialise({.piScreenTop = 100, .piScreenLeft = 200, .psScreenCaption = "Semaine"});
    EXPECT_EQ(h.plan.piScreenTop(), 100);
    EXPECT_EQ(h.plan.piScreenLeft(), 200);
    EXPECT_EQ(h.plan.piScreenHeight(), -1);
    EXPECT_EQ(h.ctl().reglages.psScreenCaption, U"Semaine");
    h.plan.Initialise({.piFontSize = 12});
    EXPECT_EQ(h.plan.piScreenTop(), -1);
    EXPECT_EQ(h.plan.psScreenCaption(), "Vitrail, édition du planning");
    EXPECT_EQ(h.ctl().reglages.piFontSize, 12);
    EXPECT_EQ(h.ctl().reglages.psFont, U"Times New Roman");
}

TEST(TracPlanDLL, FramesAreForwardedWithTheirNamedArguments) {
    Hote h;
    h.plan.Initialise({.psFont = "Arial"});
    h.plan.NewCadreTexte(10, 20,
                         {.piBas = 30,
                          .piDroite = 120,
                          .psText = "Réunion <b>équipe</b>",
                          .pbFontBold = true,
                          .pbFontItalic = "False",
                          .pbFontUnderline = 1,
                          .psAligne = "H"});
    h.plan.NewCadreImage("images/logo.png", 1, 2);
    const CadreDef& texte = h.cadre(0);
    EXPECT_EQ(texte.iBas, 30);
    EXPECT_EQ(texte.iDroite, 120);
    EXPECT_EQ(texte.sText, U"Réunion <b>équipe</b>");
    EXPECT_EQ(texte.sFont, U"Arial");
    EXPECT_EQ(texte.bFontBold, Variant(true));
    EXPECT_FALSE(texte.bFontItalic);
    EXPECT_TRUE(texte.bFontUnderline);
    EXPECT_EQ(texte.sAligne, U"H");
    const CadreDef& image = h.cadre(1);
    EXPECT_EQ(image.sText, U"@Picture@images/logo.png");
    EXPECT_EQ(image.iBas, -1);
    EXPECT_EQ(image.iDroite, -1);
    EXPECT_EQ(image.iNoObjet, 2);
}

TEST(TracPlanDLL, ClsKeepsTheFrames) {
    Hote h;
    h.plan.Initialise();
    h.plan.NewCadreTexte(0, 0);
    h.plan.Cls();
    h.plan.NewCadreTexte(5, 5);
    EXPECT_EQ(h.ctl().ioCadres->size(), 2u);
    EXPECT_EQ(h.plateforme->derniereSurface->appels.back(), "Cls");
}

TEST(TracPlanDLL, InvalidUtf8IsAClearErrorAndStoresNothing) {
    Hote h;
    h.plan.Initialise();
    try {
        h.plan.NewCadreTexte(0, 0, {.psText = "caf\xE9"});
        FAIL() << "no error";
    } catch (const Erreur& e) {
        EXPECT_NE(std::string(e.what()).find("psText"), std::string::npos);
    }
    EXPECT_THROW(h.plan.Initialise({.psFont = "\xFF"}), Erreur);
    EXPECT_EQ(h.ctl().reglages.psFont, U"Times New Roman");
    EXPECT_FALSE(h.ctl().ioCadres.has_value());
    EXPECT_EQ(h.ctl().ilNbCadres, 0);
}

}  // namespace
}  // namespace vitrail
