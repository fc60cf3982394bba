#include "platform/qt/SurfaceQt.hpp"

#include <QBuffer>
#include <QImageWriter>
#include <cmath>
#include <stdexcept>

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
    : dpi_(pointsParPouce), image_(imageVierge(1, 1, pointsParPouce, Qt::white)) {}

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
}

std::string SurfaceQt::Png() const {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QImageWriter png(&tampon, "png");
    if (!png.write(image())) throw std::runtime_error(png.errorString().toStdString());
    return {octets.constData(), static_cast<std::size_t>(octets.size())};
}

}  // namespace vitrail::qt
