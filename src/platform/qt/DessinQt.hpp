#pragma once

#include <QColor>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QString>
#include <functional>

#include "platform/EtatDessin.hpp"
#include "support/ErreurExecution.hpp"

namespace vitrail::qt {

QString versQString(const Texte& texte);
Texte depuisQString(const QString& texte);
// A colour red + 256 green + 65536 blue; the negative system colours draw in black.
QColor couleurQt(std::int32_t couleur);

// Drawing in twips on a Qt paint device: the control's backing image or the printer. Positions,
// font and pen are kept here, so they can be read and measured without a painter.
template <class Base>
class DessinQt : public EtatDessin<Base> {
  public:
    static constexpr double TwipsParPouce = 1440;

    double TextWidth(const Texte& texte) override {
        return metriques().horizontalAdvance(versQString(texte)) * TwipsParPouce /
               appareil().logicalDpiX();
    }
    double TextHeight(const Texte&) override {
        return metriques().height() * TwipsParPouce / appareil().logicalDpiY();
    }

    void Print(const Texte& texte) override {
        const QString q = versQString(texte);
        const QFontMetricsF m = metriques();
        const QPointF coin = pixel(this->x_, this->y_);
        peins([&](QPainter& p) {
            p.setFont(police());
            if (!this->transparent_) {
                p.fillRect(QRectF(coin, QSizeF(m.horizontalAdvance(q), m.height())),
                           couleurQt(this->backColor_));
            }
            p.setPen(couleurQt(foreColor_));
            p.drawText(coin + QPointF(0, m.ascent()), q);
        });
        this->y_ += TextHeight(texte);
        this->x_ = 0;
    }

    void Boite(double x1, double y1, double x2, double y2, std::int32_t couleur) override {
        peins([&](QPainter& p) {
            QPen stylo(couleurQt(couleur));
            stylo.setWidthF(std::max<int>(this->drawWidth_, 1));
            stylo.setJoinStyle(Qt::MiterJoin);
            p.setPen(stylo);
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(pixel(x1, y1), pixel(x2, y2)).normalized());
        });
    }
    void BoitePleine(double x1, double y1, double x2, double y2, std::int32_t couleur) override {
        peins([&](QPainter& p) {
            p.fillRect(QRectF(pixel(x1, y1), pixel(x2, y2)).normalized(), couleurQt(couleur));
        });
    }
    void PaintPicture(const Texte& chemin, double x, double y, double l, double h) override {
        const QString fichier = versQString(chemin);
        if (!QFileInfo(fichier).isFile()) throw ErreurExecution(erreurs::FichierIntrouvable);
        const QImage image(fichier);
        if (image.isNull()) throw ErreurExecution(erreurs::ImageIncorrecte);
        peins([&](QPainter& p) {
            p.drawImage(QRectF(pixel(x, y), pixel(x + l, y + h)).normalized(), image);
        });
    }

    QFont police() const {
        QFont f(versQString(this->fontName_));
        if (this->fontSize_ > 0) f.setPointSizeF(this->fontSize_);
        f.setBold(this->bold_);
        f.setItalic(this->italic_);
        f.setUnderline(this->underline_);
        f.setStrikeOut(this->strike_);
        return f;
    }

  protected:
    // The device the drawing lands on, for its resolution and the font metrics.
    virtual QPaintDevice& appareil() const = 0;
    // Runs a drawing on a painter of the device, opening what needs opening first.
    virtual void peins(const std::function<void(QPainter&)>& dessin) = 0;

    QPointF pixel(double x, double y) const {
        return {x * appareil().logicalDpiX() / TwipsParPouce,
                y * appareil().logicalDpiY() / TwipsParPouce};
    }
    QFontMetricsF metriques() const { return QFontMetricsF(police(), &appareil()); }

  private:
    // Text is drawn in the surface's text colour, which nothing changes.
    std::int32_t foreColor_ = 0;
};

}  // namespace vitrail::qt
