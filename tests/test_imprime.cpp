// The render pass: when it runs at all, its targets, and how it ends. What it draws is pinned by
// the golden files.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <new>
#include <stdexcept>
#include <tuple>

#include "Controle.hpp"
#include "Fichiers.hpp"
#include "html/Html.hpp"
#include "support/RapportErreur.hpp"

namespace vitrail {
namespace {

const Texte MessageErreur482 =
    U"Erreur lors du lancement de l'écran de choix de l'imprimante. Vérifiez que votre "
    U"imprimante est correctement définie\r\n\r\nErr. N°482 : ''Erreur d'imprimante''\r\n\r\n"
    U"Souhaitez_vous réessayer d'exécuter l'instruction qui a généré une erreur ?";

struct Passe : ::testing::Test, test::Controle {
    Passe() {
        ctl.Initialise({.psFont = U"Arial"});
        ctl.NewCadreTexte(
            {.piHaut = 10, .piGauche = 10, .piBas = 30, .piDroite = 60, .psText = U"Lundi"});
        ctl.NewCadreTexte(
            {.piHaut = 40, .piGauche = 10, .piBas = 60, .piDroite = 60, .psText = U"Mardi"});
    }
    long effacements() {
        return std::count(surface().appels.begin(), surface().appels.end(), "Cls");
    }
    std::vector<Texte> textes() {
        std::vector<Texte> t;
        for (const auto& m : messages())
            t.push_back(m.texte);
        return t;
    }
};

TEST_F(Passe, NoPassWithoutFramesWhileAbandonedOrWhileAPrinterPassRuns) {
    ctl.ibAbandon = true;
    EXPECT_FALSE(ctl.Imprime({.piTypeImpression = 2}));
    ctl.ibAbandon = false;
    ctl.ibPrinting = true;
    EXPECT_FALSE(ctl.Imprime({.pbForceTracé = true}));
    ctl.ibPrinting = false;
    ctl.ioCadres->clear();
    EXPECT_FALSE(ctl.Imprime());
    EXPECT_EQ(effacements(), 0);
    EXPECT_EQ(ctl.ilTypeImpression, 0);
}

TEST_F(Passe, ScreenPassesWithinATenthOfASecondAreDroppedUnlessForced) {
    plateforme.horloge.maintenant = 100;
    EXPECT_TRUE(ctl.Imprime());
    plateforme.horloge.maintenant = 100.05f;
    EXPECT_FALSE(ctl.Imprime());
    EXPECT_TRUE(ctl.Imprime({.pbForceTracé = true}));
    EXPECT_EQ(effacements(), 2);
    // The timer wraps at midnight: a negative difference counts as time passed.
    ctl.ivDernierTracé = 86399.98f;
    plateforme.horloge.maintenant = 0.01f;
    EXPECT_TRUE(ctl.Imprime());
}

TEST_F(Passe, AControlLowerThanItsBarShowsItsSizesAndStillDraws) {
    // Sizes are read in single precision and written with its seven digits.
    surface().hauteur = 100.0 / 3;
    surface().largeur = 12000 + 1.0 / 3;
    ctl.HScroll1.Height = 330 + 1.0 / 3;
    ctl.VScroll1.Width = 250 + 1.0 / 3;
    EXPECT_TRUE(ctl.Imprime());
    EXPECT_EQ(messages(),
              (std::vector<Message>{Message{U"UserControl.Height = 33.33333\r\n"
                                            U"UserControl.Width = 12000.33\r\n"
                                            U"HScroll1.Height = 330.3333\r\n"
                                            U"VScroll1.Width = 250.3333\r\n"
                                            U"idCorrecHorizontal  = 52.3514862060547\r\n"
                                            U"idCorrecVertical  = -1.67275857925415",
                                            Boutons::OK, Icone::Aucune, std::nullopt}}));
    EXPECT_FALSE(ctl.ivDernierTracé.estVide());  // drawn to the end at that scale
}

TEST_F(Passe, ASetUpThatFailsEndsThePassWithItsOwnReportOnly) {
    struct Cas {
        ArgumentsImprime arguments;
        bool resultat;
        Texte rapport;
    };
    test::DossierTemporaire dossier;
    Html::SetCheminHtml(depuisUtf8((dossier / "absent" / "p.htm").string()));
    const std::vector<Cas> tableau{
        // The printer set-up reports it itself: the pass ends without a word of its own.
        {{.piTypeImpression = 2, .psPaperSize = U"A5"}, true, U"ParamètrePrinter"},
        {{.piTypeImpression = 3}, false, U"Imprime"},
    };
    for (const Cas& cas : tableau) {
        messages().clear();
        ctl.ibAbandon = false;
        EXPECT_EQ(ctl.Imprime(cas.arguments), cas.resultat);
        ASSERT_EQ(messages().size(), 1u) << versUtf8(cas.rapport);
        EXPECT_NE(messages()[0].texte.find(U"module : " + cas.rapport + U"'"), Texte::npos);
        EXPECT_TRUE(ctl.ibAbandon);
        EXPECT_EQ(effacements(), 0);
    }
    EXPECT_TRUE(plateforme.imprimante().documents.empty());
    Html::SetCheminHtml(U"");
}

TEST_F(Passe, EachCopyIsADocumentOfItsOwnAndThePrinterIsGivenBack) {
    plateforme.imprimante().orientation = Imprimante::Portrait;
    plateforme.interaction.copies = {3};
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2}));
    const auto& imprimante = plateforme.imprimante();
    ASSERT_EQ(imprimante.documents.size(), 3u);
    for (const auto& document : imprimante.documents)
        EXPECT_EQ(document.back(), "NewPage");
    // Set up once, then again for each copy, then given back.
    EXPECT_EQ(std::count(imprimante.appels.begin(), imprimante.appels.end(), "Orientation 2"), 4);
    EXPECT_EQ(imprimante.orientation, Imprimante::Portrait);
    EXPECT_EQ(plateforme.interaction.dialoguesImprimante, std::vector<std::int32_t>{1048588});
    EXPECT_FALSE(ctl.ibPrinting);

    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2, .pbPromptPrinter = false}));
    EXPECT_EQ(imprimante.documents.size(), 4u);  // no dialog: one copy
}

