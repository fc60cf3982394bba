#pragma once

#include "platform/Surface.hpp"

namespace vitrail {

class TracPlanOCX;

// The control seen as a drawing object: its position and text measures go through its own
// 16-bit members, everything else straight to its drawing area. Text layout code then talks to
// the screen and the printer alike.
class SurfaceControle : public Surface {
  public:
    SurfaceControle(TracPlanOCX& controle, Surface& zone) : controle_(controle), zone_(zone) {}

    double Width() const override { return zone_.Width(); }
    double Height() const override { return zone_.Height(); }
    void Redimensionne(double largeur, double hauteur) override {
        zone_.Redimensionne(largeur, hauteur);
    }
    double CurrentX() const override;
    void CurrentX(double x) override;
    double CurrentY() const override;
    void CurrentY(double y) override;
    double TextWidth(const Texte& texte) override;
    double TextHeight(const Texte& texte) override;
    void Print(const Texte& texte) override { zone_.Print(texte); }
    void Boite(double x1, double y1, double x2, double y2, std::int32_t couleur) override {
        zone_.Boite(x1, y1, x2, y2, couleur);
    }
    void BoitePleine(double x1, double y1, double x2, double y2, std::int32_t couleur) override {
        zone_.BoitePleine(x1, y1, x2, y2, couleur);
    }
    void PaintPicture(const Texte& chemin, double x, double y, double l, double h) override {
        zone_.PaintPicture(chemin, x, y, l, h);
    }
    void Cls() override { zone_.Cls(); }
    Texte FontName() const override { return zone_.FontName(); }
    void FontName(const Texte& nom) override { zone_.FontName(nom); }
    float FontSize() const override { return zone_.FontSize(); }
    void FontSize(float points) override { zone_.FontSize(points); }
    bool FontBold() const override { return zone_.FontBold(); }
    void FontBold(bool b) override { zone_.FontBold(b); }
    bool FontItalic() const override { return zone_.FontItalic(); }
    void FontItalic(bool b) override { zone_.FontItalic(b); }
    bool FontStrikethru() const override { return zone_.FontStrikethru(); }
    void FontStrikethru(bool b) override { zone_.FontStrikethru(b); }
    bool FontUnderline() const override { return zone_.FontUnderline(); }
    void FontUnderline(bool b) override { zone_.FontUnderline(b); }
    bool FontTransparent() const override { return zone_.FontTransparent(); }
    void FontTransparent(bool b) override { zone_.FontTransparent(b); }
    std::int16_t DrawWidth() const override { return zone_.DrawWidth(); }
    void DrawWidth(std::int16_t largeur) override { zone_.DrawWidth(largeur); }
    std::int32_t FillColor() const override { return zone_.FillColor(); }
    void FillColor(std::int32_t couleur) override { zone_.FillColor(couleur); }
    std::int32_t BackColor() const override { return zone_.BackColor(); }
    void BackColor(std::int32_t couleur) override { zone_.BackColor(couleur); }

  private:
    TracPlanOCX& controle_;
    Surface& zone_;
};

}  // namespace vitrail
