#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "platform/Surface.hpp"
#include "support/Texte.hpp"

namespace vitrail {

// The six inline style tags.
enum class Balise { GrasDebut, GrasFin, ItaliqueDebut, ItaliqueFin, SoulignéDebut, SoulignéFin };

struct BaliseTrouvee {
    Balise balise;
    std::size_t longueur;            // characters of the tag, "<" included
    std::u32string_view minuscules;  // the tag as the wrapping stores it
};

// The tag that starts at this position of the text, if any (letters in any case).
std::optional<BaliseTrouvee> baliseEn(std::u32string_view texte, std::size_t position);

// The text without its tags; a "<" that starts no tag stays.
Texte EnleveBalises(std::u32string_view texte);

// The last text stripped, kept with what is left of it: the wrap tries each line again with one
// more word, and stripping every line whole made a text of short tagged words take time in the
// square of its lines' length. A tag never reaches over the end of a text unless a "<" that
// starts none is among its last three characters, so what such a text is followed by is
// stripped alone.
class SansBalises {
  public:
    const Texte& de(std::u32string_view texte);

  private:
    static constexpr std::size_t Court = 64;
    Texte brut_;
    Texte sans_;
    // Where the last "<" of the text kept that starts no tag is.
    std::size_t chevron_ = Texte::npos;
    Texte court_;
};

// Whether the text holds a "<", so may hold a tag. Read to its end without stopping, which the
// compiler does several characters at a time: every line the wrap tries is read whole.
inline bool avecChevron(std::u32string_view texte) {
    std::uint32_t vus = 0;
    for (const char32_t c : texte)
        vus += c == U'<';
    return vus != 0;
}

// Prints one line run by run from the current position, switching bold, italic and underline
// at each tag. The font left on the target carries over to the next line.
void ImprimeLigneBalisee(Surface& cible, std::u32string_view ligne);

}  // namespace vitrail
