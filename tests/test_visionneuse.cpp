#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "Controle.hpp"
#include "Fichiers.hpp"
#include "html/Html.hpp"
#include "viewer/MontrePlan.hpp"

namespace vitrail {
namespace {

// A window with one frame, laid out and painted once; each event comes a second after the
// previous one, so that no redraw is held back by the 0.1 s rule unless a test wants it.
struct Vue : ::testing::Test {
    test::PlateformeFactice plateforme;
    MontrePlan fenetre{plateforme};
    TracPlanOCX& ctl = fenetre.TracPlanOCX1;
    Visionneuse& vue = fenetre.visionneuse;

    Vue() {
        ctl.Initialise();
        ctl.NewCadreTexte(
            {.piHaut = 10, .piGauche = 10, .piBas = 50, .piDroite = 150, .psText = U"Lundi"});
        fenetre.Form_Resize(12100, 9400);
        vue.UserControl_Paint();
    }
    test::SurfaceFactice& surface() { return *plateforme.derniereSurface; }
    long passes() { return std::count(surface().appels.begin(), surface().appels.end(), "Cls"); }
    void uneSecondePlusTard() { plateforme.horloge.maintenant += 1; }
    void clique(std::int16_t index, int fois = 1) {
        for (int i = 0; i < fois; ++i) {
            uneSecondePlusTard();
            vue.cmdZoom_Click(index);
        }
    }
    void redimensionne(double l, double h) {
        uneSecondePlusTard();
        surface().Redimensionne(l, h);
        vue.UserControl_Resize();
    }
};

TEST_F(Vue, TheLayoutFollowsTheEdgesAndRedrawsOnlyWhenTheControlGrows) {
    EXPECT_EQ(ctl.VScroll1.Left, 11750);
    EXPECT_EQ(ctl.HScroll1.Left, 1650);
    EXPECT_EQ(surface().Height(), 9000);  // the window less its strips
    EXPECT_EQ(vue.cmdEnregistre.Left, 1320);
    EXPECT_EQ((std::array{vue.cmdZoom[0].Left, vue.cmdZoom[1].Left, vue.cmdZoom[2].Left,
                          vue.cmdZoom[3].Left}),
              (std::array{0.0, 330.0, 660.0, 990.0}));
    redimensionne(12000, 9500);
    redimensionne(11000, 9000);
    EXPECT_EQ(passes(), 2);
    redimensionne(11500, 9000);  // wider than at the last layout
    EXPECT_EQ(passes(), 3);
    surface().Redimensionne(11600, 9000);  // within 0.1 s of that pass: held back
    vue.UserControl_Resize();
    EXPECT_EQ(passes(), 3);
    // The window's own layout never draws, even when it makes the control larger.
    uneSecondePlusTard();
    fenetre.Form_Resize(13100, 10400);
    EXPECT_EQ(passes(), 3);
    EXPECT_EQ(vue.ilLargeurPrécédente, 13000);
    EXPECT_FALSE(ctl.ibNoRedraw);
}

TEST_F(Vue, TooNarrowAControlIsReportedAndLeftHalfLaidOut) {
    redimensionne(1500, 9000);
    EXPECT_EQ(plateforme.interaction.messages.at(0).texte,
              test::rapport(U"UserControl_Resize", 380));
    EXPECT_EQ(vue.ilLargeurPrécédente, 12000);
    EXPECT_TRUE(ctl.ibNoRedraw);
    fenetre.Form_Resize(12100, 9400);
    EXPECT_FALSE(ctl.ibNoRedraw);
}

TEST_F(Vue, EscapeFromTheControlOrTheWindowsButtonUnloadsItOnceAndOtherKeysNothing) {
    int fermetures = 0;
    fenetre.fermeVue = [&] { ++fermetures; };
    for (std::int16_t touche : std::initializer_list<std::int16_t>{13, 32, 113})
        vue.UserControl_KeyPress(touche);
    EXPECT_EQ(fermetures, 0);
    std::int16_t echap = Visionneuse::ToucheEchap;
    vue.UserControl_KeyPress(echap);
    fenetre.BoutonEscape_Click();
    EXPECT_TRUE(fenetre.decharge);
    EXPECT_EQ(fermetures, 1);
}

TEST_F(Vue, ZoomButtonsAndMouseButtonsStopAtTheLimitsButStillRedraw) {
    clique(Visionneuse::ZoomAvant, 11);
    EXPECT_NEAR(ctl.idZoom, 4.953, 0.001);
    EXPECT_EQ(passes(), 12);
    clique(Visionneuse::PleinePage);
    EXPECT_EQ(ctl.idZoom, 0.8);
    clique(Visionneuse::ZoomArriere, 12);
    EXPECT_NEAR(ctl.idZoom, 0.1077, 0.0001);

    clique(Visionneuse::PleinePage);
    uneSecondePlusTard();
    vue.UserControl_MouseDown(1);
    EXPECT_DOUBLE_EQ(ctl.idZoom, 0.8 / 1.2);
    uneSecondePlusTard();
    vue.UserControl_MouseDown(4);
    EXPECT_DOUBLE_EQ(ctl.idZoom, 0.8);
    uneSecondePlusTard();
    vue.UserControl_MouseDown(2);
    EXPECT_EQ(ctl.idZoom, 0.8);
}

TEST_F(Vue, AClickResumesDrawingAfterAFailure) {
    ctl.ibAbandon = true;
    uneSecondePlusTard();
    vue.UserControl_Paint();
    EXPECT_EQ(passes(), 1);
    clique(Visionneuse::ZoomAvant);
    EXPECT_EQ(passes(), 2);
}

TEST_F(Vue, ScrollBarsMoveTheOriginByQuarterViewsAndAlwaysRedraw) {
    surface().Redimensionne(8250, 6330);
    ctl.HScroll1.Value = 3;
    vue.HScroll1_Change();  // within 0.1 s of the last pass: forced all the same
    EXPECT_EQ(ctl.ilOrigineX, -6000);
    ctl.VScroll1.Value = 2;
    vue.VScroll1_Change();
    EXPECT_EQ(ctl.ilOrigineY, -3000);
    EXPECT_EQ(passes(), 3);

    surface().Redimensionne(1e9, 6330);
    ctl.HScroll1.Value = 32767;
    vue.HScroll1_Change();  // overflow: the origin saturates, with no word and no redraw
    EXPECT_EQ(ctl.ilOrigineX, 2147483647);
    EXPECT_EQ(passes(), 3);
    EXPECT_TRUE(plateforme.interaction.messages.empty());
}

TEST_F(Vue, PrintAndSaveButtonsUseTheirTargetsAndResetTheScreen) {
    ctl.Orientation = U"Portrait";
    ctl.PaperSize = U"A4";
    clique(Visionneuse::Imprimer);
    EXPECT_EQ(plateforme.imprimante().documents.size(), 1u);
    EXPECT_EQ(ctl.idZoomDefaut, 0);
    uneSecondePlusTard();
    vue.UserControl_Paint();

    test::DossierTemporaire dossier;
    const Texte avant = depuisUtf8((dossier / "avant.htm").string());
    Html::SetCheminHtml(avant);
    uneSecondePlusTard();
    vue.cmdEnregistre_Click();  // cancelled
    EXPECT_EQ(plateforme.interaction.dialoguesEnregistrement, std::vector<Texte>{avant});
    EXPECT_EQ(dossier.nombreFichiers(), 0u);
    const Texte choisi = depuisUtf8((dossier / "choisi.htm").string());
    plateforme.interaction.fichiers = {choisi};
    uneSecondePlusTard();
    vue.cmdEnregistre_Click();
    EXPECT_EQ(Html::GetCheminHtml(plateforme.systeme()), choisi);
    EXPECT_TRUE(std::filesystem::exists(dossier / "choisi.htm"));
    EXPECT_EQ(ctl.idZoomDefaut, 0);  // the next screen pass starts from the default view
    Html::SetCheminHtml(U"");
}

}  // namespace
}  // namespace vitrail
