// The Qt platform layer under the off-screen platform.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>

#include "Erreurs.hpp"
#include "Fichiers.hpp"
#include "api/AccesInterne.hpp"
#include "html/Html.hpp"
#include "qt/ImprimanteQt.hpp"
#include "qt/PlateformeQt.hpp"
#include "qt/SurfaceQt.hpp"
#include "qt/VueMontrePlan.hpp"
#include "viewer/MontrePlan.hpp"
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

// Keeps the messages, answers OK: what the user would have been shown.
class MessagesGardes : public Dialogues {
  public:
    std::vector<Message> messages;
    Reponse MsgBox(const Message& message) override {
        messages.push_back(message);
        return Reponse::OK;
    }
    std::optional<std::int32_t> ChoixImprimante(std::int32_t) override { return 1; }
    std::optional<Texte> ChoixFichierEnregistrement(const Texte&) override { return {}; }
};

void planning(TracPlanDLL& plan);

// With no print queue, a print becomes a PDF file in the current folder, and the user is told
// where; a PDF file the host asked for is no surprise and says nothing.
TEST(ImprimanteQt, APrintWithNoQueueSaysWhichPdfItWrote) {
    test::DossierTemporaire dossier;
    const auto ici = std::filesystem::current_path();
    std::filesystem::current_path(dossier.chemin());
    auto plateforme = std::make_shared<PlateformeQt>();
    std::filesystem::current_path(ici);
    if (!plateforme->imprimanteQt().versPdf()) GTEST_SKIP() << "this machine has a print queue";
    auto messages = std::make_shared<MessagesGardes>();
    plateforme->dialogues(messages);
    const std::string pdf = (dossier / "Vitrail.pdf").string();
    for (const bool demande : {false, true}) {
        SCOPED_TRACE(demande ? "a file asked for" : "no queue");
        messages->messages.clear();
        if (demande) plateforme->imprimanteQt().fichierPdf(QString::fromStdString(pdf));
        TracPlanDLL plan(plateforme);
        planning(plan);
        plan.Show({.piTypeImpression = eiTypeSortieImprimante, .pbPromptPrinter = false});
        ASSERT_TRUE(std::filesystem::exists(pdf));
        std::vector<std::string> avis;
        for (const Message& m : messages->messages) {
            if (m.icone == Icone::Information) avis.push_back(versUtf8(m.texte));
        }
        if (demande) {
            EXPECT_TRUE(avis.empty());
        } else {
            ASSERT_EQ(avis.size(), 1u);
            EXPECT_NE(avis[0].find("\r\n" + pdf), std::string::npos) << avis[0];
        }
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
    TracPlanOCX& ctl = api::formulaire(plan).TracPlanOCX1;
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
    EXPECT_FALSE(api::formulaire(plan).TracPlanOCX1.ioCadres.has_value());  // a new, empty form
}

// The check lays the texts out as each target would, and leaves no trace: no document, no page,
// the export path, the printer's settings and the fonts as they were.
TEST(Debordements, EachTargetsGeometryWithNothingDrawnPrintedOrWritten) {
    using Arret = BilanDebordements::Arret;
    struct Cas {
        const char* nom;
        ArgumentsDebordements cible;
        bool imageAbsente;
        Arret arret;
        std::size_t debordements;
        double idZoom;              // 0: not asked
        double idCorrecHorizontal;  // 0: not asked (the viewer's depends on the screen)
    };
    const auto vers = [](std::int32_t type, const char* orientation = "Landscape",
                         const char* papier = "A4", double zoom = 0) {
        return ArgumentsDebordements{.piTypeImpression = type,
                                     .idZoom = zoom,
                                     .psOrientation = orientation,
                                     .psPaperSize = papier};
    };
    const double paysage = 50 * 27.5 / 24.2;
    const Cas cas[] = {
        {"viewer", vers(1), false, Arret::Aucun, 1, 0.8, 0},
        {"viewer, old number", vers(0), false, Arret::Aucun, 1, 0.8, 0},
        // Zoomed in, the frame grows and the smallest size is small enough.
        {"viewer zoomed", vers(1, "Landscape", "A4", 2), false, Arret::Aucun, 0, 2, 0},
        {"printer", vers(2), false, Arret::Aucun, 1, 1, paysage},
        {"printer, old number", vers(-1), false, Arret::Aucun, 1, 1, paysage},
        {"printer A3", vers(2, "Landscape", "A3"), false, Arret::Aucun, 1, 42 / 29.7, paysage},
        {"printer portrait", vers(2, "Portrait"), false, Arret::Aucun, 1, 0.8, 56},
        {"html", vers(3), false, Arret::Aucun, 1, 2, 2},
        {"no target", vers(4), false, Arret::CibleSansSortie, 0, 0, 0},
        {"missing picture", vers(1), true, Arret::ErreurSignalee, 0, 0.8, 0},
        {"missing picture, printer", vers(2), true, Arret::ErreurSignalee, 0, 1, paysage},
        {"paper refused", vers(2, "Landscape", "A5"), false, Arret::ErreurSignalee, 0, 0, 0},
    };
    auto plateforme = std::make_shared<PlateformeQt>();
    test::DossierTemporaire dossier;
    const Texte page = depuisUtf8((dossier / "choisie.htm").string());
    // The HTML check's own page goes under TMPDIR, and must be gone afterwards.
    test::DossierTemporaire temporaire;
    const std::string tmpdir = qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp")).toStdString();
    setenv("TMPDIR", temporaire.chemin().c_str(), 1);
    Html::SetCheminHtml(page);
    Imprimante& imprimante = plateforme->imprimante();
    imprimante.Orientation(Imprimante::Portrait);
    imprimante.FontName(U"Courier");
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        TracPlanDLL plan(plateforme);
        plan.Initialise({.psFont = "Arial", .pdMinFontSize = 8});
        if (c.imageAbsente) plan.NewCadreImage("absente.png", 1, 1, 9, 9);
        plan.NewCadreTexte(50, 10, {.piBas = 52, .piDroite = 30, .psText = "bien trop long ici"});
        Surface& surface = api::formulaire(plan).TracPlanOCX1.surface();
        surface.FontName(U"Courier");
        BilanDebordements bilan;
        const std::vector<Debordement> d = plan.Debordements(c.cible, &bilan);
        EXPECT_EQ(bilan.arret, c.arret);
        EXPECT_EQ(bilan.complet, c.arret == Arret::Aucun);
        // After a missing picture the text is not laid out at all.
        ASSERT_EQ(d.size(), c.debordements);
        EXPECT_TRUE(d.empty() || d[0].iNoObjet == 1);
        EXPECT_EQ(bilan.messages.empty(), !c.imageAbsente && c.arret != Arret::ErreurSignalee);
        if (c.imageAbsente) {
            EXPECT_EQ(bilan.iNoObjet, 1);
            ASSERT_EQ(bilan.messages.size(), 1u);
            EXPECT_NE(bilan.messages[0].find("Code : 53"), std::string::npos);
        }
        if (c.idZoom != 0) {
            EXPECT_DOUBLE_EQ(bilan.idZoom, c.idZoom);
        }
        if (c.idCorrecHorizontal != 0) {
            EXPECT_DOUBLE_EQ(bilan.idCorrecHorizontal, c.idCorrecHorizontal);
        }
        EXPECT_EQ(surface.FontName(), U"Courier");
        EXPECT_EQ(surface.Width(), 0);
        EXPECT_FALSE(api::formulaire(plan).TracPlanOCX1.ibAbandon);
    }
    EXPECT_TRUE(plateforme->imprimanteQt().destinations().isEmpty());
    EXPECT_EQ(imprimante.Orientation(), Imprimante::Portrait);
    EXPECT_EQ(imprimante.FontName(), U"Courier");
    EXPECT_EQ(Html::GetCheminHtml(plateforme->systeme()), page);
    EXPECT_TRUE(std::filesystem::is_empty(dossier.chemin()));
    EXPECT_TRUE(std::filesystem::is_empty(temporaire.chemin()));
    setenv("TMPDIR", tmpdir.c_str(), 1);
}

