#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "support/Texte.hpp"
#include "vitrail/Rapports.hpp"

namespace vitrail {

inline constexpr double TwipsParPouce = 1440;

// What a page says beside its drawing: its title and the sheet a browser prints it on.
struct PageImage {
    std::string titre;
    bool a3 = false;
    bool portrait = false;
};

// A drawing surface in twips: the control's drawing area, or the printer. Getters and setters
// share the member's name. Failures are ErreurExecution (53 for a missing picture file, 481 for
// one that is not a picture, 482 for a printer that fails).
class Surface {
  public:
    virtual ~Surface() = default;

    virtual double Width() const = 0;
    virtual double Height() const = 0;
    // The window layout sizes the control's drawing area; a printer keeps its sheet.
    virtual void Redimensionne(double largeur, double hauteur) = 0;

    virtual double CurrentX() const = 0;
    virtual void CurrentX(double x) = 0;
    virtual double CurrentY() const = 0;
    virtual void CurrentY(double y) = 0;

    // Extent of a text in the current font, unrounded.
    virtual double TextWidth(const Texte& texte) = 0;
    virtual double TextHeight(const Texte& texte) = 0;
    // Prints at the current position, then moves it to the start of the next line.
    virtual void Print(const Texte& texte) = 0;

    // Outline of the box (x1, y1)-(x2, y2) in the pen width, and the same box filled.
    virtual void Boite(double x1, double y1, double x2, double y2, std::int32_t couleur) = 0;
    virtual void BoitePleine(double x1, double y1, double x2, double y2, std::int32_t couleur) = 0;
    // Loads the picture file and stretches it over the rectangle.
    virtual void PaintPicture(const Texte& chemin, double x, double y, double largeur,
                              double hauteur) = 0;
    virtual void Cls() = 0;

    // Changes whenever the same text in the same font may measure differently (another
    // resolution), so that measures kept from before are not used again.
    virtual std::uint64_t Resolution() const { return 0; }
    // The font size in points up to which no text measures less at a larger size than at a
    // smaller one; 0 when the surface cannot tell.
    virtual double TailleCroissanteMaximum() const { return 0; }
    // Drops whatever the surface keeps of its measures.
    virtual void OublieMesures() {}
    // In the current font, for texts made only of `caracteres`, blanks and hyphens: a bound on
    // the width one character adds at the end of such a text, when every such text measures as
    // the sum of its parts between blanks and of its blanks, give or take that bound for each
    // blank that stands between the two characters of one of `bords` (0 for the start or end of
    // the text), or for every blank when `caracteres` holds a tab; 0 when the surface cannot
    // tell. What follows a tab measures from the tab's stop as it would alone, so a text with
    // tabs is bounded by the other characters' bound and, for each tab, the bound of a tab alone.
    virtual double LargeurParCaractere(std::u32string_view /*caracteres*/,
                                       std::span<const std::pair<char32_t, char32_t>> /*bords*/) {
        return 0;
    }

    // In the current font, for texts made only of `caracteres`, blanks and hyphens, whatever
    // their shaping: a bound on the width one character adds at the end of such a text; 0 when
    // the surface cannot tell. No sum is implied, so it may be much looser than the above.
    virtual double LargeurAjouteeMaximum(std::u32string_view caracteres) {
        return LargeurParCaractere(caracteres, {});
    }

    // Twips per device pixel: a screen at 96 dots per inch unless the surface knows better.
    virtual double TwipsParPixel() const { return 15; }
    // Runs the pass once and gives the file of that format it drew: for a page or an SVG, the
    // surface draws the pass on it too. Empty when the pass failed. Throws std::runtime_error
    // with the reason when the surface cannot make such a file.
    virtual std::optional<std::string> Image(eFormatImage format, const PageImage& page,
                                             const std::function<bool()>& passe);
    // From now on the same planning units in that many times the surface's own pixels, text
    // included (1: its own).
    virtual void Agrandit(double echelle);

    virtual Texte FontName() const = 0;
    virtual void FontName(const Texte& nom) = 0;
    virtual float FontSize() const = 0;
    virtual void FontSize(float points) = 0;
    virtual bool FontBold() const = 0;
    virtual void FontBold(bool b) = 0;
    virtual bool FontItalic() const = 0;
    virtual void FontItalic(bool b) = 0;
    virtual bool FontStrikethru() const = 0;
    virtual void FontStrikethru(bool b) = 0;
    virtual bool FontUnderline() const = 0;
    virtual void FontUnderline(bool b) = 0;
    virtual bool FontTransparent() const = 0;
    virtual void FontTransparent(bool b) = 0;

    virtual std::int16_t DrawWidth() const = 0;
    virtual void DrawWidth(std::int16_t largeur) = 0;
    virtual std::int32_t FillColor() const = 0;
    virtual void FillColor(std::int32_t couleur) = 0;
    virtual std::int32_t BackColor() const = 0;
    virtual void BackColor(std::int32_t couleur) = 0;
};

}  // namespace vitrail
