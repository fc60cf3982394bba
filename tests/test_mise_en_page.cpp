#include <gtest/gtest.h>

#include <array>
#include <random>

#include "Controle.hpp"
#include "Fichiers.hpp"
#include "html/Html.hpp"
#include "render/Balises.hpp"

namespace vitrail {
namespace {

// A screen control in 10-point type: each character 100 twips wide, a line 200 high.
struct MiseEnPage : ::testing::Test, test::Controle {
    MiseEnPage() {
        ctl.Initialise();
        ctl.ilTypeImpression = 1;
        surface().FontSize(10);
    }
    std::vector<Texte> lignes(const Texte& texte, double largeur) {
        ctl.GetTableauTexteLong(texte, 0, largeur);
        return ctl.isLignes;
    }
    std::vector<std::string> prints() {
        std::vector<std::string> p;
        for (const auto& appel : surface().appels) {
            if (appel.rfind("Print", 0) == 0) p.push_back(appel);
        }
        return p;
    }
};

using Lignes = std::vector<Texte>;

TEST_F(MiseEnPage, WordsWrapKeepTheirInnerBlanksAndCarriageReturnsBreakLines) {
    EXPECT_EQ(lignes(U"  un  deux trois quatre", 1100),
              (Lignes{U"", U"un  deux", U"trois", U"quatre"}));
    EXPECT_EQ(lignes(U"Un\r\rDeux\r\nTrois", 2000),
              (Lignes{U"", U"Un", U"\r", U"Deux", U"\nTrois"}));
    EXPECT_EQ(lignes(U"abc ", 0), (Lignes{U"", U"a-", U"b-", U"c-"}));  // no room at all
}

TEST_F(MiseEnPage, TheLastWordIsNeverSplit) {
    EXPECT_EQ(lignes(U"Anticonstitutionnel", 1000), (Lignes{U"", U"Anticonstitutionnel"}));
    EXPECT_EQ(lignes(U"Anticonstitutionnel ", 1000),
              (Lignes{U"", U"Anticons-", U"titution-", U"nel"}));
}

TEST_F(MiseEnPage, FewerThanTheMinimumLettersSendTheWordToItsOwnLines) {
    EXPECT_EQ(lignes(U"Lundi Anticonstitutionnel fin", 1000),
              (Lignes{U"", U"Lundi", U"Anticonsti-", U"tutionnel", U"fin"}));
    // Five letters and the hyphen fit after "Le": the line takes them.
    EXPECT_EQ(lignes(U"Le Anticonstitutionnel fin", 1000),
              (Lignes{U"", U"Le Antic-", U"onstitut-", U"ionnel", U"fin"}));
    ctl.Initialise({.piNbMiniLettresDunMot = 6});
    EXPECT_EQ(lignes(U"Le Anticonstitutionnel fin", 1000),
              (Lignes{U"", U"Le", U"Anticonsti-", U"tutionnel", U"fin"}));
}

TEST_F(MiseEnPage, AMinimumOfNoLetterStillSplitsTheWord) {
    // Only the hyphen fits: the word goes letter by letter instead of giving "-" for ever.
    ctl.Initialise({.piNbMiniLettresDunMot = 0});
    EXPECT_EQ(lignes(U"Anticonstitutionnel fin", 200),
              (Lignes{U"", U"An-", U"ti-", U"co-", U"ns-", U"ti-", U"tu-", U"ti-", U"on-", U"ne-",
                      U"l", U"fin"}));
    // After a line that is not empty the split takes no letter, ends that line, and goes on.
    EXPECT_EQ(lignes(U"Le Anticonstitutionnel fin", 500),
              (Lignes{U"", U"Le -", U"Ant-", U"ico-", U"nst-", U"itu-", U"tio-", U"nnel", U"fin"}));
}

TEST_F(MiseEnPage, AMarginBeyondSixteenBitsIsReportedBeforeTheTableIsTouched) {
    ctl.Initialise({.piMargeEnPourcent = -32668});
    ctl.isLignes = {U"", U"avant"};
    EXPECT_EQ(lignes(U"Lundi", 2000), (Lignes{U"", U"avant"}));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].texte, test::rapport(U"GetTableauTexteLong", 6));
}

