#include <gtest/gtest.h>

#include "Controle.hpp"
#include "support/RapportErreur.hpp"

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

TEST(ParametrePrinter, ScaleAndZoomBySheetAndUnsupportedSheetsLeaveThem) {
    Controle c;
    auto& imprimante = c.plateforme.imprimante;
    c.ctl.nomProcedure = U"Imprime";

    c.ctl.ParamètrePrinter(U"Landscape", U"A4");
    EXPECT_EQ(c.ctl.idCorrecVertical, 50 * 19.5 / 18);
    EXPECT_EQ(c.ctl.idCorrecHorizontal, 50 * 27.5 / 24.2);
    EXPECT_EQ(c.ctl.idZoomDefaut, 1.0);
    EXPECT_EQ(c.ctl.nomProcedure, U"Imprime");

    c.ctl.ParamètrePrinter(U"Landscape", U"A3");
    EXPECT_EQ(imprimante.paperSize, Printer::A3);
    EXPECT_EQ(c.ctl.idZoomDefaut, 42 / 29.7);

    c.ctl.ParamètrePrinter(U"landscape", U"A4");
    EXPECT_EQ(imprimante.orientation, Printer::Portrait);
    EXPECT_EQ(c.ctl.idCorrecVertical, 53);
    EXPECT_EQ(c.ctl.idCorrecHorizontal, 56);
    EXPECT_EQ(c.ctl.idZoomDefaut, 0.8);

    // Unsupported sheets: reported, the scale left as it was.
    c.ctl.ParamètrePrinter(U"Landscape", U"A4");
    c.ctl.ParamètrePrinter(U"Landscape", U"A5");
    ASSERT_EQ(c.messages().size(), 1u);
    EXPECT_NE(c.messages()[0].texte.find(U"module : ParamètrePrinter'\r\nCode : 380"), Texte::npos);
    EXPECT_EQ(c.ctl.idZoomDefaut, 1.0);
    EXPECT_EQ(c.plateforme.imprimante.paperSize, Printer::A4);

    c.ctl.ParamètrePrinter(U"Portrait", U"A3");
    EXPECT_EQ(c.messages().size(), 2u);
    EXPECT_EQ(c.ctl.idZoomDefaut, 1.0);
    EXPECT_TRUE(c.ctl.ibAbandon);
}

TEST(ParametrePrinter, PrinterInformationFailureIsToldOthersAreToleratedQuietly) {
    Controle c;
    c.plateforme.imprimante.echecsEcriture = {erreurs::InfoImprimante};
    c.ctl.ParamètrePrinter(U"Portrait", U"A4");
    EXPECT_EQ(c.messages(), std::vector<Message>{MessageErreurImprimante()});
    EXPECT_TRUE(c.ctl.ibErreurPrinter);
    EXPECT_EQ(c.ctl.idZoomDefaut, 0.8);

    c.plateforme.imprimante.echecsEcriture = {erreurs::ErreurImprimante, erreurs::ErreurImprimante};
    c.ctl.ParamètrePrinter(U"Landscape", U"A3");
    EXPECT_EQ(c.messages().size(), 1u);
    EXPECT_EQ(c.ctl.idZoomDefaut, 42 / 29.7);
    EXPECT_FALSE(c.ctl.ibAbandon);
}

}  // namespace
}  // namespace vitrail
