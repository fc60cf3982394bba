#pragma once

#include <cstdint>

namespace vitrail {

// A child control of the viewer: where it stands and how big it is, in twips.
struct Controle {
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
};

// A scroll bar: its place, and its value between 0 and its maximum.
struct BarreDefilement : Controle {
    std::int16_t Value = 0;
    std::int16_t Min = 0;
    std::int16_t Max = 0;
};

}  // namespace vitrail
