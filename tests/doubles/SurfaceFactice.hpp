#pragma once

#include <algorithm>
#include <cmath>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "doubles/Enregistrement.hpp"
#include "platform/EtatDessin.hpp"
#include "support/ErreurExecution.hpp"

namespace vitrail::test {

// A surface with simple fixed metrics that records every drawing call as a line of text.
// Each character is FontSize x 10 twips wide and a line is FontSize x 20 twips high, whatever
// the font, so layouts come out exactly.
template <class Base>
class SurfaceFacticeDe : public EtatDessin<Base> {
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

    double TextWidth(const Texte& texte) override {
        return static_cast<double>(texte.size()) * this->fontSize_ * 10;
    }
    double TextHeight(const Texte&) override { return static_cast<double>(this->fontSize_) * 20; }
    // Every character adds exactly this, with no kerning anywhere.
    double LargeurParCaractere(std::u32string_view,
                               std::span<const std::pair<char32_t, char32_t>>) override {
        return std::max(0.0, static_cast<double>(this->fontSize_) * 10);
    }

    double TailleCroissanteMaximum() const override { return HUGE_VAL; }

    void Print(const Texte& texte) override {
        enregistre("Print \"" + visible(texte) + "\" @" + nombre(this->x_) + "," +
                   nombre(this->y_) + " " + police());
        this->y_ += TextHeight(texte);
        this->x_ = 0;
    }
    void Boite(double x1, double y1, double x2, double y2, std::int32_t couleur) override {
        enregistre("Boite " + rectangle(x1, y1, x2, y2) + " couleur=" + nombre(couleur) +
                   " trait=" + nombre(this->drawWidth_));
    }
    void BoitePleine(double x1, double y1, double x2, double y2, std::int32_t couleur) override {
        enregistre("BoitePleine " + rectangle(x1, y1, x2, y2) + " couleur=" + nombre(couleur));
    }
    void PaintPicture(const Texte& chemin, double x, double y, double l, double h) override {
        const auto image = images.find(chemin);
        if (image == images.end()) throw ErreurExecution(erreurs::FichierIntrouvable);
        if (!image->second) throw ErreurExecution(erreurs::ImageIncorrecte);
        enregistre("PaintPicture \"" + versUtf8(chemin) + "\" " + rectangle(x, y, x + l, y + h));
    }
    void Cls() override {
        enregistre("Cls");
        this->x_ = 0;
        this->y_ = 0;
    }

  protected:
    virtual void enregistre(std::string appel) { appels.push_back(std::move(appel)); }

  private:
    // Line breaks written out, so that a recording stays one call a line.
    static std::string visible(const Texte& texte) {
        std::string s;
        for (char c : versUtf8(texte)) {
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
        std::string p = versUtf8(this->fontName_) + " " + nombre(this->fontSize_);
        if (this->bold_) p += " gras";
        if (this->italic_) p += " italique";
        if (this->underline_) p += " souligné";
        if (this->strike_) p += " barré";
        return p;
    }
};

using SurfaceFactice = SurfaceFacticeDe<Surface>;

}  // namespace vitrail::test
