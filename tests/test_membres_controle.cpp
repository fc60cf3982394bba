#include <gtest/gtest.h>

#include "Controle.hpp"
#include "support/RapportErreur.hpp"

namespace vitrail {
namespace {

using test::Controle;
using test::rapport;

TEST(TaillesEtMesures, SixteenBitsRoundedAndOverflowReportedUnderTheMembersName) {
    struct Cas {
        Texte membre;
        double largeur;
        double hauteur;
        float taille;  // "xxx" is 30 x taille wide and 20 x taille high
        std::int16_t attendu;
        bool depasse;
    };
    const std::vector<Cas> tableau{
        {U"Width", 12000.5, 0, 10, 12000, false}, {U"Width", 32767.5, 0, 10, 0, true},
        {U"Height", 0, 9001.5, 10, 9002, false},  {U"Height", 0, -40000, 10, 0, true},
        {U"TextWidth", 0, 0, 0.25f, 8, false},    {U"TextWidth", 0, 0, 1100, 0, true},
        {U"TextHeight", 0, 0, 0.125f, 2, false},  {U"TextHeight", 0, 0, 0.375f, 8, false},
        {U"TextHeight", 0, 0, 1700, 0, true},
    };
    for (const Cas& cas : tableau) {
        Controle c;
        c.surface().largeur = cas.largeur;
        c.surface().hauteur = cas.hauteur;
        c.surface().FontSize(cas.taille);
        const std::int16_t obtenu = cas.membre == U"Width"       ? c.ctl.Width()
                                    : cas.membre == U"Height"    ? c.ctl.Height()
                                    : cas.membre == U"TextWidth" ? c.ctl.TextWidth(U"xxx")
                                                                 : c.ctl.TextHeight(U"xxx");
        SCOPED_TRACE(versUtf8(cas.membre) + " " + std::to_string(cas.taille));
        EXPECT_EQ(obtenu, cas.attendu);
        EXPECT_EQ(c.ctl.ibAbandon, cas.depasse);
        if (cas.depasse) {
            EXPECT_EQ(c.messages().at(0).texte, rapport(cas.membre, 6));
        }
    }
}

TEST(TaillesEtMesures, TextMeasuresFollowTheTargetAndLeaveTheTagsOutUnlessTold) {
    struct Cas {
        std::int32_t cible;
        float sansBalises;
        float avecBalises;
        float hauteur;
    };
    // "<b>abc</b>": three characters, ten with its tags. The control's type is 10 points, the
    // printer's 20; nothing is measured before the first pass.
    const std::vector<Cas> tableau{
        {0, 0, 0, 0},
        {1, 300, 1000, 200},
        {2, 600, 2000, 400},
        {3, 300 * 0.06666667f, 1000 * 0.06666667f, 20},
    };
    for (const Cas& cas : tableau) {
        Controle c;
        c.plateforme.imprimante().FontSize(20);
        c.ctl.ilTypeImpression = cas.cible;
        SCOPED_TRACE(cas.cible);
        EXPECT_FLOAT_EQ(c.ctl.RtvTextWidth(U"<b>abc</b>"), cas.sansBalises);
        EXPECT_FLOAT_EQ(c.ctl.RtvTextWidth(U"<b>abc</b>", false), cas.avecBalises);
        EXPECT_FLOAT_EQ(c.ctl.RtvTextHeight(U"<b>abc</b>"), cas.hauteur);
    }
}

TEST(SurfaceCourante, ThePrinterOnlyForThePrinterTargetAndTheControlRoundsPositions) {
    Controle c;
    c.ctl.ilTypeImpression = 2;
    EXPECT_EQ(&c.ctl.ioObject(), &c.plateforme.imprimante());
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
    auto& imprimante = c.plateforme.imprimante();
    imprimante.paperSize = Imprimante::A3;
    c.ctl.SauvePrinter();
    imprimante.paperSize = Imprimante::A4;
    imprimante.appels.clear();
    c.ctl.RestaurePrinter();
    EXPECT_EQ(imprimante.appels, (std::vector<std::string>{"PaperSize 8", "Orientation 2"}));

    c.ctl.ibErreurPrinter = true;
    imprimante.paperSize = Imprimante::A4;
    c.ctl.RestaurePrinter();
    EXPECT_EQ(imprimante.paperSize, Imprimante::A4);

    imprimante.echecsLecture = {erreurs::InfoImprimante};
    c.ctl.ibErreurPrinter = false;
    EXPECT_THROW(c.ctl.SauvePrinter(), ErreurExecution);  // the caller's handler reports it
    EXPECT_TRUE(c.messages().empty());
}

TEST(ParametrePrinter, ScaleAndZoomBySheetAndUnsupportedSheetsLeaveThem) {
    Controle c;
    auto& imprimante = c.plateforme.imprimante();
    c.ctl.nomProcedure = U"Imprime";

    c.ctl.ParamètrePrinter(U"Landscape", U"A4");
    EXPECT_EQ(c.ctl.idCorrecVertical, 50 * 19.5 / 18);
    EXPECT_EQ(c.ctl.idCorrecHorizontal, 50 * 27.5 / 24.2);
    EXPECT_EQ(c.ctl.idZoomDefaut, 1.0);
    EXPECT_EQ(c.ctl.nomProcedure, U"Imprime");

    c.ctl.ParamètrePrinter(U"Landscape", U"A3");
    EXPECT_EQ(imprimante.paperSize, Imprimante::A3);
    EXPECT_EQ(c.ctl.idZoomDefaut, 42 / 29.7);

    c.ctl.ParamètrePrinter(U"landscape", U"A4");
    EXPECT_EQ(imprimante.orientation, Imprimante::Portrait);
    EXPECT_EQ(c.ctl.idCorrecVertical, 53);
    EXPECT_EQ(c.ctl.idCorrecHorizontal, 56);
    EXPECT_EQ(c.ctl.idZoomDefaut, 0.8);

    // Unsupported sheets: reported, the scale left as it was.
    c.ctl.ParamètrePrinter(U"Landscape", U"A4");
    c.ctl.ParamètrePrinter(U"Landscape", U"A5");
    ASSERT_EQ(c.messages().size(), 1u);
    EXPECT_NE(c.messages()[0].texte.find(U"module : ParamètrePrinter'\r\nCode : 380"), Texte::npos);
    EXPECT_EQ(c.ctl.idZoomDefaut, 1.0);
    EXPECT_EQ(c.plateforme.imprimante().paperSize, Imprimante::A4);

    c.ctl.ParamètrePrinter(U"Portrait", U"A3");
    EXPECT_EQ(c.messages().size(), 2u);
    EXPECT_EQ(c.ctl.idZoomDefaut, 1.0);
    EXPECT_TRUE(c.ctl.ibAbandon);
}

TEST(ParametrePrinter, PrinterInformationFailureIsToldOthersAreToleratedQuietly) {
    Controle c;
    c.plateforme.imprimante().echecsEcriture = {erreurs::InfoImprimante};
    c.ctl.ParamètrePrinter(U"Portrait", U"A4");
    EXPECT_EQ(c.messages(), std::vector<Message>{MessageErreurImprimante()});
    EXPECT_TRUE(c.ctl.ibErreurPrinter);
    EXPECT_EQ(c.ctl.idZoomDefaut, 0.8);

    // Each call counts its own failures: three calls with two each are still tolerated.
    for (int appel = 0; appel < 3; ++appel) {
        c.plateforme.imprimante().echecsEcriture = {erreurs::ErreurImprimante,
                                                    erreurs::ErreurImprimante};
        c.ctl.ParamètrePrinter(U"Landscape", U"A3");
    }
    EXPECT_EQ(c.messages().size(), 1u);
    EXPECT_EQ(c.ctl.idZoomDefaut, 42 / 29.7);
    EXPECT_FALSE(c.ctl.ibAbandon);
}

}  // namespace
}  // namespace vitrail
