#include "qt/SurfaceQt.hpp"

#include <algorithm>
#include <cmath>

#include "qt/ExportQt.hpp"

namespace vitrail::qt {

namespace {

constexpr double PoucesParMetre = 1 / 0.0254;

QImage imageVierge(int largeur, int hauteur, double dpi, const QColor& fond) {
    QImage image(std::max(largeur, 1), std::max(hauteur, 1), QImage::Format_RGB32);
    const int pointsParMetre = static_cast<int>(std::lround(dpi * PoucesParMetre));
    image.setDotsPerMeterX(pointsParMetre);
    image.setDotsPerMeterY(pointsParMetre);
    image.fill(fond);
    return image;
}

}  // namespace

SurfaceQt::SurfaceQt(double pointsParPouce)
    : dpiPropre_(pointsParPouce),
      dpi_(pointsParPouce),
      image_(imageVierge(1, 1, pointsParPouce, Qt::white)) {}

void SurfaceQt::Redimensionne(double largeur, double hauteur) {
    largeur_ = largeur;
    hauteur_ = hauteur;
    const int l = static_cast<int>(std::ceil(largeur * dpi_ / TwipsParPouce));
    const int h = static_cast<int>(std::ceil(hauteur * dpi_ / TwipsParPouce));
    if (l == image_.width() && h == image_.height()) return;
    finitPeintre();
    // What was drawn stays in view until the next pass draws the new size.
    QImage nouvelle = imageVierge(l, h, dpi_, couleurQt(BackColor()));
    QPainter(&nouvelle).drawImage(0, 0, image_);
    image_ = nouvelle;
    ++generation_;
}

void SurfaceQt::resolution(double pointsParPouce) {
    if (pointsParPouce == dpi_) return;
    finitPeintre();
    dpi_ = pointsParPouce;
    image_ = imageVierge(static_cast<int>(std::ceil(largeur_ * dpi_ / TwipsParPouce)),
                         static_cast<int>(std::ceil(hauteur_ * dpi_ / TwipsParPouce)), dpi_,
                         couleurQt(BackColor()));
    ++generation_;
}

void SurfaceQt::Cls() {
    finitPeintre();
    ++generation_;
    image_.fill(couleurQt(BackColor()));
    CurrentX(0);
    CurrentY(0);
}

const QImage& SurfaceQt::image() const {
    finitPeintre();
    return image_;
}

void SurfaceQt::finitPeintre() const {
    peintre_.reset();
}

void SurfaceQt::peins(const std::function<void(QPainter&)>& dessin) {
    ++generation_;
    if (!caches::actifs()) finitPeintre();
    if (!peintre_) {
        peintre_ = std::make_unique<QPainter>(&image_);
        peintre_->setRenderHint(QPainter::Antialiasing, false);
        peintre_->setRenderHint(QPainter::TextAntialiasing, true);
    }
    dessin(*peintre_);
    if (!caches::actifs()) finitPeintre();
    if (peintreTemoin_) dessin(*peintreTemoin_);
}

void SurfaceQt::temoin(QPaintDevice* appareil) {
    peintreTemoin_.reset();
    if (appareil == nullptr) return;
    peintreTemoin_ = std::make_unique<QPainter>(appareil);
    peintreTemoin_->setRenderHint(QPainter::Antialiasing, false);
    peintreTemoin_->setRenderHint(QPainter::TextAntialiasing, true);
}

std::optional<std::string> SurfaceQt::Image(eFormatImage format, const PageImage& page,
                                            const std::function<bool()>& passe) {
    return dessineImage(*this, format, page, passe);
}

void SurfaceQt::Agrandit(double echelle) {
    resolution(std::max(1.0, std::round(dpiPropre_ * echelle)));
}

}  // namespace vitrail::qt
