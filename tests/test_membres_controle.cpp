#include <gtest/gtest.h>

#include "Controle.hpp"

namespace vitrail {
namespace {

using test::Controle;
using test::rapport;

TEST(TaillesEtMesures, RoundedToSixteenBits) {
    Controle c;
    c.surface().largeur = 12000.5;
    c.surface().hauteur = 9001.5;
    EXPECT_EQ(c.ctl.Width(), 12000);
    EXPECT_EQ(c.ctl.Height(), 9002);
    c.surface().FontSize(10);
    EXPECT_EQ(c.ctl.TextWidth(U"abc"), 300);
    EXPECT_EQ(c.ctl.TextHeight(U"abc"), 200);
    EXPECT_TRUE(c.messages().empty());
}

TEST(TaillesEtMesures, OverflowIsReportedUnderTheMembersName) {
    Controle c;
    c.surface().FontSize(10);
    EXPECT_EQ(c.ctl.TextWidth(Texte(328, U'x')), 0);  // 32800 twips
    ASSERT_EQ(c.messages().size(), 1u);
    EXPECT_EQ(c.messages()[0].texte, rapport(U"TextWidth", 6));
    EXPECT_TRUE(c.ctl.ibAbandon);

    c.surface().largeur = 40000;
    EXPECT_EQ(c.ctl.Width(), 0);
    EXPECT_EQ(c.messages().back().texte, rapport(U"Width", 6));
    c.surface().hauteur = -40000;
    EXPECT_EQ(c.ctl.Height(), 0);
    EXPECT_EQ(c.messages().back().texte, rapport(U"Height", 6));
    c.surface().FontSize(2000);
    EXPECT_EQ(c.ctl.TextHeight(U"x"), 0);
    EXPECT_EQ(c.messages().back().texte, rapport(U"TextHeight", 6));
}

TEST(PositionCourante, ReadsRoundAndWritesSet) {
    Controle c;
    c.ctl.CurrentX(150);
    c.ctl.CurrentY(300);
    EXPECT_EQ(c.ctl.CurrentY(), 300);
    EXPECT_EQ(c.ctl.CurrentX(), 150);
    c.surface().CurrentX(10.5);
    EXPECT_EQ(c.ctl.CurrentX(), 10);
    EXPECT_EQ(c.ctl.nomProcedure, U"CurrentY");
}

TEST(SurfaceCourante, PrinterOnlyForThePrinterTarget) {
    Controle c;
    for (std::int32_t cible : {0, 1, 3}) {
        c.ctl.ilTypeImpression = cible;
        EXPECT_NE(&c.ctl.ioObject(), &c.plateforme.imprimante) << cible;
    }
    c.ctl.ilTypeImpression = 2;
    EXPECT_EQ(&c.ctl.ioObject(), &c.plateforme.imprimante);
    EXPECT_EQ(c.ctl.nomProcedure, U"ioObject");
}

TEST(SurfaceCourante, TheControlAsDrawingObjectRoundsPositions) {
    Controle c;
    c.ctl.ilTypeImpression = 1;
    Surface& objet = c.ctl.ioObject();
    objet.CurrentX(100.5);
    objet.CurrentY(201.5);
    EXPECT_EQ(c.surface().CurrentX(), 100);
    EXPECT_EQ(c.surface().CurrentY(), 202);
    objet.Print(U"Lundi");
    EXPECT_EQ(c.surface().appels.back(), "Print \"Lundi\" @100,202  10");
}

TEST(Defilement, StepsAreAQuarterOfTheVisibleArea) {
    Controle c;
    c.surface().largeur = 8250;
    c.surface().hauteur = 6330;
    EXPECT_EQ(c.ctl.ilLargeurDéfil(), 2000);
    EXPECT_EQ(c.ctl.ilHauteurDéfil(), 1500);
    c.surface().largeur = 252;  // (252 - 250) x 0.25 = 0.5: the even neighbour
    EXPECT_EQ(c.ctl.ilLargeurDéfil(), 0);
    c.surface().largeur = 256;
    EXPECT_EQ(c.ctl.ilLargeurDéfil(), 2);
    c.surface().largeur = 100;  // narrower than the bar: a negative step
    EXPECT_EQ(c.ctl.ilLargeurDéfil(), -38);
    c.surface().largeur = 1e12;  // overflow: silently 0
    EXPECT_EQ(c.ctl.ilLargeurDéfil(), 0);
    EXPECT_TRUE(c.messages().empty());
}

TEST(Defilement, MaximaFollowTheDrawnExtent) {
    Controle c;
    c.surface().largeur = 8250;
    c.surface().hauteur = 6330;
    c.ctl.ilMaxDroite = 20000;
    c.ctl.ilMaxBas = 2250;  // 1.5 positions: the even neighbour
    c.ctl.RecalculeScrollBar();
    EXPECT_EQ(c.ctl.HScroll1.Max, 10);
    EXPECT_EQ(c.ctl.VScroll1.Max, 2);
    EXPECT_EQ(c.ctl.HScroll1.Min, 0);

    c.surface().largeur = 250;  // a step of 0
    c.ctl.RecalculeScrollBar();
    EXPECT_EQ(c.ctl.HScroll1.Max, 0);
    EXPECT_TRUE(c.messages().empty());
}

TEST(Defilement, TooManyPositionsAreReportedUnderRecalculeScrollBar) {
    Controle c;
    c.surface().largeur = 254;  // a step of 1
    c.ctl.ilMaxDroite = 40000;
    c.ctl.RecalculeScrollBar();
    ASSERT_EQ(c.messages().size(), 1u);
    EXPECT_EQ(c.messages()[0].texte, rapport(U"RecalculeScrollBar", 6));
}

TEST(ReglagesImprimante, SavedAndGivenBackUnlessThePrinterFailed) {
    Controle c;
    c.plateforme.imprimante.orientation = Printer::Portrait;
    c.plateforme.imprimante.paperSize = Printer::A3;
    c.ctl.SauvePrinter();
    EXPECT_EQ(c.ctl.iiOrientationSauvée, Printer::Portrait);
    EXPECT_EQ(c.ctl.iiPaperSizeSauvé, Printer::A3);
    c.plateforme.imprimante.orientation = Printer::Paysage;
    c.plateforme.imprimante.paperSize = Printer::A4;
    c.ctl.RestaurePrinter();
    EXPECT_EQ(c.plateforme.imprimante.orientation, Printer::Portrait);
    EXPECT_EQ(c.plateforme.imprimante.paperSize, Printer::A3);

    c.ctl.ibErreurPrinter = true;
    c.plateforme.imprimante.paperSize = Printer::A4;
    c.ctl.iiPaperSizeSauvé = 0;
    c.ctl.SauvePrinter();
    EXPECT_EQ(c.ctl.iiPaperSizeSauvé, 0);
    c.ctl.RestaurePrinter();
    EXPECT_EQ(c.plateforme.imprimante.paperSize, Printer::A4);
}

TEST(ReglagesImprimante, AFailingPrinterReachesTheCaller) {
    Controle c;
    c.plateforme.imprimante.echecsLecture = {erreurs::InfoImprimante};
    EXPECT_THROW(c.ctl.SauvePrinter(), ErreurExecution);
    EXPECT_TRUE(c.messages().empty());
}

TEST(LigneLaPlusLongue, FirstOfTheLongest) {
    Controle c;
    EXPECT_EQ(c.ctl.GetLigneLaPlusLongue(), U"");
    c.ctl.isLignes = {U"", U"abc", U"<b>x", U"defg", U"hijk"};
    EXPECT_EQ(c.ctl.GetLigneLaPlusLongue(), U"<b>x");
}

}  // namespace
}  // namespace vitrail
