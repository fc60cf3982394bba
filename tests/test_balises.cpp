#include <gtest/gtest.h>

#include "Controle.hpp"
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

TEST(ImprimeLigneBalisee, EmptyRunsArePrintedAndALessThanThatStartsNoTagIsText) {
    SurfaceFactice s;
    EXPECT_EQ(imprime(s, U"<i><u>a < b <br>"),
              (std::vector<std::string>{
                  "Print \"\" @1000,500 Arial 10", "Print \"\" @1000,500 Arial 10 italique",
                  "Print \"a < b <br>\" @1000,500 Arial 10 italique souligné"}));
}

TEST(ImprimeLigneBalisee, ClosingTagsRestoreWhatTheLastOpeningOneSavedAndCarryOver) {
    SurfaceFactice s;
    imprime(s, U"<b>a<b>b</b>c</b>d");
    EXPECT_EQ(s.appels.back(), "Print \"d\" @1300,500 Arial 10 gras");
    s.FontItalic(true);
    imprime(s, U"</I><u>x");  // off even when set by the frame; the underline stays on
    EXPECT_FALSE(s.FontItalic());
    EXPECT_TRUE(s.FontUnderline());
}

TEST(EnleveBalises, DropsTheSixTagsInAnyCase) {
    EXPECT_EQ(EnleveBalises(U"<B>gras</B> <i>it</I> <U>sou</u>"), U"gras it sou");
    EXPECT_EQ(EnleveBalises(U"a < b <p> <b"), U"a < b <p> <b");
    EXPECT_EQ(EnleveBalises(U"<<b>>"), U"<>");
}

TEST(Mesures, TagsTakeNoWidthUnlessAskedForAndEachTargetMeasuresInItsOwnUnits) {
    test::Controle c;
    EXPECT_EQ(c.ctl.RtvTextWidth(U"Lundi"), 0);  // no target before the first pass
    c.ctl.ilTypeImpression = 1;
    c.surface().FontSize(10);
    EXPECT_EQ(c.ctl.RtvTextWidth(U"<b>ab</b> <I>c</i>"), 400);
    EXPECT_EQ(c.ctl.RtvTextWidth(U"<b>ab</b>", false), 900);
    c.ctl.ilTypeImpression = 3;  // the page: a fifteenth of the control's width, a tenth of height
    EXPECT_FLOAT_EQ(c.ctl.RtvTextWidth(Texte(400, U'x')), 40000 * 0.06666667f);
    EXPECT_FLOAT_EQ(c.ctl.RtvTextHeight(U"x"), 20);
    c.ctl.ilTypeImpression = 2;  // the printer has no 16-bit limit either
    c.plateforme.imprimante.FontSize(12);
    EXPECT_EQ(c.ctl.RtvTextWidth(Texte(400, U'x')), 48000);
    EXPECT_TRUE(c.messages().empty());
}

}  // namespace
}  // namespace vitrail
