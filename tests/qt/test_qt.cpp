// The Qt platform layer under the off-screen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Erreurs.hpp"
#include "Fichiers.hpp"
#include "output/MontrePlan.hpp"
#include "platform/qt/ImprimanteQt.hpp"
#include "platform/qt/PlateformeQt.hpp"
#include "platform/qt/SurfaceQt.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail::qt {
namespace {

// The bounding box of what differs from white, in pixels; empty when nothing was drawn.
QRect encre(const QImage& image) {
    QRect boite;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, y) != Qt::white) boite |= QRect(x, y, 1, 1);
        }
    }
    return boite;
}

TEST(SurfaceQt, MeasuresAgreeWithWhatItPrints) {
    SurfaceQt surface(96);
    surface.Redimensionne(6000, 3000);
    surface.Cls();
    surface.FontName(U"Arial");  // its metric-compatible stand-in
    surface.FontSize(12);
    surface.CurrentX(1500);
    surface.CurrentY(900);
    const Texte texte = U"Lundi 7 — équipe";
    const double largeur = surface.TextWidth(texte);
    const double hauteur = surface.TextHeight(texte);
    surface.Print(texte);
    const QRect boite = encre(surface.image());
    ASSERT_FALSE(boite.isEmpty());
    // 15 twips a pixel at 96 dpi; a pixel of slack for the glyphs' edges.
    EXPECT_GE(boite.left(), 1500 / 15 - 1);
    EXPECT_LE(boite.right(), (1500 + largeur) / 15 + 1);
    EXPECT_GT(boite.width(), largeur / 15 * 0.8);
    EXPECT_GE(boite.top(), 900 / 15 - 1);
    EXPECT_LE(boite.bottom(), (900 + hauteur) / 15 + 1);
    EXPECT_EQ(surface.CurrentX(), 0);  // the next line starts on the left
    EXPECT_EQ(surface.CurrentY(), 900 + hauteur);
}

TEST(SurfaceQt, PicturesThatAreMissingOrNotPicturesFail) {
    test::DossierTemporaire dossier;
    test::ecrit(dossier / "faux.png", "pas une image");
    SurfaceQt surface(96);
    surface.Redimensionne(1500, 1500);
    const auto numero = [&](const std::string& nom) {
        return test::numeroErreur(
            [&] { surface.PaintPicture(depuisUtf8((dossier / nom).string()), 0, 0, 100, 100); });
    };
    EXPECT_EQ(numero("absent.png"), erreurs::FichierIntrouvable);
    EXPECT_EQ(numero("faux.png"), erreurs::ImageIncorrecte);
}

// A document ended early (a pass that stops) writes nothing: the previous file stays.
TEST(ImprimanteQt, AKilledDocumentLeavesThePreviousPdf) {
    test::DossierTemporaire dossier;
    const auto brouillons = dossier / "brouillons";
    std::filesystem::create_directory(brouillons);
    const QByteArray tmpdir = qgetenv("TMPDIR");
    qputenv("TMPDIR", QByteArray::fromStdString(brouillons.string()));
    const auto nombreBrouillons = [&] {
        return std::distance(std::filesystem::directory_iterator(brouillons), {});
    };
    const auto pdf = dossier / "plan.pdf";
    test::ecrit(pdf, "ancien");
    ImprimanteQt imprimante;
    imprimante.fichierPdf(QString::fromStdString(pdf.string()));

    imprimante.Print(U"Lundi");
    EXPECT_EQ(nombreBrouillons(), 1);
    imprimante.KillDoc();
    EXPECT_TRUE(test::contenu(pdf) == "ancien");
    EXPECT_EQ(nombreBrouillons(), 0);
    EXPECT_TRUE(imprimante.destinations().isEmpty());

    imprimante.Print(U"Mardi");
    imprimante.EndDoc();
    EXPECT_EQ(test::contenu(pdf).rfind("%PDF-", 0), 0u);
    EXPECT_EQ(nombreBrouillons(), 0);
    EXPECT_EQ(imprimante.destinations(), QStringList{QString::fromStdString(pdf.string())});
    EXPECT_EQ(dossier.nombreFichiers(), 2u);
    if (tmpdir.isNull()) {
        qunsetenv("TMPDIR");
    } else {
        qputenv("TMPDIR", tmpdir);
    }
}

void planning(TracPlanDLL& plan) {
    plan.Initialise({.psFont = "Arial", .psScreenCaption = "Vitrail, essai"});
    plan.NewCadreTexte(10, 10,
                       {.piBas = 40,
                        .piDroite = 120,
                        .piFillColor = 0xFFE0CC,
                        .psText = "Lundi <b>réunion</b> d'équipe",
                        .piFontSize = 14,
                        .pbFontTransparent = false});
    plan.NewCadreTexte(50, 10, {.piBas = 90, .piDroite = 60, .psText = "Mardi", .psAligne = ""});
}

// Runs a test's actions on the viewer once it is up, then makes sure it closes.
void quandLaFenetreEstOuverte(const std::function<void(QWidget&)>& actions) {
    QTimer::singleShot(50, [actions] {
        QWidget* fenetre = QApplication::activeModalWidget();
        if (fenetre == nullptr) {
            ADD_FAILURE() << "no viewer window";
            return;
        }
        QTest::qWait(200);
        actions(*fenetre);
        if (fenetre->isVisible()) {
            ADD_FAILURE() << "the viewer is still open";
            QMetaObject::invokeMethod(fenetre, "reject");
        }
    });
}

TEST(VueMontrePlan, ClicksZoomAndEscapeCloses) {
    auto plateforme = std::make_shared<PlateformeQt>();
    TracPlanDLL plan(plateforme);
    planning(plan);
    TracPlanOCX& ctl = plan.Formulaire().TracPlanOCX1;
    double zoomApresClic = 0;
    quandLaFenetreEstOuverte([&](QWidget& fenetre) {
        auto* plus = fenetre.findChild<QPushButton*>(QStringLiteral("cmdZoom0"));
        ASSERT_NE(plus, nullptr);
        EXPECT_EQ(ctl.idZoom, 0.8);  // the first paint drew the planning
        // A right click on a button is no click on the drawing, which would reset the zoom.
        ctl.idZoom = 1;
        QTest::mouseClick(plus, Qt::RightButton);
        EXPECT_EQ(ctl.idZoom, 1);
        ctl.idZoom = 0.8;
        QTest::mouseClick(plus, Qt::LeftButton);
        zoomApresClic = ctl.idZoom;
        QTest::qWait(50);
        auto* zone = fenetre.findChild<QWidget*>(QStringLiteral("TracPlanOCX1"));
        ASSERT_NE(zone, nullptr);
        QTest::keyClick(zone, Qt::Key_Escape);
    });
    plan.Show();
    EXPECT_DOUBLE_EQ(zoomApresClic, 0.96);
    EXPECT_FALSE(plan.Formulaire().TracPlanOCX1.ioCadres.has_value());  // a new, empty form
}

}  // namespace
}  // namespace vitrail::qt

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