// A clock a second further on at every reading: no pass is dropped for coming too soon, so a
// pass that starts another one shows as a stream of passes.
class HorlogeRapide : public Chronometre {
  public:
    float Timer() override { return secondes_ += 1; }

  private:
    float secondes_ = 0;
};

class PlateformeRapide : public PlateformeQt {
  public:
    Chronometre& chronometre() override { return horloge_; }

  private:
    HorlogeRapide horloge_;
};

// What one case does in the open viewer, and what it sees.
struct ActionVue {
    const char* nom;
    std::function<void(QWidget& fenetre, TracPlanOCX& ctl)> action;
};

QWidget& zoneDe(QWidget& fenetre) {
    auto* zone = fenetre.findChild<QWidget*>(QStringLiteral("TracPlanOCX1"));
    if (zone == nullptr) throw std::runtime_error("no drawing area");
    return *zone;
}

QScrollBar& barreDe(QWidget& fenetre, const char* nom) {
    auto* barre = fenetre.findChild<QScrollBar*>(QString::fromLatin1(nom));
    if (barre == nullptr) throw std::runtime_error(nom);
    return *barre;
}

// A real double-click through the window system: press, release, press, release.
void doubleClic(QWidget& fenetre, Qt::MouseButton bouton) {
    const QPoint dansLaZone = zoneDe(fenetre).mapTo(&fenetre, QPoint(80, 60));
    QTest::mouseDClick(fenetre.windowHandle(), bouton, {}, dansLaZone);
    QTest::qWait(50);
}

