#pragma once

#include "platform/Surface.hpp"

namespace vitrail {

// A surface's font: what a text's extent depends on, read and given back as one.
struct Police {
    Texte nom;
    float taille = 0;
    bool gras = false;
    bool italique = false;
    bool barre = false;
    bool souligne = false;

    bool operator==(const Police&) const = default;

    static Police de(const Surface& s) {
        return {s.FontName(),   s.FontSize(),       s.FontBold(),
                s.FontItalic(), s.FontStrikethru(), s.FontUnderline()};
    }
    void pose(Surface& s) const {
        s.FontName(nom);
        s.FontSize(taille);
        s.FontBold(gras);
        s.FontItalic(italique);
        s.FontStrikethru(barre);
        s.FontUnderline(souligne);
    }
};

}  // namespace vitrail
