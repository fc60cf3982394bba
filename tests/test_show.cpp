#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <thread>
#include <tuple>
#include <utility>

#include "Fichiers.hpp"
#include "api/AccesInterne.hpp"
#include "doubles/PlateformeFactice.hpp"
#include "html/Html.hpp"
#include "viewer/MontrePlan.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace vitrail {
namespace {

struct Show : ::testing::Test {
    std::shared_ptr<test::PlateformeFactice> plateforme =
        std::make_shared<test::PlateformeFactice>();
    TracPlanDLL plan{plateforme};
    test::DossierTemporaire dossier;

    void planning() {
        plan.Initialise({.psScreenCaption = "Semaine 49"});
        plan.NewCadreTexte(10, 10, {.piBas = 50, .piDroite = 150, .psText = "Lundi"});
    }
    TracPlanOCX& ctl() { return api::formulaire(plan).TracPlanOCX1; }
    std::string html() {
        const std::string page = (dossier / "p.htm").string();
        std::filesystem::remove(page);
        plan.Show({.piTypeImpression = eiTypeSortieHTML, .psChemin = page});
        return test::contenu(page);
    }
};

TEST_F(Show, InitialiseResetsWhatItDoesNotNameAndFramesKeepTheirNamedArguments) {
    EXPECT_EQ(plan.piScreenTop(), 0);  // before any Initialise
    plan.Initialise({.psFont = "Arial", .piScreenTop = 100});
    EXPECT_EQ(plan.piScreenTop(), 100);
    plan.NewCadreTexte(10, 20,
                       {.piBas = 30,
                        .psText = "Réunion <b>équipe</b>",
                        .pbFontBold = true,
                        .pbFontItalic = "False",
                        .pbFontUnderline = 1});
    plan.Cls();
    plan.Initialise({.piFontSize = 12});
    EXPECT_EQ(plan.piScreenTop(), -1);
    EXPECT_EQ(plan.psScreenCaption(), "Vitrail, édition du planning");
    const CadreDef& texte = ctl().ioCadres->at(0);
    EXPECT_EQ(texte.sText, U"Réunion <b>équipe</b>");
    EXPECT_EQ(texte.bFontBold, Variant(true));
    EXPECT_FALSE(texte.bFontItalic);
    EXPECT_TRUE(texte.bFontUnderline);
}

TEST_F(Show, InvalidUtf8IsAClearErrorAndStoresNothing) {
    plan.Initialise();
    try {
        plan.NewCadreTexte(0, 0, {.psText = "caf\xE9"});
        FAIL() << "no error";
    } catch (const Erreur& e) {
        EXPECT_NE(std::string(e.what()).find("psText"), std::string::npos);
    }
    EXPECT_THROW(plan.Initialise({.psFont = "\xFF"}), Erreur);
    EXPECT_EQ(ctl().reglages.psFont, U"Times New Roman");
    EXPECT_EQ(ctl().ilNbCadres, 0);
}

TEST_F(Show, TheViewerShowsThePlanningThenItIsGoneButTheClassKeepsItsSettings) {
    planning();
    plan.Show();
    ASSERT_EQ(plateforme->fenetres.size(), 1u);
    EXPECT_EQ(plateforme->fenetres[0].caption, U"Semaine 49");
    EXPECT_TRUE(plateforme->fenetres[0].fermee);
    plan.NewCadreTexte(0, 0);
    EXPECT_EQ(ctl().ioCadres->front().iNoObjet, 1);
    EXPECT_EQ(plan.psScreenCaption(), "Semaine 49");
}

TEST_F(Show, OldTargetsAreNormalisedInTheCallersVariableAndUnknownOnesShowNothing) {
    // On the screen the orientation and paper size wait for the viewer's print button.
    plateforme->scenario = [](MontrePlan& f) {
        f.Form_Resize(12100, 9400);
        f.visionneuse.cmdZoom_Click(Visionneuse::Imprimer);
    };
    for (const auto& [orientation, papier, format] :
         {std::tuple{"Portrait", "A4", std::pair<std::int16_t, std::int16_t>{1, 9}},
          {"Landscape", "A3", {2, 8}}}) {
        planning();
        ArgumentsShow ecran{.piTypeImpression = eiTypeSortieEcranOld,
                            .psOrientation = orientation,
                            .psPaperSize = papier};
        plan.Show(ecran);
        EXPECT_EQ(ecran.piTypeImpression, eiTypeSortieEcran);
        ASSERT_FALSE(plateforme->imprimante().formats.empty()) << orientation;
        EXPECT_EQ(plateforme->imprimante().formats.back(), format) << orientation;
    }
    plateforme->fenetres.clear();
    plateforme->imprimante().documents.clear();

    planning();
    ArgumentsShow imprimante{.piTypeImpression = eiTypeSortieImprimanteOld,
                             .pbPromptPrinter = false};
    plan.Show(imprimante);
    EXPECT_EQ(imprimante.piTypeImpression, eiTypeSortieImprimante);
    EXPECT_EQ(plateforme->imprimante().documents.size(), 1u);
    EXPECT_TRUE(plateforme->fenetres.empty());

    planning();
    plan.Show({.piTypeImpression = static_cast<eTypeSortie>(4)});
    EXPECT_TRUE(plateforme->fenetres.empty());
    EXPECT_FALSE(ctl().ioCadres.has_value());
}

TEST_F(Show, TheWindowIsPlacedOnlyWhenAllFourValuesAreGiven) {
    plan.Initialise(
        {.piScreenTop = 100, .piScreenLeft = 200, .piScreenHeight = 6000, .piScreenWidth = 8000});
    plan.Show();
    const auto placement = plateforme->fenetres.back().placement;
    ASSERT_TRUE(placement.has_value());
    EXPECT_EQ(placement->Left, 200);
    EXPECT_EQ(placement->Width, 8000);
    for (int absent = 0; absent < 4; ++absent) {
        std::array<std::int16_t, 4> v{100, 200, 6000, 8000};
        v[static_cast<std::size_t>(absent)] = -1;
        plan.Initialise({.piScreenTop = v[0],
                         .piScreenLeft = v[1],
                         .piScreenHeight = v[2],
                         .piScreenWidth = v[3]});
        plan.Show();
        EXPECT_FALSE(plateforme->fenetres.back().placement.has_value()) << absent;
    }
}

TEST_F(Show, NoDisplayIsAClearErrorAndThePlanningStays) {
    planning();
    plateforme->sansEcran = true;
    EXPECT_THROW(plan.Show(), Erreur);
    EXPECT_NE(html().find("Lundi"), std::string::npos);
}

TEST_F(Show, DebordementsListsTheTextsThatDoNotFitAndKeepsThePlanning) {
    plan.Initialise({.pdMinFontSize = 8});
    plan.NewCadreTexte(10, 10, {.piBas = 50, .piDroite = 150, .psText = "Lundi"});
    plan.NewCadreTexte(60, 10, {.piBas = 62, .piDroite = 150, .psText = "trop haut"});
    plan.NewCadreTexte(70, 10,
                       {.piBas = 75, .piDroite = 20, .psText = "un deux trois", .piFontSize = 7});
    const std::vector<Debordement> d = plan.Debordements();
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].iNoObjet, 2);
    EXPECT_TRUE(d[0].auPlancher);
    EXPECT_EQ(d[0].lignesPerdues, 1);
    EXPECT_EQ(d[1].iNoObjet, 3);  // given below the floor: drawn as given, lines dropped
    EXPECT_FALSE(d[1].auPlancher);
    EXPECT_EQ(d[1].taille, 6);  // 7 at the viewer's zoom 0.8
    EXPECT_EQ(d[1].lignesPerdues, 2);
}

