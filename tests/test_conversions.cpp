#include <gtest/gtest.h>

#include <cmath>

#include "support/Conversions.hpp"
#include "support/ErreurExecution.hpp"

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

TEST(Arrondi, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(CInt(0.5), 0);
    EXPECT_EQ(CInt(1.5), 2);
    EXPECT_EQ(CInt(2.5), 2);
    EXPECT_EQ(CInt(4.5), 4);
    EXPECT_EQ(CInt(-0.5), 0);
    EXPECT_EQ(CInt(-1.5), -2);
    EXPECT_EQ(CInt(-2.5), -2);
    EXPECT_EQ(CInt(2.4999), 2);
    EXPECT_EQ(CInt(2.5001), 3);
    EXPECT_EQ(CLng(299.5), 300);
    EXPECT_EQ(CLng(60.5), 60);
}

TEST(Arrondi, SixteenBitsOverflowExactlyAtTheLimits) {
    EXPECT_EQ(CInt(32767.4), 32767);
    EXPECT_EQ(CInt(-32768.5), -32768);  // the even neighbour is in range
    EXPECT_EQ(numeroErreur([] { CInt(32767.5); }), erreurs::Depassement);
    EXPECT_EQ(numeroErreur([] { CInt(-32768.6); }), erreurs::Depassement);
    EXPECT_EQ(numeroErreur([] { CInt(std::nan("")); }), erreurs::Depassement);
}

TEST(Arrondi, ThirtyTwoBitsOverflowExactlyAtTheLimits) {
    EXPECT_EQ(CLng(2147483647.4), 2147483647);
    EXPECT_EQ(CLng(-2147483648.5), -2147483648LL);
    EXPECT_EQ(numeroErreur([] { CLng(2147483647.5); }), erreurs::Depassement);
    EXPECT_EQ(numeroErreur([] { CLng(-2147483649.0); }), erreurs::Depassement);
    EXPECT_EQ(numeroErreur([] { CSng(1e300); }), erreurs::Depassement);
}

TEST(Nombres, TextsThatReadAsNumbers) {
    EXPECT_EQ(lireNombre(U"  12 "), 12.0);
    EXPECT_EQ(lireNombre(U"-2.5"), -2.5);
    EXPECT_EQ(lireNombre(U"1E3"), 1000.0);
    EXPECT_EQ(lireNombre(U"&HFF"), 255.0);
    EXPECT_EQ(lireNombre(U"&HFFFF"), -1.0);  // four digits are a 16-bit value
    EXPECT_EQ(lireNombre(U""), std::nullopt);
    EXPECT_EQ(lireNombre(U"   "), std::nullopt);
    EXPECT_EQ(lireNombre(U"abc"), std::nullopt);
    EXPECT_EQ(lireNombre(U"nan"), std::nullopt);
    EXPECT_EQ(lireNombre(U"inf"), std::nullopt);
    EXPECT_EQ(lireNombre(U"12abc"), std::nullopt);
    EXPECT_EQ(lireNombre(U"１２"), std::nullopt);
}

TEST(Nombres, DefaultTextForm) {
    EXPECT_EQ(texteNombre(0.8), U"0.8");
    EXPECT_EQ(texteNombre(12120), U"12120");
    EXPECT_EQ(texteNombre(-0.0), U"0");
    EXPECT_EQ(texteNombre(50 * 27.5 / 24.2), U"56.8181818181818");
    EXPECT_EQ(texteNombre(1e20), U"1E+20");
    EXPECT_EQ(texteNombre(static_cast<float>(0.1), 7), U"0.1");
}

}  // namespace
}  // namespace vitrail
