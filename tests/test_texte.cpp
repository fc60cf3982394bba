#include <gtest/gtest.h>

#include <stdexcept>

#include "support/Texte.hpp"

namespace vitrail {
namespace {

TEST(Utf8, RoundTripKeepsOneElementPerCharacter) {
    const std::string source = "NonDéfini – 𝄞";
    const Texte texte = depuisUtf8(source);
    EXPECT_EQ(texte.size(), 13u);
    EXPECT_EQ(texte[4], U'é');
    EXPECT_EQ(texte.back(), U'\U0001D11E');
    EXPECT_EQ(versUtf8(texte), source);
}

TEST(Utf8, MalformedInputIsRefused) {
    for (const char* mauvais : {"\xC3", "\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80",
                                "\xF5\x80\x80\x80", "a\x80", "\xE2\x82"}) {
        EXPECT_THROW(depuisUtf8(mauvais), std::invalid_argument) << mauvais;
    }
}

TEST(Utf8, CaseFoldingTouchesAsciiLettersOnly) {
    EXPECT_TRUE(egauxSansCasse(U"TrUe", U"true"));
    EXPECT_FALSE(egauxSansCasse(U"É", U"é"));
    EXPECT_FALSE(egauxSansCasse(U"true", U"true "));
}

}  // namespace
}  // namespace vitrail