// A turn of the wheel over the drawing, in eighths of a degree (120 a notch).
void molette(QWidget& fenetre, QPoint angle, Qt::KeyboardModifiers touches = {}) {
    QWidget& zone = zoneDe(fenetre);
    const QPointF ici(80, 60);
    QWheelEvent evenement(ici, zone.mapToGlobal(ici), {}, angle, Qt::NoButton, touches,
                          Qt::NoScrollPhase, false);
    QApplication::sendEvent(&zone, &evenement);
    QTest::qWait(20);
}

const ActionVue ActionsVue[] = {
    {"the wheel scrolls down and up a step a notch, through the bar's change",
     [](QWidget& fenetre, TracPlanOCX& ctl) {
         molette(fenetre, {0, -240});
         EXPECT_EQ(ctl.VScroll1.Value, 2);
         EXPECT_EQ(barreDe(fenetre, "VScroll1").value(), 2);
         EXPECT_EQ(ctl.ilOrigineY, -2 * ctl.ilHauteurDéfil());
         molette(fenetre, {0, 60});  // half a notch: nothing yet
         EXPECT_EQ(ctl.VScroll1.Value, 2);
         molette(fenetre, {0, 60});
         EXPECT_EQ(ctl.VScroll1.Value, 1);
         EXPECT_EQ(ctl.HScroll1.Value, 0);
         EXPECT_DOUBLE_EQ(ctl.idZoom, 0.8);
     }},
    {"the wheel across, or with Shift, scrolls across",
     [](QWidget& fenetre, TracPlanOCX& ctl) {
         molette(fenetre, {-120, 0});
         EXPECT_EQ(ctl.HScroll1.Value, 1);
         molette(fenetre, {0, -120}, Qt::ShiftModifier);
         EXPECT_EQ(ctl.HScroll1.Value, 2);
         EXPECT_EQ(ctl.ilOrigineX, -2 * ctl.ilLargeurDéfil());
         EXPECT_EQ(ctl.VScroll1.Value, 0);
     }},
    {"Ctrl and the wheel zoom as the + and - buttons do",
     [](QWidget& fenetre, TracPlanOCX& ctl) {
         molette(fenetre, {0, 120}, Qt::ControlModifier);
         EXPECT_DOUBLE_EQ(ctl.idZoom, 0.8 * 1.2);
         molette(fenetre, {0, -240}, Qt::ControlModifier);
         EXPECT_DOUBLE_EQ(ctl.idZoom, 0.8 * 1.2 / 1.2 / 1.2);
         EXPECT_EQ(ctl.VScroll1.Value, 0);
     }},
    {"a left double-click zooms out once",
     [](QWidget& fenetre, TracPlanOCX& ctl) {
         doubleClic(fenetre, Qt::LeftButton);
         EXPECT_DOUBLE_EQ(ctl.idZoom, 0.8 / 1.2);
     }},
    {"a middle double-click zooms in once",
     [](QWidget& fenetre, TracPlanOCX& ctl) {
         doubleClic(fenetre, Qt::MiddleButton);
         EXPECT_DOUBLE_EQ(ctl.idZoom, 0.8 * 1.2);
     }},
    {"dragging the bar scrolls once, when the thumb is let go",
     [](QWidget& fenetre, TracPlanOCX& ctl) {
         QScrollBar& barre = barreDe(fenetre, "HScroll1");
         ASSERT_GE(barre.maximum(), 3);
         barre.setSliderDown(true);
         barre.setSliderPosition(2);
         barre.setSliderPosition(3);
         QTest::qWait(20);
         EXPECT_EQ(ctl.ilOrigineX, 0);
         EXPECT_EQ(ctl.HScroll1.Value, 0);
         barre.setSliderDown(false);
         QTest::qWait(20);
         EXPECT_EQ(ctl.HScroll1.Value, 3);
         EXPECT_EQ(ctl.ilOrigineX, -3 * ctl.ilLargeurDéfil());
     }},
    {"a maximum below the value pushes the value down and scrolls",
     [](QWidget& fenetre, TracPlanOCX& ctl) {
         QScrollBar& barre = barreDe(fenetre, "VScroll1");
         const int maximum = barre.maximum();
         ASSERT_GE(maximum, 4);
         barre.setValue(maximum);
         QTest::qWait(20);
         ASSERT_EQ(ctl.VScroll1.Value, maximum);
         auto* moins = fenetre.findChild<QPushButton*>(QStringLiteral("cmdZoom1"));
         for (int i = 0; i < 3; ++i)
             QTest::mouseClick(moins, Qt::LeftButton);
         QTest::qWait(50);
         ASSERT_LT(ctl.VScroll1.Max, maximum);
         EXPECT_EQ(ctl.VScroll1.Value, ctl.VScroll1.Max);
         EXPECT_EQ(barre.value(), ctl.VScroll1.Max);
         EXPECT_EQ(ctl.ilOrigineY, -ctl.VScroll1.Max * ctl.ilHauteurDéfil());
     }},
    {"a pass's own repaint starts no pass",
     [](QWidget& fenetre, TracPlanOCX& ctl) {
         int passes = 0;
         ctl.progression = [&](std::int32_t fait, std::int32_t total) {
             if (fait == total) ++passes;
         };
         zoneDe(fenetre).update();
         QTest::qWait(300);
         ctl.progression = nullptr;
         EXPECT_EQ(passes, 1);
     }},
    {"a pass that changed nothing on screen leaves the next repaint its own pass",
     [](QWidget& fenetre, TracPlanOCX& ctl) {
         int passes = 0;
         ctl.progression = [&](std::int32_t fait, std::int32_t total) {
             if (fait == total) ++passes;
         };
         for (int i = 0; i < 2; ++i) {
             zoneDe(fenetre).update();
             QTest::qWait(300);
         }
         ctl.progression = nullptr;
         EXPECT_EQ(passes, 2);
     }},
};

