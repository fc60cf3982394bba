#include <gtest/gtest.h>

#include "Controle.hpp"

namespace vitrail {
namespace {

using test::Controle;

ArgumentsCadre cadre(double haut = 0, double gauche = 0) {
    return {.piHaut = haut, .piGauche = gauche};
}

TEST(MagasinCadres, MarkersTakeTheSettingsAndGivenValuesStayEvenNearThem) {
    Controle c;
    c.ctl.Initialise({.psFont = U"Arial", .piFontSize = 12, .pbFontItalic = true});
    c.ctl.NewCadreTexte(cadre(10, 20));
    c.ctl.NewCadreTexte({.piDrawWidth = 0,
                         .piFillColor = -2,
                         .psFont = U"nondéfini",
                         .piFontSize = 0,
                         .pbFontStrikethru = U"true",
                         .pbFontTransparent = false,
                         .psAligne = U"v"});
    const CadreDef& f = c.cadre(0);
    EXPECT_EQ(f.iFillColor, 16777215);
    EXPECT_EQ(f.sFont, U"Arial");
    EXPECT_EQ(f.iFontSize, 12);
    EXPECT_TRUE(f.bFontItalic);
    EXPECT_EQ(f.sAligne, U"HV");
    EXPECT_EQ(f.iNoObjet, 1);
    const CadreDef& g = c.cadre(1);
    EXPECT_EQ(g.iFillColor, -2);
    EXPECT_EQ(g.sFont, U"nondéfini");
    EXPECT_EQ(g.iFontSize, 0);
    EXPECT_TRUE(g.bFontStrikethru);
    EXPECT_FALSE(g.bFontTransparent);
    EXPECT_EQ(g.sAligne, U"v");
}

TEST(MagasinCadres, RefusedFlagSkipsAFrameNumberButABoldTextIsKeptAsGiven) {
    Controle c;
    c.ctl.Initialise();
    c.ctl.NewCadreTexte(cadre());
    c.ctl.NewCadreTexte({.pbFontItalic = U"peut-être"});
    c.ctl.NewCadreTexte({.pbFontBold = U"peut-être"});
    ASSERT_EQ(c.ctl.ioCadres->size(), 2u);
    EXPECT_EQ(c.cadre(1).iNoObjet, 3);
    EXPECT_EQ(c.cadre(1).bFontBold, Variant(U"peut-être"));
    ASSERT_EQ(c.messages().size(), 1u);
    EXPECT_EQ(c.messages()[0].texte, test::rapport(U"NewCadreTexte", 13));
    EXPECT_TRUE(c.ctl.ibAbandon);
}

TEST(MagasinCadres, InitialiseReplacesEverySettingForLaterFramesOnly) {
    Controle c;
    c.ctl.Initialise({.piFontSize = 10, .piMargeEnPourcent = 12});
    EXPECT_EQ(c.ctl.reglages.psFieldSeparator, U"\n");
    EXPECT_EQ(c.ctl.reglages.psReplaceCHR13, U"\r");
    c.ctl.NewCadreTexte(cadre());
    c.ctl.Initialise({.psFont = U"Arial",
                      .plCouleurFond = 255,
                      .psFieldSeparator = U";",
                      .psReplaceCHR13 = true});
    c.ctl.NewCadreImage(U"logo.png", 10, 20);
    EXPECT_EQ(c.cadre(0).sFont, U"Times New Roman");
    EXPECT_EQ(c.cadre(1).sFont, U"Arial");
    EXPECT_EQ(c.ctl.reglages.piMargeEnPourcent, 5);
    EXPECT_EQ(c.ctl.reglages.psFieldSeparator, U";");
    EXPECT_EQ(c.ctl.reglages.psReplaceCHR13, U"True");
    EXPECT_EQ(c.surface().BackColor(), 255);
}

TEST(MagasinCadres, ReleaseDropsTheListButKeepsTheCounterUpToItsLimit) {
    Controle c;
    c.ctl.Initialise();
    c.ctl.NewCadreTexte(cadre());
    c.ctl.NewCadreTexte(cadre());
    c.ctl.Release();
    EXPECT_FALSE(c.ctl.ioCadres.has_value());
    c.ctl.NewCadreTexte(cadre());
    EXPECT_EQ(c.cadre(0).iNoObjet, 3);

    c.ctl.ilNbCadres = 2147483647;  // one more overflows: reported, nothing stored
    c.ctl.NewCadreTexte(cadre());
    EXPECT_EQ(c.ctl.ioCadres->size(), 1u);
    EXPECT_EQ(c.messages().at(0).texte, test::rapport(U"NewCadreTexte", 6));
}

}  // namespace
}  // namespace vitrail
