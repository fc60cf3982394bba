#include <gtest/gtest.h>

#include "Controle.hpp"

namespace vitrail {
namespace {

// A screen control at 10 twips per planning unit, zoom 1, origin (0, 0), 10-point type.
struct ImprimeObjet : ::testing::Test, test::Controle {
    ImprimeObjet() {
        ctl.Initialise({.psFont = U"Arial"});
        ctl.ilTypeImpression = 1;
        ctl.idCorrecHorizontal = 10;
        ctl.idCorrecVertical = 10;
        ctl.idZoom = 1;
    }
    void dessine(ArgumentsCadre a) {
        ctl.NewCadreTexte(a);
        ctl.ImprimeObjet(ctl.ioCadres->back());
    }
    std::vector<std::string> boites() {
        std::vector<std::string> b;
        for (const auto& appel : surface().appels) {
            if (appel.rfind("Boite", 0) == 0) b.push_back(appel);
        }
        return b;
    }
};

TEST_F(ImprimeObjet, BorderedOpaqueFrameIsFilledOutlinedAndOutlinedAgainOverItsText) {
    dessine({.piHaut = 10,
             .piGauche = 20,
             .piBas = 30,
             .piDroite = 120,
             .piDrawWidth = 3,
             .piFillColor = 255,
             .psText = U"Lundi",
             .pbFontTransparent = false,
             .plCouleurTrait = 65280});
    EXPECT_EQ(surface().appels, (std::vector<std::string>{
                                    "BoitePleine (200,100)-(1200,300) couleur=255",
                                    "Boite (200,100)-(1200,300) couleur=65280 trait=3",
                                    "Print \"Lundi\" @450,100 Arial 10",
                                    "Boite (200,100)-(1200,300) couleur=65280 trait=3",
                                }));
}

TEST_F(ImprimeObjet, TransparentFrameGetsOnlyItsOutlines) {
    dessine({.piHaut = 10, .piGauche = 20, .piBas = 30, .piDroite = 120, .psText = U"x"});
    EXPECT_EQ(boites(), (std::vector<std::string>{"Boite (200,100)-(1200,300) couleur=0 trait=1",
                                                  "Boite (200,100)-(1200,300) couleur=0 trait=1"}));
}

TEST_F(ImprimeObjet, NoBorderMeansNoFillAndNoOutline) {
    dessine({.piHaut = 10,
             .piGauche = 20,
             .piBas = 30,
             .piDroite = 120,
             .piDrawWidth = 0,
             .psText = U"x",
             .pbFontTransparent = false});
    EXPECT_TRUE(boites().empty());
    EXPECT_EQ(surface().appels.size(), 1u);
}

TEST_F(ImprimeObjet, PenWidthAndFontSizeFollowTheZoom) {
    ctl.idZoom = 0.8;
    dessine({.piHaut = 0, .piGauche = 0, .piBas = 100, .piDroite = 100, .piDrawWidth = 3});
    EXPECT_EQ(surface().DrawWidth(), 2);  // 2.4
    EXPECT_EQ(surface().FontSize(), 8);
    dessine({.piHaut = 0, .piGauche = 0, .piBas = 100, .piDroite = 100, .piDrawWidth = 1});
    EXPECT_EQ(surface().DrawWidth(), 1);  // 0.8 is raised to 1

    ctl.idZoom = 0.5;
    dessine({.piHaut = 0, .piGauche = 0, .piBas = 100, .piDroite = 100, .piFontSize = 9});
    EXPECT_EQ(surface().FontSize(), 4);  // 4.5 to the even neighbour, below the floor
    ctl.idZoom = 0.4;
    dessine({.piHaut = 0, .piGauche = 0, .piBas = 100, .piDroite = 100, .piFontSize = 1});
    EXPECT_EQ(surface().FontSize(), 10);  // 0 takes the setting, unscaled
}

TEST_F(ImprimeObjet, TokensBecomeQuotesOnTheSameLine) {
    dessine({.piHaut = 0,
             .piGauche = 0,
             .piBas = 100,
             .piDroite = 300,
             .piDrawWidth = 0,
             .psText = U"<DblQuote>a<DblQuote> <P>b</P> <SimpleQuote>c <dblquote>",
             .psAligne = U""});
    EXPECT_EQ(surface().appels,
              (std::vector<std::string>{"Print \"\"a\" \"b\" 'c <dblquote>\" @0,0 Arial 10"}));
}

TEST_F(ImprimeObjet, ExtentsOnlyGrow) {
    ctl.ilOrigineX = -500;
    ctl.ilOrigineY = 100;
    dessine({.piHaut = 10, .piGauche = 20, .piBas = 30.05, .piDroite = 120.05, .piDrawWidth = 0});
    EXPECT_EQ(ctl.ilMaxDroite, 1200);  // 1200.5 to the even neighbour
    EXPECT_EQ(ctl.ilMaxBas, 300);
    dessine({.piHaut = 0, .piGauche = 0, .piBas = 5, .piDroite = 5});
    EXPECT_EQ(ctl.ilMaxDroite, 1200);
    EXPECT_EQ(ctl.ilMaxBas, 300);
}

TEST_F(ImprimeObjet, PicturesAreStretchedOverTheFrameAndNothingElse) {
    surface().images[U"logo.png"] = true;
    ctl.NewCadreImage(U"logo.png", 10, 20, 30, 120);
    ctl.ImprimeObjet(ctl.ioCadres->back());
    ctl.NewCadreImage(U"logo.png", 10, 20);
    ctl.ImprimeObjet(ctl.ioCadres->back());
    EXPECT_EQ(surface().appels,
              (std::vector<std::string>{"PaintPicture \"logo.png\" (200,100)-(1200,300)"}));
}

TEST_F(ImprimeObjet, AMissingPictureIsReportedAndStopsTheFrame) {
    ctl.NewCadreImage(U"absent.png", 10, 20, 30, 120);
    ctl.ImprimeObjet(ctl.ioCadres->back());
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].texte, test::rapport(U"ImprimeObjet", 53));
    EXPECT_TRUE(ctl.ibAbandon);
    surface().images[U"abimee.png"] = false;
    ctl.NewCadreImage(U"abimee.png", 10, 20, 30, 120);
    ctl.ImprimeObjet(ctl.ioCadres->back());
    EXPECT_EQ(messages()[1].texte, test::rapport(U"ImprimeObjet", 481));
}

TEST_F(ImprimeObjet, ABoldFlagThatReadsAsNoBooleanFailsWhenDrawn) {
    dessine({.piHaut = 0, .piGauche = 0, .piBas = 10, .piDroite = 10, .pbFontBold = U"gras"});
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].texte, test::rapport(U"ImprimeObjet", 13));
    EXPECT_TRUE(surface().appels.empty());
}

TEST_F(ImprimeObjet, ThePrinterTargetDrawsOnThePrinter) {
    ctl.ilTypeImpression = 2;
    dessine({.piHaut = 0, .piGauche = 0, .piBas = 10, .piDroite = 100, .psText = U"Mardi"});
    EXPECT_TRUE(surface().appels.empty());
    EXPECT_EQ(plateforme.imprimante.appels.size(), 3u);
    EXPECT_EQ(plateforme.imprimante.FontName(), U"Arial");
}

}  // namespace
}  // namespace vitrail