TEST(VueMontrePlan, EachUserActionReachesTheModelOnce) {
    for (const ActionVue& cas : ActionsVue) {
        SCOPED_TRACE(cas.nom);
        TracPlanDLL plan(std::make_shared<PlateformeRapide>());
        plan.Initialise({.psFont = "Arial"});
        // Far larger than the window, so that both bars can move.
        plan.NewCadreTexte(10, 10, {.piBas = 40, .piDroite = 120, .psText = "Lundi"});
        plan.NewCadreTexte(900, 1200, {.piBas = 950, .piDroite = 1300, .psText = "Fin"});
        TracPlanOCX& ctl = api::formulaire(plan).TracPlanOCX1;
        quandLaFenetreEstOuverte([&](QWidget& fenetre) {
            EXPECT_EQ(ctl.idZoom, 0.8);
            cas.action(fenetre, ctl);
            QTest::keyClick(&zoneDe(fenetre), Qt::Key_Escape);
        });
        plan.Show();
    }
}

}  // namespace

// The toolkit's standard buttons speak French, as the component's own texts do.
TEST(VueMontrePlan, StandardButtonsReadInFrench) {
    ASSERT_TRUE(installeTraductions()) << "Qt's French translations are not installed";
    QMessageBox boite(QMessageBox::Question, QStringLiteral("t"), QStringLiteral("?"),
                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const auto texte = [&](QMessageBox::StandardButton b) {
        return boite.button(b)->text().remove(QLatin1Char('&'));
    };
    EXPECT_EQ(texte(QMessageBox::Yes), QStringLiteral("Oui"));
    EXPECT_EQ(texte(QMessageBox::No), QStringLiteral("Non"));
    EXPECT_EQ(texte(QMessageBox::Cancel), QStringLiteral("Annuler"));
}

TEST(VueMontrePlan, OnlyThePixelsAPassChangedAreRepainted) {
    QImage blanche(40, 30, QImage::Format_ARGB32_Premultiplied);
    blanche.fill(Qt::white);
    const auto avec = [&](std::initializer_list<QPoint> points) {
        QImage image = blanche.copy();
        for (const QPoint& p : points)
            image.setPixel(p, qRgb(0, 0, 0));
        return image;
    };
    const struct {
        const char* nom;
        QImage avant;
        QImage apres;
        QRect attendu;
    } cas[] = {
        {"nothing changed", blanche, blanche.copy(), QRect()},
        {"one pixel", blanche, avec({{5, 7}}), QRect(5, 7, 1, 1)},
        {"two corners of a rectangle", blanche, avec({{10, 1}, {2, 3}}), QRect(2, 1, 9, 3)},
        {"the last column and row", blanche, avec({{39, 29}}), QRect(39, 29, 1, 1)},
        {"the first column and row", blanche, avec({{0, 0}}), QRect(0, 0, 1, 1)},
        {"nothing shown before", QImage(), blanche, blanche.rect()},
        {"another size", blanche, QImage(41, 30, blanche.format()), QRect(0, 0, 41, 30)},
        {"another format", blanche, blanche.convertToFormat(QImage::Format_RGB32), blanche.rect()},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        EXPECT_EQ(regionChangee(c.avant, c.apres), c.attendu);
    }
}

}  // namespace vitrail::qt

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
