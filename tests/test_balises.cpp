#include <gtest/gtest.h>

#include "doubles/SurfaceFactice.hpp"
#include "render/Balises.hpp"

namespace vitrail {
namespace {

using test::SurfaceFactice;

// Prints the line at (1000, 500) in 10-point type: each character is 100 twips wide.
std::vector<std::string> imprime(SurfaceFactice& s, std::u32string_view ligne) {
    s.FontName(U"Arial");
    s.CurrentX(1000);
    s.CurrentY(500);
    ImprimeLigneBalisee(s, ligne);
    return s.appels;
}

TEST(ImprimeLigneBalisee, RunsFollowEachOtherOnOneLine) {
    SurfaceFactice s;
    EXPECT_EQ(imprime(s, U"un <B>deux </b>trois"),
              (std::vector<std::string>{"Print \"un \" @1000,500 Arial 10",
                                        "Print \"deux \" @1300,500 Arial 10 gras",
                                        "Print \"trois\" @1800,500 Arial 10"}));
    EXPECT_EQ(s.CurrentX(), 2300);
    EXPECT_EQ(s.CurrentY(), 500);
}

TEST(ImprimeLigneBalisee, EmptyRunsArePrintedAndMoveNothing) {
    SurfaceFactice s;
    EXPECT_EQ(imprime(s, U"<i><u>x"),
              (std::vector<std::string>{"Print \"\" @1000,500 Arial 10",
                                        "Print \"\" @1000,500 Arial 10 italique",
                                        "Print \"x\" @1000,500 Arial 10 italique souligné"}));
}

TEST(ImprimeLigneBalisee, ClosingTagsRestoreWhatTheLastOpeningOneSaved) {
    SurfaceFactice s;
    imprime(s, U"<b>a<b>b</b>c</b>d");
    EXPECT_EQ(s.appels.back(), "Print \"d\" @1300,500 Arial 10 gras");
    EXPECT_TRUE(s.FontBold());
}

TEST(ImprimeLigneBalisee, ClosingTagWithoutOpeningSwitchesOffEvenABoldFrame) {
    SurfaceFactice s;
    s.FontBold(true);
    imprime(s, U"</b>");
    EXPECT_FALSE(s.FontBold());
    s.FontItalic(true);
    imprime(s, U"fin</I>");
    EXPECT_FALSE(s.FontItalic());
}

TEST(ImprimeLigneBalisee, AnOpenTagCarriesOverToTheNextLine) {
    SurfaceFactice s;
    imprime(s, U"début <u>souligné");
    EXPECT_TRUE(s.FontUnderline());
    imprime(s, U"suite</u> fin");
    EXPECT_EQ(s.appels[2], "Print \"suite\" @1000,500 Arial 10 souligné");
    EXPECT_EQ(s.appels[3], "Print \" fin\" @1500,500 Arial 10");
}

TEST(ImprimeLigneBalisee, LessThanThatStartsNoTagIsPrinted) {
    SurfaceFactice s;
    EXPECT_EQ(imprime(s, U"a < b <br> <s>"),
              (std::vector<std::string>{"Print \"a < b <br> <s>\" @1000,500 Arial 10"}));
}

TEST(EnleveBalises, DropsTheSixTagsInAnyCase) {
    EXPECT_EQ(EnleveBalises(U"<B>gras</B> <i>it</I> <U>sou</u>"), U"gras it sou");
    EXPECT_EQ(EnleveBalises(U"a < b <p> <b"), U"a < b <p> <b");
    EXPECT_EQ(EnleveBalises(U"<<b>>"), U"<>");
    EXPECT_EQ(EnleveBalises(U""), U"");
}

TEST(BaliseEn, GivesTheTagInLowerCase) {
    const auto balise = baliseEn(U"x</U>", 1);
    ASSERT_TRUE(balise.has_value());
    EXPECT_EQ(balise->balise, Balise::SoulignéFin);
    EXPECT_EQ(balise->longueur, 4u);
    EXPECT_EQ(balise->minuscules, U"</u>");
    EXPECT_FALSE(baliseEn(U"x</U>", 0).has_value());
    EXPECT_FALSE(baliseEn(U"<b", 0).has_value());
}

}  // namespace
}  // namespace vitrail