TEST_F(MiseEnPage, ShrinksByHalfPointsDownToTheFloor) {
    // Three lines in a box 300 high: 3 x 20 x size must reach 300.
    ctl.ImprimeTexteLong(U"a\rb\rc", 0, 0, 300, 3000, 10, U"");
    EXPECT_EQ(prints(), (std::vector<std::string>{"Print \"a\" @0,0  5", "Print \"b\" @0,100  5",
                                                  "Print \"c\" @0,200  5"}));
    // One line more: even the floor is too large, and the fit report says so.
    std::vector<Debordement> rapports;
    ctl.observateurDebordement = [&](const Debordement& d) { rapports.push_back(d); };
    ctl.ImprimeTexteLong(U"a\rb\rc\rd", 0, 0, 300, 3000, 10, U"");
    ASSERT_EQ(rapports.size(), 1u);
    EXPECT_EQ(rapports[0].taille, 5);
    EXPECT_TRUE(rapports[0].auPlancher);
    EXPECT_EQ(rapports[0].lignesPerdues, 1);
    surface().FontSize(4);
    ctl.ImprimeTexteLong(U"un deux", 0, 0, 10, 500, 4, U"");
    EXPECT_EQ(surface().FontSize(), 4);  // below the floor: used as given, never raised
}

TEST_F(MiseEnPage, TheFitTestTakesTheWholeBoxWidthNotTheWrappingWidth) {
    // A last word is never split: it fits when it is no wider than the box, margin or not.
    for (const auto& [mot, taille] : {std::pair{U"abcdefghij", 10.f}, {U"abcdefghijk", 9.f}}) {
        ctl.ImprimeTexteLong(mot, 0, 0, 1000, 1020, 10, U"");
        EXPECT_EQ(surface().FontSize(), taille) << versUtf8(mot);
    }
}

TEST_F(MiseEnPage, UpperCaseCodesCentreAndTallTextsStartHalfALineDown) {
    struct Cas {
        const char32_t* texte;
        double bas;
        const char32_t* aligne;
        std::vector<std::string> lignes;  // where each line is printed
    };
    // 6-point type: each line 120 high.
    ctl.Initialise({.pdMinFontSize = 6});
    const std::vector<Cas> tableau{
        {U"ab", 1000, U"HV", {"@1440,440"}},
        {U"ab", 1000, U"hv", {"@0,0"}},
        // Taller than the box: half a line down, then only what stays above the bottom.
        {U"a\rb\rc", 300, U"V", {"@0,60", "@0,180"}},
        {U"a\rb", 150, U"V", {"@0,0"}},   // lower than a line and a half: from the top
        {U"a\rb", 180, U"V", {"@0,60"}},  // exactly a line and a half
    };
    for (const Cas& cas : tableau) {
        surface().appels.clear();
        ctl.ImprimeTexteLong(cas.texte, 0, 0, cas.bas, 3000, 6, cas.aligne);
        std::vector<std::string> places;
        for (const auto& p : prints())
            places.push_back(p.substr(p.find('@'), p.find(' ', p.find('@')) - p.find('@')));
        EXPECT_EQ(places, cas.lignes) << versUtf8(cas.texte) << " " << cas.bas;
    }
}

TEST_F(MiseEnPage, HtmlWritesEachLineWhoseTopPlusItsHeightLessTenStaysWithinTheBottom) {
    test::DossierTemporaire dossier;
    Html::SetCheminHtml(depuisUtf8((dossier / "p.htm").string()));
    Html::EcritEnteteHtml(U"T", plateforme.systeme());
    ctl.ilTypeImpression = 3;
    ctl.Initialise({.pdMinFontSize = 10});
    // Lines 20 high at 0, 20 and 40 in a box 30 high: 20 + 20 - 10 is just within.
    ctl.ImprimeTexteLong(U"un\rdeux\rtrois", 0, 0, 30, 1000, 10, U"");
    Html::EcritFinHtml(plateforme.systeme(), plateforme.interaction);
    Html::SetCheminHtml(U"");
    const std::string page = test::contenu(dossier / "p.htm");
    EXPECT_NE(page.find("\r\ndeux\r\n"), std::string::npos);
    EXPECT_EQ(page.find("\r\ntrois\r\n"), std::string::npos);
}

// Prints the line at (1000, 500) in 10-point type: each character is 100 twips wide.
std::vector<std::string> imprime(test::SurfaceFactice& s, std::u32string_view ligne) {
    s.FontName(U"Arial");
    s.CurrentX(1000);
    s.CurrentY(500);
    ImprimeLigneBalisee(s, ligne);
    return s.appels;
}

