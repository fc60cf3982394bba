#pragma once

#include <map>
#include <string>
#include <vector>

#include "doubles/Enregistrement.hpp"
#include "platform/Surface.hpp"
#include "support/ErreurExecution.hpp"

namespace vitrail::test {

// A surface with simple fixed metrics that records every drawing call as a line of text.
// Each character is FontSize x 10 twips wide and a line is FontSize x 20 twips high, whatever
// the font, so layouts come out exactly.
template <class Base>
class SurfaceFacticeDe : public Base {
  public:
    double largeur = 12000;
    double hauteur = 9000;
    // Picture files that load; any other path fails as a missing file. A false entry is a file
    // that is not a picture.
    std::map<Texte, bool> images;
    std::vector<std::string> appels;

    double Width() const override { return largeur; }
    double Height() const override { return hauteur; }
    void Redimensionne(double l, double h) override {
        largeur = l;
        hauteur = h;
    }
    double CurrentX() const override { return x_; }
    void CurrentX(double x) override { x_ = x; }
    double CurrentY() const override { return y_; }
    void CurrentY(double y) override { y_ = y; }

    double TextWidth(const Texte& texte) override {
        return static_cast<double>(texte.size()) * fontSize_ * 10;
    }
    double TextHeight(const Texte&) override { return static_cast<double>(fontSize_) * 20; }

    void Print(const Texte& texte) override {
        enregistre("Print \"" + visible(texte) + "\" @" + nombre(x_) + "," + nombre(y_) + " " +
                   police());
        y_ += TextHeight(texte);
        x_ = 0;
    }
    void Boite(double x1, double y1, double x2, double y2, std::int32_t couleur) override {
        enregistre("Boite " + rectangle(x1, y1, x2, y2) + " couleur=" + nombre(couleur) +
                   " trait=" + nombre(drawWidth_));
    }
    void BoitePleine(double x1, double y1, double x2, double y2, std::int32_t couleur) override {
        enregistre("BoitePleine " + rectangle(x1, y1, x2, y2) + " couleur=" + nombre(couleur));
    }
    void PaintPicture(const Texte& chemin, double x, double y, double l, double h) override {
        const auto image = images.find(chemin);
        if (image == images.end()) throw ErreurExecution(erreurs::FichierIntrouvable);
        if (!image->second) throw ErreurExecution(erreurs::ImageIncorrecte);
        enregistre("PaintPicture \"" + utf8(chemin) + "\" " + rectangle(x, y, x + l, y + h));
    }
    void Cls() override {
        enregistre("Cls");
        x_ = 0;
        y_ = 0;
    }

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
    void DrawWidth(std::int16_t largeurTrait) override { drawWidth_ = largeurTrait; }
    std::int32_t FillColor() const override { return fillColor_; }
    void FillColor(std::int32_t couleur) override { fillColor_ = couleur; }
    std::int32_t BackColor() const override { return backColor_; }
    void BackColor(std::int32_t couleur) override { backColor_ = couleur; }

  protected:
    virtual void enregistre(std::string appel) { appels.push_back(std::move(appel)); }

  private:
    // Line breaks written out, so that a recording stays one call a line.
    static std::string visible(const Texte& texte) {
        std::string s;
        for (char c : utf8(texte)) {
            if (c == '\r') {
                s += "\\r";
            } else if (c == '\n') {
                s += "\\n";
            } else {
                s += c;
            }
        }
        return s;
    }
    static std::string rectangle(double x1, double y1, double x2, double y2) {
        return "(" + nombre(x1) + "," + nombre(y1) + ")-(" + nombre(x2) + "," + nombre(y2) + ")";
    }
    std::string police() const {
        std::string p = utf8(fontName_) + " " + nombre(fontSize_);
        if (bold_) p += " gras";
        if (italic_) p += " italique";
        if (underline_) p += " souligné";
        if (strike_) p += " barré";
        return p;
    }

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

using SurfaceFactice = SurfaceFacticeDe<Surface>;

}  // namespace vitrail::test
