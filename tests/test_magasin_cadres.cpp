#include <gtest/gtest.h>

#include "Controle.hpp"

namespace vitrail {
namespace {

using test::Controle;

ArgumentsCadre cadre(double haut, double gauche) {
    return {.piHaut = haut, .piGauche = gauche};
}

TEST(MagasinCadres, MarkersTakeTheSettings) {
    Controle c;
    c.ctl.Initialise({.psFont = U"Arial", .piFontSize = 12, .pbFontItalic = true});
    c.ctl.NewCadreTexte(cadre(10, 20));
    const CadreDef& f = c.cadre(0);
    EXPECT_EQ(f.iHaut, 10);
    EXPECT_EQ(f.iGauche, 20);
    EXPECT_EQ(f.iBas, -1);
    EXPECT_EQ(f.iDroite, -1);
    EXPECT_EQ(f.iDrawWidth, 1);
    EXPECT_EQ(f.iFillColor, 16777215);
    EXPECT_EQ(f.sText, U"");
    EXPECT_EQ(f.sFont, U"Arial");
    EXPECT_EQ(f.iFontSize, 12);
    EXPECT_EQ(f.bFontBold, Variant(false));
    EXPECT_TRUE(f.bFontItalic);
    EXPECT_FALSE(f.bFontStrikethru);
    EXPECT_FALSE(f.bFontUnderline);
    EXPECT_TRUE(f.bFontTransparent);
    EXPECT_EQ(f.lFontColor, 0);
    EXPECT_EQ(f.sAligne, U"HV");
    EXPECT_EQ(f.lCouleurTrait, 0);
    EXPECT_EQ(f.iNoObjet, 1);
}

TEST(MagasinCadres, GivenValuesStayEvenNearTheMarkers) {
    Controle c;
    c.ctl.Initialise();
    ArgumentsCadre a = cadre(1, 2);
    a.piFontSize = 0;
    a.psFont = U"nondéfini";
    a.piDrawWidth = 0;
    a.piFillColor = -2;
    a.psAligne = U"v";
    a.pbFontTransparent = false;
    a.pbFontUnderline = 1.0;
    a.pbFontStrikethru = U"true";
    c.ctl.NewCadreTexte(a);
    const CadreDef& f = c.cadre(0);
    EXPECT_EQ(f.iFontSize, 0);
    EXPECT_EQ(f.sFont, U"nondéfini");
    EXPECT_EQ(f.iDrawWidth, 0);
    EXPECT_EQ(f.iFillColor, -2);
    EXPECT_EQ(f.sAligne, U"v");
    EXPECT_FALSE(f.bFontTransparent);
    EXPECT_TRUE(f.bFontUnderline);
    EXPECT_TRUE(f.bFontStrikethru);
}

TEST(MagasinCadres, ZeroValuesBeforeAnyInitialise) {
    Controle c;
    c.ctl.NewCadreTexte(cadre(0, 0));
    const CadreDef& f = c.cadre(0);
    EXPECT_EQ(f.iDrawWidth, 0);
    EXPECT_EQ(f.iFillColor, 0);
    EXPECT_EQ(f.sFont, U"");
    EXPECT_EQ(f.iFontSize, 0);
    EXPECT_EQ(f.bFontBold, Variant(false));
    EXPECT_FALSE(f.bFontItalic || f.bFontStrikethru || f.bFontUnderline || f.bFontTransparent);
    EXPECT_EQ(f.lFontColor, 0);
    EXPECT_EQ(f.sAligne, U"");
    EXPECT_EQ(f.lCouleurTrait, 0);
}

TEST(MagasinCadres, RefusedItalicFlagSkipsAFrameNumber) {
    Controle c;
    c.ctl.Initialise();
    c.ctl.NewCadreTexte(cadre(0, 0));
    ArgumentsCadre refuse = cadre(5, 5);
    refuse.pbFontItalic = U"peut-être";
    c.ctl.NewCadreTexte(refuse);
    c.ctl.NewCadreTexte(cadre(9, 9));

    ASSERT_EQ(c.ctl.ioCadres->size(), 2u);
    EXPECT_EQ(c.cadre(0).iNoObjet, 1);
    EXPECT_EQ(c.cadre(1).iNoObjet, 3);
    EXPECT_EQ(c.ctl.ilNbCadres, 3);
    ASSERT_EQ(c.messages().size(), 1u);
    EXPECT_EQ(c.messages()[0].texte,
              U"Le composant Vitrail.DLL a causé une erreur de Vitrail dans le module : "
              U"NewCadreTexte'\r\nCode : 13\r\nDescription : Incompatibilité de type");
    EXPECT_TRUE(c.ctl.ibAbandon);
    EXPECT_TRUE(c.ctl.ibNoRedraw);
}

TEST(MagasinCadres, BoldFlagTextIsStoredUnchanged) {
    Controle c;
    c.ctl.Initialise();
    ArgumentsCadre a = cadre(0, 0);
    a.pbFontBold = U"peut-être";
    c.ctl.NewCadreTexte(a);
    EXPECT_EQ(c.cadre(0).bFontBold, Variant(U"peut-être"));
    EXPECT_TRUE(c.messages().empty());
}

TEST(MagasinCadres, CounterOverflowIsReportedAndNothingStored) {
    Controle c;
    c.ctl.ilNbCadres = 2147483647;
    c.ctl.NewCadreTexte(cadre(0, 0));
    EXPECT_FALSE(c.ctl.ioCadres.has_value());
    ASSERT_EQ(c.messages().size(), 1u);
    EXPECT_EQ(c.messages()[0].texte, test::rapport(U"NewCadreTexte", 6));
}

TEST(MagasinCadres, LaterInitialiseChangesOnlyLaterFrames) {
    Controle c;
    c.ctl.Initialise({.piFontSize = 10});
    c.ctl.NewCadreTexte(cadre(0, 0));
    c.ctl.Initialise({.psFont = U"Arial"});
    c.ctl.NewCadreTexte(cadre(0, 0));
    EXPECT_EQ(c.cadre(0).sFont, U"Times New Roman");
    EXPECT_EQ(c.cadre(1).sFont, U"Arial");
    EXPECT_EQ(c.cadre(1).iFontSize, 10);
}

TEST(MagasinCadres, InitialiseReplacesEverySettingAndPaintsTheBackground) {
    Controle c;
    c.ctl.Initialise({.piMargeEnPourcent = 12, .pdMinFontSize = 3});
    c.ctl.Initialise({.plCouleurFond = 255});
    EXPECT_EQ(c.ctl.reglages.piMargeEnPourcent, 5);
    EXPECT_EQ(c.ctl.reglages.pdMinFontSize, 5);
    EXPECT_EQ(c.ctl.reglages.psScreenCaption, U"Vitrail, édition du planning");
    EXPECT_EQ(c.ctl.reglages.piFillStyle, 1);
    EXPECT_EQ(c.surface().BackColor(), 255);
}

TEST(MagasinCadres, SeparatorsBecomeLineFeedAndCarriageReturn) {
    Controle c;
    c.ctl.Initialise();
    EXPECT_EQ(c.ctl.reglages.psFieldSeparator, U"\n");
    EXPECT_EQ(c.ctl.reglages.psReplaceCHR13, U"\r");
    c.ctl.Initialise({.psFieldSeparator = U";", .psReplaceCHR13 = true});
    EXPECT_EQ(c.ctl.reglages.psFieldSeparator, U";");
    EXPECT_EQ(c.ctl.reglages.psReplaceCHR13, U"True");
}

TEST(MagasinCadres, PictureFrameTakesEveryStyleFromTheSettings) {
    Controle c;
    c.ctl.Initialise({.piDrawWidth = 2, .piFontSize = 14, .pbFontBold = true, .plFontColor = 255});
    c.ctl.NewCadreImage(U"logo.png", 10, 20);
    const CadreDef& f = c.cadre(0);
    EXPECT_EQ(f.sText, U"@Picture@logo.png");
    EXPECT_EQ(f.iBas, -1);
    EXPECT_EQ(f.iDroite, -1);
    EXPECT_EQ(f.iDrawWidth, 2);
    EXPECT_EQ(f.iFontSize, 14);
    EXPECT_EQ(f.bFontBold, Variant(true));
    EXPECT_EQ(f.lFontColor, 255);
}

TEST(MagasinCadres, ReleaseDropsTheListButKeepsTheCounter) {
    Controle c;
    c.ctl.Initialise();
    c.ctl.NewCadreTexte(cadre(0, 0));
    c.ctl.NewCadreTexte(cadre(0, 0));
    c.ctl.isLignes = {U"", U"ligne"};
    c.ctl.Release();
    EXPECT_FALSE(c.ctl.ioCadres.has_value());
    EXPECT_TRUE(c.ctl.isLignes.empty());
    c.ctl.NewCadreTexte(cadre(0, 0));
    ASSERT_EQ(c.ctl.ioCadres->size(), 1u);
    EXPECT_EQ(c.cadre(0).iNoObjet, 3);
    EXPECT_EQ(c.ctl.reglages.psAligne, U"HV");
}

}  // namespace
}  // namespace vitrail
