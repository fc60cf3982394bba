// The C interface, on the real library under the off-screen platform.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "Fichiers.hpp"
#include "vitrail/vitrail.h"

namespace {

const double R = VITRAIL_DEFAUT_REEL;
constexpr int32_t E = VITRAIL_DEFAUT_ENTIER;
constexpr auto npos = std::string::npos;

// Every argument at its marker, so that a test names only what it gives.
struct Reglages {
    double piDrawWidth = R;
    int32_t piFillColor = E, piFillStyle = E;
    const char* psFont = nullptr;
    int32_t piFontSize = E, pbFontBold = E, pbFontItalic = E, pbFontStrikethru = E,
            pbFontUnderline = E, pbFontTransparent = E, plFontColor = E;
    const char* psAligne = nullptr;
    int32_t plCouleurTrait = E, plCouleurFond = E;
    const char *psFieldSeparator = nullptr, *psReplaceCHR13 = nullptr;
    int32_t piMargeEnPourcent = E, piNbMiniLettresDunMot = E, piScreenTop = E, piScreenLeft = E,
            piScreenHeight = E, piScreenWidth = E;
    const char* psScreenCaption = nullptr;
    double pdMinFontSize = R;
};

struct Cadre {
    double piHaut = 0, piGauche = 0, piBas = R, piDroite = R, piDrawWidth = R;
    int32_t piFillColor = E;
    const char *psText = nullptr, *psFont = nullptr;
    int32_t piFontSize = E;
    const char *pbFontBold = nullptr, *pbFontItalic = nullptr, *pbFontStrikethru = nullptr,
               *pbFontUnderline = nullptr, *pbFontTransparent = nullptr;
    int32_t plFontColor = E;
    const char* psAligne = nullptr;
    int32_t plCouleurTrait = E;
};

int initialise(vitrail_plan* plan, const Reglages& r) {
    return vitrail_initialise(
        plan, r.piDrawWidth, r.piFillColor, r.piFillStyle, r.psFont, r.piFontSize, r.pbFontBold,
        r.pbFontItalic, r.pbFontStrikethru, r.pbFontUnderline, r.pbFontTransparent, r.plFontColor,
        r.psAligne, r.plCouleurTrait, r.plCouleurFond, r.psFieldSeparator, r.psReplaceCHR13,
        r.piMargeEnPourcent, r.piNbMiniLettresDunMot, r.piScreenTop, r.piScreenLeft,
        r.piScreenHeight, r.piScreenWidth, r.psScreenCaption, r.pdMinFontSize);
}

int cadre(vitrail_plan* plan, const Cadre& c) {
    return vitrail_new_cadre_texte(
        plan, c.piHaut, c.piGauche, c.piBas, c.piDroite, c.piDrawWidth, c.piFillColor, c.psText,
        c.psFont, c.piFontSize, c.pbFontBold, c.pbFontItalic, c.pbFontStrikethru, c.pbFontUnderline,
        c.pbFontTransparent, c.plFontColor, c.psAligne, c.plCouleurTrait);
}

class AbiC : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(vitrail_creer(&plan), VITRAIL_OK) << vitrail_derniere_erreur();
        ASSERT_EQ(vitrail_reponses_console(plan), VITRAIL_OK) << vitrail_derniere_erreur();
    }
    void TearDown() override { vitrail_detruire(plan); }

    // Roomy frames, so that no text is shrunk below its size.
    int cadre(const char* texte, Cadre c = {}) {
        c.piBas = 100;
        c.piDroite = 400;
        c.psText = texte;
        return ::cadre(plan, c);
    }

    // The planning as an HTML page; empty when the page was not written.
    std::string html() {
        const std::string chemin = (dossier / "page.htm").string();
        std::filesystem::remove(chemin);
        int32_t cible = VITRAIL_SORTIE_HTML;
        EXPECT_EQ(vitrail_show(plan, &cible, E, nullptr, nullptr, E, chemin.c_str(), nullptr),
                  VITRAIL_OK)
            << vitrail_derniere_erreur();
        return vitrail::test::contenu(chemin);
    }

    vitrail_plan* plan = nullptr;
    vitrail::test::DossierTemporaire dossier;
};