TEST(ImprimeLigneBalisee, RunsFollowEachOtherOnOneLine) {
    test::SurfaceFactice s;
    EXPECT_EQ(imprime(s, U"un <B>deux </b>trois"),
              (std::vector<std::string>{"Print \"un \" @1000,500 Arial 10",
                                        "Print \"deux \" @1300,500 Arial 10 gras",
                                        "Print \"trois\" @1800,500 Arial 10"}));
    EXPECT_EQ(s.CurrentX(), 2300);
    EXPECT_EQ(s.CurrentY(), 500);
}

TEST(ImprimeLigneBalisee, EmptyRunsArePrintedAndALessThanThatStartsNoTagIsText) {
    test::SurfaceFactice s;
    EXPECT_EQ(imprime(s, U"<i><u>a < b <br>"),
              (std::vector<std::string>{
                  "Print \"\" @1000,500 Arial 10", "Print \"\" @1000,500 Arial 10 italique",
                  "Print \"a < b <br>\" @1000,500 Arial 10 italique souligné"}));
}

TEST(ImprimeLigneBalisee, EachClosingTagRestoresWhatTheLastOpeningTagOfItsKindSaved) {
    struct Cas {
        std::u32string_view ligne;
        std::array<bool, 3> avant;  // bold, italic, underline on the target
        std::array<bool, 3> apres;
    };
    const std::vector<Cas> tableau{
        {U"<b>a</b>", {true, false, false}, {true, false, false}},
        {U"<i>a</i>", {false, true, false}, {false, true, false}},
        {U"<u>a</u>", {false, false, true}, {false, false, true}},
        // The three kinds keep their own saved values.
        {U"<b><i><u>a</u></i></b>", {true, false, true}, {true, false, true}},
        {U"<u><i><b>a</b></i></u>", {false, true, false}, {false, true, false}},
        // A second opening tag saves what the first one set.
        {U"<b>a<b>b</b>c</b>d", {false, false, false}, {true, false, false}},
        // No opening tag before it on the line: off, whatever the frame set.
        {U"</B></I></u>x", {true, true, true}, {false, false, false}},
        {U"<u>x", {false, false, false}, {false, false, true}},  // an open tag stays
    };
    for (const Cas& cas : tableau) {
        test::SurfaceFactice s;
        s.FontBold(cas.avant[0]);
        s.FontItalic(cas.avant[1]);
        s.FontUnderline(cas.avant[2]);
        imprime(s, cas.ligne);
        EXPECT_EQ((std::array<bool, 3>{s.FontBold(), s.FontItalic(), s.FontUnderline()}), cas.apres)
            << versUtf8(Texte(cas.ligne));
    }
}

TEST(EnleveBalises, DropsTheSixTagsInAnyCase) {
    EXPECT_EQ(EnleveBalises(U"<B>gras</B> <i>it</I> <U>sou</u>"), U"gras it sou");
    EXPECT_EQ(EnleveBalises(U"a < b <p> <b"), U"a < b <p> <b");
    EXPECT_EQ(EnleveBalises(U"<<b>>"), U"<>");
}

// The wrap asks each line again with one more word, or starts another: kept from text to text,
// what is stripped must be what stripping each text whole gives, a tag split by the end of the
// text before included ("<" then "b>").
TEST(EnleveBalises, KeptFromTextToTextAsStrippedWhole) {
    const Texte morceaux[] = {U"<", U"b", U">", U"/", U"I", U"u", U" ", U"x", U"<b>", U"</u>"};
    std::mt19937 hasard(11);
    SansBalises gardee;
    Texte texte;
    for (int n = 0; n < 20000; ++n) {
        // Short texts are stripped whole, and do not replace the line kept.
        if (hasard() % 64 == 0) texte.resize(hasard() % 80);
        if (hasard() % 16 == 0 && !texte.empty()) texte.pop_back();
        for (int k = static_cast<int>(hasard() % 3); k > 0; --k)
            texte += morceaux[hasard() % std::size(morceaux)];
        ASSERT_EQ(gardee.de(texte), EnleveBalises(texte)) << versUtf8(texte);
    }
}

}  // namespace
}  // namespace vitrail
