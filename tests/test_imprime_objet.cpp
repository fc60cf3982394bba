// One frame on the screen target: the scaling and failure rules. Whole frames of every form are
// pinned by the golden files.
#include <gtest/gtest.h>

#include <random>

#include "Controle.hpp"
#include "render/RemplaceTout.hpp"

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
        if (a.piBas == -1) a.piBas = a.piDroite = 100;
        ctl.NewCadreTexte(a);
        ctl.ImprimeObjet(ctl.ioCadres->back());
    }
};

TEST_F(ImprimeObjet, PenWidthAndFontSizeFollowTheZoom) {
    ctl.idZoom = 0.8;
    dessine({.piDrawWidth = 3});
    EXPECT_EQ(surface().DrawWidth(), 2);  // 2.4
    EXPECT_EQ(surface().FontSize(), 8);
    dessine({.piDrawWidth = 1});
    EXPECT_EQ(surface().DrawWidth(), 1);  // 0.8 is raised to 1
    ctl.idZoom = 0.5;
    dessine({.piFontSize = 9});
    EXPECT_EQ(surface().FontSize(), 4);  // 4.5 to the even neighbour, below the floor
    ctl.idZoom = 0.4;
    dessine({.piFontSize = 1});
    EXPECT_EQ(surface().FontSize(), 10);  // 0 takes the setting, unscaled
}

TEST_F(ImprimeObjet, EdgesNotGivenCloseTheBoxAndTheFlagsReachTheTarget) {
    ctl.NewCadreTexte({.piHaut = 10, .piGauche = 20, .pbFontStrikethru = true});
    ctl.ImprimeObjet(ctl.ioCadres->back());
    EXPECT_EQ(surface().appels.front(), "Boite (200,100)-(200,100) couleur=0 trait=1");
    EXPECT_TRUE(surface().FontStrikethru());
    EXPECT_EQ(surface().FillColor(), 16777215);
}

TEST_F(ImprimeObjet, TokensBecomeQuotesAndExtentsOnlyGrow) {
    dessine({.piBas = 100,
             .piDroite = 300,
             .piDrawWidth = 0,
             .psText = U"<DblQuote>a<DblQuote> <P>b</P> <SimpleQuote>c <dblquote>",
             .psAligne = U""});
    EXPECT_EQ(surface().appels.back(), "Print \"\"a\" \"b\" 'c <dblquote>\" @0,0 Arial 10");

    ctl.ilMaxDroite = ctl.ilMaxBas = 0;
    ctl.ilOrigineX = -500;
    ctl.ilOrigineY = -300;
    dessine({.piHaut = 10, .piGauche = 20, .piBas = 30.05, .piDroite = 120.05});
    EXPECT_EQ(ctl.ilMaxDroite, 1200);  // 1200.5 to the even neighbour
    EXPECT_EQ(ctl.ilMaxBas, 300);
    dessine({.piBas = 5, .piDroite = 5});
    EXPECT_EQ(ctl.ilMaxDroite, 1200);
}

TEST_F(ImprimeObjet, AnErrorInTheTextLayoutStillGetsTheOutlineDrawnAgain) {
    // A negative minimum cannot split the word: the wrapping fails.
    ctl.Initialise({.piNbMiniLettresDunMot = -1, .pdMinFontSize = 20});
    dessine({.piBas = 100, .piDroite = 100, .psText = U"Anticonstitutionnel fin"});
    EXPECT_EQ(messages().size(), 1u);
    ASSERT_GE(surface().appels.size(), 2u);
    EXPECT_EQ(surface().appels.front(), surface().appels.back());
    EXPECT_EQ(surface().appels.back().rfind("Boite ", 0), 0u);
}

TEST_F(ImprimeObjet, ABoldFlagThatReadsAsNoBooleanFailsWhenDrawn) {
    dessine({.pbFontBold = U"gras"});
    EXPECT_EQ(messages().at(0).texte, test::rapport(U"ImprimeObjet", 13));
    EXPECT_TRUE(surface().appels.empty());
}

// Each occurrence is looked for again from the start, so a replacement may join what is left
// into a new one; a single pass must give the same text wherever it is taken.
Texte depuisLeDebut(Texte texte, const Texte& jeton, const Texte& remplacement) {
    for (std::size_t i = texte.find(jeton); i != Texte::npos; i = texte.find(jeton))
        texte.replace(i, jeton.size(), remplacement);
    return texte;
}

TEST(RemplaceTout, GivesWhatSearchingFromTheStartGives) {
    const struct {
        Texte jeton, remplacement;
    } lignes[] = {
        {U"<P>", U"\""}, {U"</p>", U"\""}, {U"<SimpleQuote>", U"'"},
        {U"ab", U""},    {U"ab", U"a"},    {U"aa", U"a"},
        {U"ab", U"ba"},  {U"<", U">"},     {U"<P>", U"<"},
    };
    const Texte morceaux[] = {U"<", U"P", U">", U"/", U"p", U"a", U"b", U"<P>", U"</p>", U"\""};
    std::mt19937 hasard(7);
    for (const auto& l : lignes) {
        for (int n = 0; n < 300; ++n) {
            Texte texte;
            for (int k = static_cast<int>(hasard() % 40); k > 0; --k)
                texte += morceaux[hasard() % std::size(morceaux)];
            ASSERT_EQ(RemplaceTout(texte, l.jeton, l.remplacement),
                      depuisLeDebut(texte, l.jeton, l.remplacement))
                << "token " << vitrail::versUtf8(l.jeton) << " in " << vitrail::versUtf8(texte);
        }
    }
    EXPECT_EQ(RemplaceTout(U"aabb", U"ab", U""), U"");
    EXPECT_EQ(RemplaceTout(U"x", U"", U"y"), U"x");
}

}  // namespace
}  // namespace vitrail