TEST_F(AbiC, ArgumentsLeftOutTakeTheSettingsAndGivenOnesWin) {
    ASSERT_EQ(
        initialise(plan,
                   {.piFillColor = 0xCCFFCC, .piFontSize = 14, .psScreenCaption = "Semaine 49"}),
        VITRAIL_OK)
        << vitrail_derniere_erreur();
    ASSERT_EQ(cadre("Lundi"), VITRAIL_OK);
    ASSERT_EQ(cadre("Mardi", {.piDrawWidth = 0, .piFillColor = 0xFFFFFF, .piFontSize = 8}),
              VITRAIL_OK);
    ASSERT_EQ(vitrail_cls(nullptr), VITRAIL_ERREUR_ARGUMENT);  // a failure for success to clear
    const std::string page = html();
    EXPECT_STREQ(vitrail_derniere_erreur(), "");
    EXPECT_NE(page.find("<title>Semaine 49</title>"), npos);
    EXPECT_NE(page.find("font-size: 14 pt"), npos);
    EXPECT_NE(page.find("font-size: 8 pt"), npos);
    const auto boite = page.find("BGCOLOR=");
    EXPECT_EQ(page.substr(boite, 15), "BGCOLOR=#CCFFCC");
    EXPECT_EQ(page.find("BGCOLOR=", boite + 1), npos) << "no border, no box";
}

TEST_F(AbiC, SixteenBitIntegersOutOfRangeAreRefusedAndChangeNothing) {
    ASSERT_EQ(initialise(plan, {.piFontSize = 14}), VITRAIL_OK);
    // 65535 would wrap to -1, the marker.
    for (const int32_t taille : {32768, -32769, 65535}) {
        EXPECT_EQ(cadre("Refusé", {.piFontSize = taille}), VITRAIL_ERREUR_ARGUMENT) << taille;
        EXPECT_NE(std::string(vitrail_derniere_erreur()).find("piFontSize"), npos);
    }
    EXPECT_EQ(initialise(plan, {.piScreenWidth = 40000, .psScreenCaption = "Autre"}),
              VITRAIL_ERREUR_ARGUMENT);
    EXPECT_NE(std::string(vitrail_derniere_erreur()).find("piScreenWidth"), npos);
    ASSERT_EQ(cadre("Mardi"), VITRAIL_OK);
    const std::string page = html();
    EXPECT_EQ(page.find("Refus"), npos);
    EXPECT_EQ(page.find("Autre"), npos);
    EXPECT_NE(page.find("font-size: 14 pt"), npos);
}

TEST_F(AbiC, ANullHandleOrARequiredArgumentLeftOutIsABadArgument) {
    int32_t cible = VITRAIL_SORTIE_HTML;
    EXPECT_EQ(vitrail_show(nullptr, &cible, E, nullptr, nullptr, E, nullptr, nullptr),
              VITRAIL_ERREUR_ARGUMENT);
    EXPECT_EQ(::cadre(nullptr, {}), VITRAIL_ERREUR_ARGUMENT);
    EXPECT_NE(std::string(vitrail_derniere_erreur()).find("plan"), npos);
    EXPECT_EQ(::cadre(plan, {.piHaut = R}), VITRAIL_ERREUR_ARGUMENT);
    EXPECT_NE(std::string(vitrail_derniere_erreur()).find("piHaut"), npos);
}

struct Posee {
    std::string texte;
    int32_t boutons, icone;
};

int32_t repondOui(void* contexte, const char* texte, const char*, int32_t boutons, int32_t icone) {
    static_cast<std::vector<Posee>*>(contexte)->push_back({texte, boutons, icone});
    return VITRAIL_REPONSE_OUI;
}

