#include "doubles/Enregistrement.hpp"

#include <cmath>
#include <cstdio>

namespace vitrail::test {

std::string nombre(double v) {
    char tampon[48];
    if (v == std::floor(v) && std::fabs(v) < 1e15) {
        std::snprintf(tampon, sizeof tampon, "%.0f", v);
    } else {
        std::snprintf(tampon, sizeof tampon, "%.4f", v);
        std::string s = tampon;
        while (s.back() == '0')
            s.pop_back();
        return s;
    }
    return tampon;
}

}  // namespace vitrail::test