// A printer pass that ends before its last document: how it ends, what it says.
struct FinAnticipee {
    const char* nom;
    std::function<void(Passe&)> prepare;
    bool resultat;
    std::vector<Texte> messages;
    bool jette = false;  // the pass is left by an exception
};

void PrintTo(const FinAnticipee& fin, std::ostream* os) {
    *os << fin.nom;
}

struct ImpressionInterrompue : Passe, ::testing::WithParamInterface<FinAnticipee> {};

TEST_P(ImpressionInterrompue, SendsNothingAndGivesTheScreenItsScaleBack) {
    ASSERT_TRUE(ctl.Imprime());
    // The user zoomed and scrolled in the viewer, then pressed print.
    ctl.idZoom *= 1.2;
    ctl.ilOrigineX = -2000;
    ctl.ilOrigineY = -1000;
    const auto ecran = [&] {
        return std::tuple(ctl.idCorrecHorizontal, ctl.idCorrecVertical, ctl.idZoomDefaut,
                          ctl.idZoom, ctl.ilOrigineX, ctl.ilOrigineY);
    };
    const auto avant = ecran();
    GetParam().prepare(*this);
    plateforme.horloge.maintenant += 1;
    const ArgumentsImprime impression{
        .piTypeImpression = 2, .pbAlsoScreen = true, .psOrientation = U"Portrait"};
    if (GetParam().jette) {
        EXPECT_ANY_THROW(ctl.Imprime(impression));
    } else {
        EXPECT_EQ(ctl.Imprime(impression), GetParam().resultat);
    }
    EXPECT_EQ(textes(), GetParam().messages);
    auto& imprimante = plateforme.imprimante();
    EXPECT_TRUE(imprimante.documents.empty());
    EXPECT_FALSE(imprimante.documentOuvert());
    EXPECT_FALSE(ctl.ibPrinting);
    EXPECT_EQ(imprimante.orientation, Imprimante::Portrait);  // not given back
    EXPECT_EQ(ecran(), avant);

    // The next print sends its own document only.
    ctl.ibAbandon = false;
    imprimante.images[U"absent.png"] = true;
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2, .pbPromptPrinter = false}));
    EXPECT_EQ(imprimante.documents.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Passe, ImpressionInterrompue,
    ::testing::Values(
        FinAnticipee{"CancelInTheDialog",
                     [](Passe& p) { p.plateforme.interaction.copies = {std::nullopt}; },
                     true,
                     {}},
        FinAnticipee{"AFrameFails",
                     [](Passe& p) {
                         p.ctl.ioCadres->insert(p.ctl.ioCadres->begin() + 1,
                                                p.ctl.ioCadres->front());
                         (*p.ctl.ioCadres)[1].sText = U"@Picture@absent.png";
                     },
                     true,
                     {test::rapport(U"ImprimeObjet", 53), U"Impression annulée"}},
        FinAnticipee{"CancelAfterAPrinterError",
                     [](Passe& p) {
                         p.plateforme.imprimante().echecsPage = {erreurs::ErreurImprimante};
                         p.plateforme.interaction.reponses = {Reponse::Annuler};
                     },
                     false,
                     {MessageErreur482}},
        FinAnticipee{
            "AnotherError",
            [](Passe& p) { p.plateforme.imprimante().echecsPage = {erreurs::Depassement}; },
            false,
            {test::rapport(U"Imprime", 6)}},
        FinAnticipee{"AMessageBoxThrows",
                     [](Passe& p) {
                         p.ctl.ioCadres->insert(p.ctl.ioCadres->begin() + 1,
                                                p.ctl.ioCadres->front());
                         (*p.ctl.ioCadres)[1].sText = U"@Picture@absent.png";
                         // "Impression annulée": the one box outside the pass's handler.
                         p.plateforme.interaction.jetteAuMessage = 2;
                     },
                     false,
                     {test::rapport(U"ImprimeObjet", 53), U"Impression annulée"},
                     true}),
    [](const auto& ligne) { return std::string(ligne.param.nom); });