// A C host runs without message boxes, then reads what the show reported.
TEST_F(AbiC, TheLastShowReportsItsFailuresAndQuestionsGoToTheHost) {
    std::vector<Posee> posees;
    const int32_t aucune[] = {VITRAIL_REPONSE_NON};
    ASSERT_EQ(vitrail_sans_dialogues(plan, aucune, 1, 1, repondOui, &posees), VITRAIL_OK);
    ASSERT_EQ(cadre("Lundi"), VITRAIL_OK);
    ASSERT_EQ(cadre("Gras ?", {.pbFontBold = "peut-être"}), VITRAIL_OK);
    html();
    int32_t rapports = -1, passes = -1, complet = -1;
    ASSERT_EQ(vitrail_dernier_show(plan, &rapports, &passes, &complet), VITRAIL_OK);
    EXPECT_EQ(rapports, 1);
    EXPECT_EQ(passes, 1);
    EXPECT_EQ(complet, 0);
    int32_t numero = 0, noObjet = 0;
    const char* description = nullptr;
    const char* procedure = nullptr;
    ASSERT_EQ(vitrail_rapport(plan, 0, &numero, &description, &procedure, &noObjet), VITRAIL_OK);
    EXPECT_EQ(numero, 13);
    EXPECT_STREQ(procedure, "ImprimeObjet");
    EXPECT_EQ(noObjet, 2);
    // The error box went to the host (the preset No does not fit an OK box), not to the screen.
    ASSERT_FALSE(posees.empty());
    EXPECT_EQ(posees[0].icone, VITRAIL_ICONE_CRITIQUE);
    EXPECT_EQ(posees[0].boutons, VITRAIL_BOUTONS_OK);
    EXPECT_NE(posees[0].texte.find(std::string("Description : ") + description), npos);
    EXPECT_EQ(vitrail_rapport(plan, 1, &numero, nullptr, nullptr, nullptr),
              VITRAIL_ERREUR_ARGUMENT);

    ASSERT_EQ(cadre("Mardi"), VITRAIL_OK);
    html();
    ASSERT_EQ(vitrail_dernier_show(plan, &rapports, nullptr, &complet), VITRAIL_OK);
    EXPECT_EQ(rapports, 0);
    EXPECT_EQ(complet, 1);
}

TEST_F(AbiC, EscapingTheHtmlKeepsOnlyTheStyleTags) {
    ASSERT_EQ(cadre("<i>x</i><s>y"), VITRAIL_OK);
    EXPECT_NE(html().find("<s>y"), npos);
    ASSERT_EQ(vitrail_echappe_html(plan, 1), VITRAIL_OK);
    ASSERT_EQ(cadre("<i>x</i><s>y"), VITRAIL_OK);
    EXPECT_NE(html().find("<i>x</i>&lt;s&gt;y"), npos);
}

