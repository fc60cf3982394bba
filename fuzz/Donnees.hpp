#pragma once

// Turns the fuzzer's bytes into the component's arguments, leaning towards the values that
// matter: markers, limits, NaN and infinities, and texts with markup.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "vitrail/Arguments.hpp"

namespace vitrail::fuzz {

class Donnees {
  public:
    Donnees(const std::uint8_t* data, std::size_t size) : fdp_(data, size) {}

    bool reste() { return fdp_.remaining_bytes() > 0; }
    FuzzedDataProvider& brut() { return fdp_; }

    double reel() {
        switch (fdp_.ConsumeIntegralInRange(0, 7)) {
            case 0:
                return -1;  // the marker: take the setting
            case 1:
                return std::numeric_limits<double>::quiet_NaN();
            case 2:
                return fdp_.ConsumeBool() ? HUGE_VAL : -HUGE_VAL;
            case 3:
                return fdp_.ConsumeFloatingPoint<double>();
            case 4:
                return fdp_.ConsumeIntegralInRange(-40000, 40000) +
                       fdp_.ConsumeProbability<double>();
            default:
                return fdp_.ConsumeIntegralInRange(0, 12000);
        }
    }
    template <class Entier>
    Entier entier() {
        switch (fdp_.ConsumeIntegralInRange(0, 3)) {
            case 0:
                return -1;
            case 1:
                return fdp_.ConsumeIntegral<Entier>();
            default:
                return fdp_.ConsumeIntegralInRange<Entier>(0, 100);
        }
    }
    std::string texte(std::size_t longueur = 64) {
        return fdp_.ConsumeRandomLengthString(longueur);
    }
    Valeur drapeau() {
        switch (fdp_.ConsumeIntegralInRange(0, 4)) {
            case 0:
                return Valeur();
            case 1:
                return fdp_.ConsumeBool();
            case 2:
                return reel();
            default:
                return texte(8);
        }
    }
    std::string alignement() {
        static const char* const alignements[] = {"", "H", "V", "HV", "G", "D", "hv", "X"};
        return alignements[fdp_.ConsumeIntegralInRange(0, 7)];
    }

    ArgumentsInitialise initialise() {
        ArgumentsInitialise a;
        a.piDrawWidth = reel();
        a.piFillColor = entier<std::int32_t>();
        a.piFontSize = entier<std::int16_t>();
        a.pbFontBold = fdp_.ConsumeBool();
        a.pbFontItalic = fdp_.ConsumeBool();
        a.pbFontUnderline = fdp_.ConsumeBool();
        a.pbFontTransparent = fdp_.ConsumeBool();
        a.psAligne = alignement();
        a.plCouleurFond = entier<std::int32_t>();
        if (fdp_.ConsumeBool()) a.psFieldSeparator = texte(3);
        a.psReplaceCHR13 = drapeau();
        a.piMargeEnPourcent = entier<std::int16_t>();
        a.piNbMiniLettresDunMot = entier<std::int16_t>();
        a.pdMinFontSize = reel();
        return a;
    }
    ArgumentsCadreTexte cadreTexte(std::size_t longueurTexte) {
        ArgumentsCadreTexte a;
        a.piBas = reel();
        a.piDroite = reel();
        a.piDrawWidth = reel();
        a.piFillColor = entier<std::int32_t>();
        a.piFontSize = entier<std::int16_t>();
        a.pbFontBold = drapeau();
        a.pbFontItalic = drapeau();
        a.pbFontUnderline = drapeau();
        a.pbFontTransparent = drapeau();
        a.psAligne = alignement();
        a.plCouleurTrait = entier<std::int32_t>();
        a.psText = texte(longueurTexte);
        return a;
    }

  private:
    FuzzedDataProvider fdp_;
};

}  // namespace vitrail::fuzz