TEST_F(Passe, PrinterErrorYesRunsTheStatementAgainNoGoesOn) {
    plateforme.imprimante().echecsLecture = {erreurs::ErreurImprimante, erreurs::ErreurImprimante};
    plateforme.interaction.reponses = {Reponse::Oui, Reponse::Non};
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2}));
    ASSERT_EQ(messages().size(), 2u);
    EXPECT_EQ(messages()[0], (Message{MessageErreur482, Boutons::OuiNonAnnuler, Icone::Critique,
                                      U"Erreur d'imprimante lors de l'essai d'impression"}));
    EXPECT_EQ(plateforme.imprimante().documents.size(), 1u);

    // 484: told, then printed anyway, and the printer is not given back.
    messages().clear();
    plateforme.imprimante().orientation = Imprimante::Portrait;
    plateforme.imprimante().echecsLecture = {erreurs::InfoImprimante};
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 2}));
    EXPECT_EQ(messages(), std::vector<Message>{MessageErreurImprimante()});
    EXPECT_EQ(plateforme.imprimante().documents.size(), 2u);
    EXPECT_EQ(plateforme.imprimante().orientation, Imprimante::Paysage);
}

TEST_F(Passe, AFrameThatFailsStopsThePassBeforeTheNextOne) {
    ctl.Release();
    ctl.NewCadreImage(U"absent.png", 0, 0, 10, 10);
    ctl.NewCadreTexte({.piHaut = 10, .piGauche = 10, .psText = U"Lundi"});
    EXPECT_TRUE(ctl.Imprime());
    EXPECT_EQ(textes(),
              (std::vector<Texte>{test::rapport(U"ImprimeObjet", 53), U"Impression annulée"}));
    EXPECT_EQ(messages()[1].titre, U"Imprimer le planning");
    EXPECT_TRUE(ctl.ivDernierTracé.estVide());
    EXPECT_EQ(std::count_if(surface().appels.begin(), surface().appels.end(),
                            [](const std::string& a) { return a.rfind("Print", 0) == 0; }),
              0);

    ctl.ibAbandon = false;
    messages().clear();
    ctl.ioCadres->resize(40000, ctl.ioCadres->back());  // more than an Integer counts
    EXPECT_FALSE(ctl.Imprime({.pbForceTracé = true}));
    EXPECT_EQ(textes(), std::vector<Texte>{test::rapport(U"Imprime", 6)});
}

TEST(Instructions, AFailureThatIsNotANumberedErrorReachesTheHandlerAsOne) {
    std::vector<ErreurExecution> recues;
    Instructions pas([&](const ErreurExecution& e) {
        recues.push_back(e);
        return Suite::Reprendre;
    });
    pas([] { throw std::bad_alloc(); });
    pas([] { throw std::runtime_error("toolkit"); });
    ASSERT_EQ(recues.size(), 2u);
    EXPECT_EQ(recues[0].numero(), erreurs::MemoireInsuffisante);
    EXPECT_EQ(recues[1].numero(), erreurs::ErreurInterne);
    EXPECT_EQ(recues[1].description(), descriptionErreur(erreurs::ErreurInterne) + U" : toolkit");
    EXPECT_FALSE(pas.termine());
}

struct PasseHtml : Passe {
    test::DossierTemporaire dossier;
    std::filesystem::path page = dossier / "planning.htm";
    PasseHtml() { Html::SetCheminHtml(depuisUtf8(page.string())); }
};

TEST_F(PasseHtml, AnExportStoppedHalfWayLeavesThePreviousPageAndTheFileClosed) {
    test::ecrit(page, "ancienne page");
    // Too wide for the page's 16-bit sizes: reported, and the pass is cancelled.
    ctl.ioCadres->front().iDroite = 1e5;
    EXPECT_TRUE(ctl.Imprime({.piTypeImpression = 3}));
    EXPECT_EQ(textes(),
              (std::vector<Texte>{test::rapport(U"ImprimeObjet", 6), U"Impression annulée"}));
    EXPECT_EQ(test::contenu(page), "ancienne page");
    EXPECT_EQ(dossier.nombreFichiers(), 1u);

    ctl.ibAbandon = false;
    ctl.ioCadres->front().iDroite = 60;
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 3}));
    EXPECT_EQ(test::contenu(page).rfind("<html>\r\n", 0), 0u);

    // A picture leaves no trace in the page, even one that would not load.
    ctl.NewCadreImage(U"absent.png", 0, 0, 10, 10);
    messages().clear();
    ASSERT_TRUE(ctl.Imprime({.piTypeImpression = 3, .pbForceTracé = true}));
    EXPECT_EQ(messages().size(), 1u);  // the page is ready
}

}  // namespace
}  // namespace vitrail
