#pragma once

#include <cstdint>

#include "platform/Surface.hpp"

namespace vitrail {

// The state every surface keeps the same way: the current position, the font, the pen and the
// colours. A surface adds its size and its drawing on top.
template <class Base>
class EtatDessin : public Base {
  public:
    double CurrentX() const override { return x_; }
    void CurrentX(double x) override { x_ = x; }
    double CurrentY() const override { return y_; }
    void CurrentY(double y) override { y_ = y; }

    Texte FontName() const override { return fontName_; }
    void FontName(const Texte& nom) override { fontName_ = nom; }
    float FontSize() const override { return fontSize_; }
    void FontSize(float points) override { fontSize_ = points; }
    bool FontBold() const override { return bold_; }
    void FontBold(bool b) override { bold_ = b; }
    bool FontItalic() const override { return italic_; }
    void FontItalic(bool b) override { italic_ = b; }
    bool FontStrikethru() const override { return strike_; }
    void FontStrikethru(bool b) override { strike_ = b; }
    bool FontUnderline() const override { return underline_; }
    void FontUnderline(bool b) override { underline_ = b; }
    bool FontTransparent() const override { return transparent_; }
    void FontTransparent(bool b) override { transparent_ = b; }
    std::int16_t DrawWidth() const override { return drawWidth_; }
    void DrawWidth(std::int16_t largeur) override { drawWidth_ = largeur; }
    std::int32_t FillColor() const override { return fillColor_; }
    void FillColor(std::int32_t couleur) override { fillColor_ = couleur; }
    std::int32_t BackColor() const override { return backColor_; }
    void BackColor(std::int32_t couleur) override { backColor_ = couleur; }

  protected:
    double x_ = 0;
    double y_ = 0;
    Texte fontName_;
    float fontSize_ = 10;
    bool bold_ = false;
    bool italic_ = false;
    bool strike_ = false;
    bool underline_ = false;
    bool transparent_ = true;
    std::int16_t drawWidth_ = 1;
    std::int32_t fillColor_ = 0;
    std::int32_t backColor_ = 16777215;
};

}  // namespace vitrail