TEST_F(Show, AFrameThatFailsInTheCheckDoesNotStopTheNextShow) {
    planning();
    plan.NewCadreImage("absent.png", 60, 10, 80, 40);
    plan.Debordements();
    ASSERT_EQ(plateforme->interaction.messages.size(), 1u);  // the missing picture, told once
    EXPECT_NE(html().find("Lundi"), std::string::npos);
}

TEST_F(Show, AnotherThreadCanNeitherUseNorMakeAnObject) {
    planning();
    std::thread([&] {
        EXPECT_THROW(plan.NewCadreTexte(60, 10, {.psText = "Autre"}), ErreurThread);
        EXPECT_THROW(plan.Show({.piTypeImpression = eiTypeSortieHTML}), ErreurThread);
        EXPECT_THROW(TracPlanDLL{plateforme}, ErreurThread);
    }).join();
    EXPECT_EQ(ctl().ioCadres->size(), 1u);
    EXPECT_NE(html().find("Lundi"), std::string::npos);
}

}  // namespace
}  // namespace vitrail

namespace vitrail {
namespace {

// What the host learns of a Show: each failure with its member and frame, whether the passes
// went through, and where the output went.
TEST_F(Show, TheLastShowTellsWhatFailedInWhichFrameAndWhetherThePassWentThrough) {
    plan.Initialise();
    plan.NewCadreTexte(10, 10, {.piBas = 50, .piDroite = 150, .psText = "Lundi"});
    // Kept as given, it is read when the frame is drawn, and does not read as a Boolean.
    plan.NewCadreTexte(60, 10, {.piBas = 90, .psText = "Gras ?", .pbFontBold = "peut-être"});
    plan.NewCadreTexte(100, 10, {.piBas = 140, .piDroite = 150, .psText = "Mardi"});
    EXPECT_EQ(plan.NombreCadres(), 3u);
    const std::string page = (dossier / "p.htm").string();
    plan.Show({.piTypeImpression = eiTypeSortieHTML, .psChemin = page});
    const BilanShow echec = plan.DernierShow();
    ASSERT_EQ(echec.rapports.size(), 1u);
    EXPECT_EQ(echec.nombreRapports, 1u);
    const Rapport& r = echec.rapports[0];
    EXPECT_EQ(r.numero, 13);
    EXPECT_EQ(r.procedure, "ImprimeObjet");
    EXPECT_EQ(r.iNoObjet, 2);
    // The same words as the message box the user saw.
    const std::string boite = versUtf8(plateforme->interaction.messages.at(0).texte);
    EXPECT_NE(boite.find("Description : " + r.description), std::string::npos) << boite;
    EXPECT_FALSE(r.description.empty());
    EXPECT_EQ(echec.passes, 1);
    EXPECT_FALSE(echec.complet);
    EXPECT_TRUE(echec.destinations.empty());
    EXPECT_EQ(plan.ErreursSignalees(), 1);

    planning();
    plan.Show({.piTypeImpression = eiTypeSortieHTML, .psChemin = page});
    const BilanShow reussi = plan.DernierShow();
    EXPECT_TRUE(reussi.rapports.empty());
    EXPECT_EQ(reussi.passes, 1);
    EXPECT_TRUE(reussi.complet);
    EXPECT_EQ(reussi.destinations, std::vector<std::string>{page});
    EXPECT_EQ(plan.ErreursSignalees(), 1);  // counted since the object was made
}

TEST_F(Show, APrinterDialogCancelledIsAPassThatDidNotGoThrough) {
    planning();
    plateforme->interaction.copies = {std::nullopt};
    plan.Show({.piTypeImpression = eiTypeSortieImprimante});
    EXPECT_EQ(plan.DernierShow().passes, 1);
    EXPECT_FALSE(plan.DernierShow().complet);
    EXPECT_TRUE(plan.DernierShow().rapports.empty());
}

// Without message boxes: preset answers first (skipped when the box does not offer them), then
// the host's callback; the platform's own dialogs see nothing.
TEST_F(Show, SansDialoguesAnswersInPlaceOfTheUser) {
    plateforme->systeme().fichiers.insert(U"C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE");
    std::vector<Question> posees;
    std::ostringstream journal;
    plan.SansDialogues({.reponses = {Reponse::Annuler},
                        .question =
                            [&](const Question& q) {
                                posees.push_back(q);
                                return Reponse::Oui;
                            },
                        .journal = &journal});
    planning();
    const std::string page = (dossier / "p.htm").string();
    plan.Show({.piTypeImpression = eiTypeSortieHTML, .psChemin = page});
    ASSERT_EQ(posees.size(), 1u);
    EXPECT_EQ(posees[0].boutons, Boutons::OuiNon);
    EXPECT_EQ(posees[0].icone, Icone::Question);
    EXPECT_NE(posees[0].texte.find(page), std::string::npos);
    EXPECT_EQ(plateforme->systeme().lances.size(), 1u);  // the answer Yes opened the page
    EXPECT_TRUE(plateforme->interaction.messages.empty());
    EXPECT_NE(journal.str().find(" -> Oui"), std::string::npos) << journal.str();

    // A callback answer the box does not offer takes the default instead.
    plan.SansDialogues({.question = [](const Question&) { return Reponse::Annuler; }});
    planning();
    plan.Show({.piTypeImpression = eiTypeSortieHTML, .psChemin = page});
    EXPECT_EQ(plateforme->systeme().lances.size(), 1u);
}

}  // namespace
}  // namespace vitrail

