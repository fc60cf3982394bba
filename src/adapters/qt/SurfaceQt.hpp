#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "qt/DessinQt.hpp"

namespace vitrail::qt {

// The control's drawing area: a backing image that passes draw into and the window shows.
// Twips map to pixels by the display's logical resolution.
class SurfaceQt : public DessinQt<Surface> {
  public:
    explicit SurfaceQt(double pointsParPouce);

    double Width() const override { return largeur_; }
    double Height() const override { return hauteur_; }
    void Redimensionne(double largeur, double hauteur) override;
    void Cls() override;

    // What the passes drew; the painter is finished first, so a copy taken now never changes.
    const QImage& image() const;
    // Changes with every drawing, so that a view knows when to show the image again.
    quint64 generation() const { return generation_; }
    double pointsParPouce() const { return dpi_; }
    // Another device of the same size and resolution (an SVG or HTML page) that gets every
    // drawing the image gets, until it is taken off with nullptr.
    void temoin(QPaintDevice* appareil);
    // The same drawing in more or fewer pixels, text included; what was drawn is dropped.
    void resolution(double pointsParPouce);
    double TwipsParPixel() const override { return TwipsParPouce / dpi_; }
    std::optional<std::string> Image(eFormatImage format, const PageImage& page,
                                     const std::function<bool()>& passe) override;
    void Agrandit(double echelle) override;

  protected:
    QPaintDevice& appareil() const override { return image_; }
    void peins(const std::function<void(QPainter&)>& dessin) override;
    bool horsVue(const QRectF& rectangle) const override {
        return !rectangle.intersects(QRectF(image_.rect()));
    }

  private:
    void finitPeintre() const;

    // The display's resolution, which Agrandit multiplies.
    const double dpiPropre_;
    double dpi_;
    double largeur_ = 0;
    double hauteur_ = 0;
    mutable QImage image_;
    quint64 generation_ = 0;
    // One painter for all the drawing of a pass, ended whenever the image is read or replaced.
    mutable std::unique_ptr<QPainter> peintre_;
    std::unique_ptr<QPainter> peintreTemoin_;
};

}  // namespace vitrail::qt
