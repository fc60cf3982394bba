#include <gtest/gtest.h>

#include "support/ErreurExecution.hpp"
#include "support/Variant.hpp"

namespace vitrail {
namespace {

int numeroErreur(auto&& f) {
    try {
        f();
    } catch (const ErreurExecution& e) {
        return e.numero();
    }
    return 0;
}

TEST(VariantBooleen, TextsOfTrueAndFalseInAnyCaseAndNumbers) {
    EXPECT_TRUE(Variant(U"True").versBooleen());
    EXPECT_TRUE(Variant(U"TRUE").versBooleen());
    EXPECT_FALSE(Variant(U"fAlSe").versBooleen());
    EXPECT_TRUE(Variant(U" 2.5 ").versBooleen());
    EXPECT_FALSE(Variant(U"0").versBooleen());
    EXPECT_TRUE(Variant(std::int16_t{-1}).versBooleen());
    EXPECT_FALSE(Variant(0.0).versBooleen());
    EXPECT_FALSE(Variant().versBooleen());
}

TEST(VariantBooleen, OtherTextsAreATypeMismatch) {
    for (const char32_t* texte : {U"NonDéfini", U"oui", U"", U"vrai", U"True "}) {
        EXPECT_EQ(numeroErreur([&] { Variant(texte).versBooleen(); }),
                  erreurs::IncompatibiliteType);
    }
}

TEST(VariantConversions, WholeNumbersAndTexts) {
    EXPECT_EQ(Variant(2.5).versEntier(), 2);
    EXPECT_EQ(Variant(U"3.5").versEntier(), 4);
    EXPECT_EQ(Variant(true).versEntier(), -1);
    EXPECT_EQ(numeroErreur([] { Variant(40000.0).versEntier(); }), erreurs::Depassement);
    EXPECT_EQ(numeroErreur([] { Variant(U"x").versLong(); }), erreurs::IncompatibiliteType);
    EXPECT_EQ(Variant(true).versTexte(), U"True");
    EXPECT_EQ(Variant(std::int32_t{-7}).versTexte(), U"-7");
    EXPECT_EQ(Variant(0.8f).versTexte(), U"0.8");
    EXPECT_EQ(Variant().versTexte(), U"");
}

TEST(VariantMarqueur, OnlyTheExactTextMatches) {
    EXPECT_TRUE(Variant(U"NonDéfini").estLeTexte(U"NonDéfini"));
    EXPECT_FALSE(Variant(U"nondéfini").estLeTexte(U"NonDéfini"));
    EXPECT_FALSE(Variant(false).estLeTexte(U"False"));
    EXPECT_FALSE(Variant(0.0).estLeTexte(U"0"));
}

TEST(VariantComparaison, NumbersTextsAndMixes) {
    EXPECT_LT(comparer(std::int16_t{0}, 7.5), 0);
    EXPECT_GT(comparer(std::int16_t{0}, -3.0), 0);
    EXPECT_EQ(comparer(std::int16_t{75}, 75.0), 0);
    EXPECT_LT(comparer(U"abc", U"abd"), 0);
    EXPECT_LT(comparer(U"10", U"9"), 0);  // texts compare as texts
    EXPECT_GT(comparer(U"10", std::int16_t{9}), 0);
    EXPECT_EQ(comparer(Variant(), std::int16_t{0}), 0);
    EXPECT_EQ(comparer(Variant(), U""), 0);
    EXPECT_EQ(numeroErreur([] { comparer(U"abc", std::int16_t{0}); }),
              erreurs::IncompatibiliteType);
}

}  // namespace
}  // namespace vitrail