namespace vitrail {
namespace {

// Frame texts and the caption go into the page as markup unless the host asks for escaping,
// which leaves the style tags alone.
TEST_F(Show, EscapingTheHtmlIsTheHostsChoice) {
    const struct {
        bool echappe;
        std::vector<std::string> presents, absents;
    } lignes[] = {
        {false,
         {"<img&nbspsrc=x&nbsponerror=alert(1)>", "<title><script>t</script></title>", "A&B"},
         {"&lt;"}},
        {true,
         {"&lt;img&nbspsrc=x&nbsponerror=alert(1)&gt;", "&amp;B&nbsp&quot;c&quot;&nbsp&#39;d&#39;",
          "<b>gras</b>", "<title>&lt;script&gt;t&lt;/script&gt;</title>"},
         {"<img", "<script>"}},
    };
    for (const auto& ligne : lignes) {
        plan.EchappeHtml(ligne.echappe);
        plan.Initialise({.psFieldSeparator = "|", .psScreenCaption = "<script>t</script>"});
        plan.NewCadreTexte(10, 10,
                           {.piBas = 200,
                            .piDroite = 900,
                            .psText = "<img src=x onerror=alert(1)>|A&B \"c\" 'd' <b>gras</b>"});
        const std::string page = html();
        for (const std::string& texte : ligne.presents)
            EXPECT_NE(page.find(texte), std::string::npos) << ligne.echappe << ' ' << texte;
        for (const std::string& texte : ligne.absents)
            EXPECT_EQ(page.find(texte), std::string::npos) << ligne.echappe << ' ' << texte;
    }
}

}  // namespace
}  // namespace vitrail