// The viewer's drawing area as each kind of file; a drawing that fails keeps the previous file.
TEST_F(AbiC, PicturesOfTheDrawingAreaInEachFormat) {
    struct Ligne {
        int32_t format;
        const char* nom;
        const char* debut;
    };
    for (const Ligne& l : {Ligne{VITRAIL_FORMAT_PNG, "p.png", "\x89PNG"},
                           Ligne{VITRAIL_FORMAT_HTML5, "p.html", "<!DOCTYPE html>"},
                           Ligne{VITRAIL_FORMAT_SVG, "p.svg", "<?xml"}}) {
        const std::string chemin = (dossier / l.nom).string();
        ASSERT_EQ(cadre("Lundi <b>matin</b>"), VITRAIL_OK);
        int32_t dessine = -1;
        ASSERT_EQ(vitrail_image(plan, l.format, chemin.c_str(), 400, 300, R, R, nullptr, nullptr,
                                &dessine),
                  VITRAIL_OK)
            << vitrail_derniere_erreur();
        EXPECT_EQ(dessine, 1) << l.nom;
        const std::string fichier = vitrail::test::contenu(chemin);
        EXPECT_EQ(fichier.rfind(l.debut, 0), 0u) << l.nom;
        if (l.format != VITRAIL_FORMAT_PNG) {
            EXPECT_NE(fichier.find("matin"), npos) << l.nom;
        }

        // A missing picture stops the drawing: nothing replaces the file.
        ASSERT_EQ(vitrail_new_cadre_image(plan, "absente.png", 1, 1, 5, 5), VITRAIL_OK);
        ASSERT_EQ(vitrail_image(plan, l.format, chemin.c_str(), 400, 300, R, R, nullptr, nullptr,
                                &dessine),
                  VITRAIL_OK);
        EXPECT_EQ(dessine, 0) << l.nom;
        EXPECT_EQ(vitrail::test::contenu(chemin), fichier) << l.nom;
    }
    EXPECT_EQ(vitrail_image(plan, 3, "x.png", 400, 300, R, R, nullptr, nullptr, nullptr),
              VITRAIL_ERREUR_ARGUMENT);

    // A picture twice as large, texts included, and the same after a first try that could
    // not be written kept the planning.
    const auto deuxFois = [&](const std::string& chemin) {
        EXPECT_EQ(cadre("Mardi"), VITRAIL_OK);
        return vitrail_image(plan, VITRAIL_FORMAT_PNG, chemin.c_str(), 400, 300, R, 2, nullptr,
                             nullptr, nullptr);
    };
    const std::string premier = (dossier / "premier.png").string();
    ASSERT_EQ(deuxFois(premier), VITRAIL_OK) << vitrail_derniere_erreur();
    const std::string png = vitrail::test::contenu(premier);
    ASSERT_GT(png.size(), 24u);
    const auto octet = [&](std::size_t i) { return static_cast<unsigned char>(png[i]); };
    EXPECT_EQ(octet(18) << 8 | octet(19), 800);  // the header's width
    EXPECT_EQ(octet(22) << 8 | octet(23), 600);
    EXPECT_EQ(deuxFois((dossier / "absent" / "p.png").string()), VITRAIL_ERREUR);
    const std::string apres = (dossier / "apres.png").string();
    ASSERT_EQ(vitrail_image(plan, VITRAIL_FORMAT_PNG, apres.c_str(), 400, 300, R, 2, nullptr,
                            nullptr, nullptr),
              VITRAIL_OK);
    EXPECT_EQ(vitrail::test::contenu(apres), png);
}

TEST(AbiCVersion, IsTheProjectsVersion) {
    EXPECT_STREQ(vitrail_version(), VITRAIL_VERSION_ATTENDUE);
}

// Every plan shares the toolkit and the HTML export: another thread is refused, not let in.
TEST_F(AbiC, CallsFromAnotherThreadAreRefusedAndChangeNothing) {
    std::thread([&] {
        const auto refuse = [](int code) {
            EXPECT_EQ(code, VITRAIL_ERREUR_THREAD);
            EXPECT_NE(std::string(vitrail_derniere_erreur()).find("autre thread"), npos);
        };
        refuse(cadre("Autre"));
        int32_t cible = VITRAIL_SORTIE_HTML;
        refuse(vitrail_show(plan, &cible, E, nullptr, nullptr, E, nullptr, nullptr));
        vitrail_plan* autre = nullptr;
        refuse(vitrail_creer(&autre));
        EXPECT_EQ(autre, nullptr);
        refuse(vitrail_detruire(plan));
    }).join();
    ASSERT_EQ(cadre("Mardi"), VITRAIL_OK);
    const std::string page = html();
    EXPECT_NE(page.find("Mardi"), npos);
    EXPECT_EQ(page.find("Autre"), npos);
}

}  // namespace
