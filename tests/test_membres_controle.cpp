#include <gtest/gtest.h>

#include "Controle.hpp"

namespace vitrail {
namespace {

using test::Controle;
using test::rapport;

TEST(TaillesEtMesures, SixteenBitsRoundedAndOverflowReportedUnderTheMembersName) {
    Controle c;
    c.surface().largeur = 12000.5;
    c.surface().hauteur = 9001.5;
    EXPECT_EQ(c.ctl.Width(), 12000);
    EXPECT_EQ(c.ctl.Height(), 9002);
    c.surface().FontSize(10);
    EXPECT_EQ(c.ctl.TextWidth(U"abc"), 300);
    EXPECT_TRUE(c.messages().empty());

    EXPECT_EQ(c.ctl.TextWidth(Texte(328, U'x')), 0);  // 32800 twips
    EXPECT_EQ(c.messages().back().texte, rapport(U"TextWidth", 6));
    c.surface().hauteur = -40000;
    EXPECT_EQ(c.ctl.Height(), 0);
    EXPECT_EQ(c.messages().back().texte, rapport(U"Height", 6));
    EXPECT_TRUE(c.ctl.ibAbandon);
}

TEST(SurfaceCourante, ThePrinterOnlyForThePrinterTargetAndTheControlRoundsPositions) {
    Controle c;
    c.ctl.ilTypeImpression = 2;
    EXPECT_EQ(&c.ctl.ioObject(), &c.plateforme.imprimante);
    c.ctl.ilTypeImpression = 1;
    Surface& objet = c.ctl.ioObject();
    objet.CurrentX(100.5);
    objet.CurrentY(201.5);
    objet.Print(U"Lundi");
    EXPECT_EQ(c.surface().appels.back(), "Print \"Lundi\" @100,202  10");
}

TEST(Defilement, StepsAreAQuarterOfTheVisibleArea) {
    Controle c;
    c.surface().largeur = 8250;
    EXPECT_EQ(c.ctl.ilLargeurDéfil(), 2000);
    c.surface().largeur = 252;  // (252 - 250) x 0.25 = 0.5: the even neighbour
    EXPECT_EQ(c.ctl.ilLargeurDéfil(), 0);
    c.surface().largeur = 1e12;  // overflow: silently 0
    EXPECT_EQ(c.ctl.ilLargeurDéfil(), 0);
    EXPECT_TRUE(c.messages().empty());
}

TEST(Defilement, MaximaFollowTheDrawnExtentAndTooManyPositionsAreReported) {
    Controle c;
    c.surface().largeur = 8250;
    c.surface().hauteur = 6330;
    c.ctl.ilMaxDroite = 20000;
    c.ctl.ilMaxBas = 2250;  // 1.5 positions: the even neighbour
    c.ctl.RecalculeScrollBar();
    EXPECT_EQ(c.ctl.HScroll1.Max, 10);
    EXPECT_EQ(c.ctl.VScroll1.Max, 2);
    c.surface().largeur = 250;  // a step of 0
    c.ctl.RecalculeScrollBar();
    EXPECT_EQ(c.ctl.HScroll1.Max, 0);
    EXPECT_TRUE(c.messages().empty());

    c.surface().largeur = 254;  // a step of 1
    c.ctl.ilMaxDroite = 40000;
    c.ctl.RecalculeScrollBar();
    EXPECT_EQ(c.messages().at(0).texte, rapport(U"RecalculeScrollBar", 6));
}

TEST(ReglagesImprimante, SavedAndGivenBackUnlessThePrinterFailed) {
    Controle c;
    auto& imprimante = c.plateforme.imprimante;
    imprimante.paperSize = Printer::A3;
    c.ctl.SauvePrinter();
    imprimante.paperSize = Printer::A4;
    c.ctl.RestaurePrinter();
    EXPECT_EQ(imprimante.paperSize, Printer::A3);

    c.ctl.ibErreurPrinter = true;
    imprimante.paperSize = Printer::A4;
    c.ctl.RestaurePrinter();
    EXPECT_EQ(imprimante.paperSize, Printer::A4);

    imprimante.echecsLecture = {erreurs::InfoImprimante};
    c.ctl.ibErreurPrinter = false;
    EXPECT_THROW(c.ctl.SauvePrinter(), ErreurExecution);  // the caller's handler reports it
    EXPECT_TRUE(c.messages().empty());
}

}  // namespace
}  // namespace vitrail
