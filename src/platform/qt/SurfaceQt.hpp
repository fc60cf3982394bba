#pragma once

#include <QImage>
#include <QPainter>
#include <memory>

#include "platform/qt/DessinQt.hpp"

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
    double TwipsParPixel() const override { return TwipsParPouce / dpi_; }
    std::string Png() const override;

  protected:
    QPaintDevice& appareil() const override { return image_; }
    void peins(const std::function<void(QPainter&)>& dessin) override;
    bool horsVue(const QRectF& rectangle) const override {
        return !rectangle.intersects(QRectF(image_.rect()));
    }

  private:
    void finitPeintre() const;

    double dpi_;
    double largeur_ = 0;
    double hauteur_ = 0;
    mutable QImage image_;
    quint64 generation_ = 0;
    // One painter for all the drawing of a pass, ended whenever the image is read or replaced.
    mutable std::unique_ptr<QPainter> peintre_;
};

}  // namespace vitrail::qt
