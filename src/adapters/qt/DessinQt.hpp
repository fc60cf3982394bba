#pragma once

#include <QColor>
#include <QDateTime>
#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QRawFont>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <unordered_map>
#include <vector>

#include "platform/EtatDessin.hpp"
#include "render/Caches.hpp"
#include "support/ErreurExecution.hpp"

namespace vitrail::qt {

QString versQString(const Texte& texte);
Texte depuisQString(const QString& texte);
// A colour red + 256 green + 65536 blue; the negative system colours draw in black.
QColor couleurQt(std::int32_t couleur);

// A font state as a surface draws it, with the device's resolution: measures taken in one
// state hold for every later use of it.
struct EtatPolice {
    Texte nom;
    float taille;
    bool gras;
    bool italique;
    bool souligne;
    bool barre;
    int dpiX;
    int dpiY;

    auto cle() const { return std::tie(nom, taille, gras, italique, souligne, barre, dpiX, dpiY); }
    bool operator==(const EtatPolice& autre) const { return cle() == autre.cle(); }
    bool operator<(const EtatPolice& autre) const { return cle() < autre.cle(); }
};

// The font and metrics objects of one state, made once, and the widths measured in it.
struct Police {
    Police(const EtatPolice& e, const QFont& f, QPaintDevice& appareil)
        : etat(e), font(f), metriques(f, &appareil), hauteur(metriques.height()) {}
    EtatPolice etat;
    QFont font;
    QFontMetricsF metriques;
    double hauteur;
    std::unordered_map<Texte, double> largeurs;
};

// Fonts and measures of one surface, bounded: past these counts everything measured so far is
// dropped and measured again as needed.
class MesuresPolices {
  public:
    static constexpr std::size_t PolicesMaximum = 256;
    static constexpr std::size_t LargeursMaximum = 1 << 15;

    // The entry of that state, made on first use.
    Police& police(const EtatPolice& etat, const std::function<QFont()>& fabrique,
                   QPaintDevice& appareil) {
        if (courante_ != nullptr && courante_->etat == etat) return *courante_;
        auto trouvee = polices_.find(etat);
        if (trouvee == polices_.end()) {
            if (polices_.size() >= PolicesMaximum) oublie();
            trouvee =
                polices_.emplace(etat, std::make_unique<Police>(etat, fabrique(), appareil)).first;
        }
        courante_ = trouvee->second.get();
        return *courante_;
    }
    double largeur(Police& police, const Texte& texte, const std::function<double()>& mesure) {
        const auto trouvee = police.largeurs.find(texte);
        if (trouvee != police.largeurs.end()) return trouvee->second;
        if (largeurs_ >= LargeursMaximum) {
            for (auto& [etat, p] : polices_)
                p->largeurs.clear();
            largeurs_ = 0;
        }
        const double l = mesure();
        police.largeurs.emplace(texte, l);
        ++largeurs_;
        return l;
    }
    // The entry of the state last asked for, if any.
    Police* courante() const { return courante_; }
    void oublie() {
        courante_ = nullptr;
        polices_.clear();
        largeurs_ = 0;
    }

  private:
    std::map<EtatPolice, std::unique_ptr<Police>> polices_;
    Police* courante_ = nullptr;
    std::size_t largeurs_ = 0;
};

// Drawing in twips on a Qt paint device: the control's backing image or the printer. Positions,
// font and pen are kept here, so they can be read and measured without a painter.
template <class Base>
class DessinQt : public EtatDessin<Base> {
  public:
    double TextWidth(const Texte& texte) override {
        const auto mesure = [&](const QFontMetricsF& m) {
            return m.horizontalAdvance(versQString(texte)) * TwipsParPouce /
                   appareil().logicalDpiX();
        };
        if (!caches::actifs()) return mesure(QFontMetricsF(police(), &appareil()));
        Police& p = policeEnCours();
        return mesures_.largeur(p, texte, [&] { return mesure(p.metriques); });
    }
    double TextHeight(const Texte&) override {
        const double hauteur = caches::actifs() ? policeEnCours().hauteur
                                                : QFontMetricsF(police(), &appareil()).height();
        return hauteur * TwipsParPouce / appareil().logicalDpiY();
    }

    std::uint64_t Resolution() const override {
        return static_cast<std::uint64_t>(appareil().logicalDpiX()) << 32 |
               static_cast<std::uint32_t>(appareil().logicalDpiY());
    }
    void OublieMesures() override {
        mesures_.oublie();
        images_.clear();
    }

    void Print(const Texte& texte) override {
        const QString q = versQString(texte);
        const bool reutilise = caches::actifs();
        const QFont f = reutilise ? policeEnCours().font : police();
        const QFontMetricsF m =
            reutilise ? policeEnCours().metriques : QFontMetricsF(f, &appareil());
        const QPointF coin = pixel(this->x_, this->y_);
        peins([&](QPainter& p) {
            p.setFont(p.device() == &appareil() ? f : tailleDuMoteur(f));
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
        const QFileInfo fichier(versQString(chemin));
        if (!fichier.isFile()) throw ErreurExecution(erreurs::FichierIntrouvable);
        const QImage image = charge(fichier);
        if (image.isNull()) throw ErreurExecution(erreurs::ImageIncorrecte);
        const QRectF cible = QRectF(pixel(x, y), pixel(x + l, y + h)).normalized();
        if (horsVue(cible)) return;
        peins([&](QPainter& p) { p.drawImage(cible, image); });
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
    // The font at the size the engine draws it on this device, which may be the asked size
    // rounded: a page or an SVG that names the asked size would draw wider text.
    QFont tailleDuMoteur(const QFont& f) const {
        QFont exacte(f);
        exacte.setPointSizeF(QRawFont::fromFont(QFont(f, &appareil())).pixelSize() * 72 /
                             appareil().logicalDpiY());
        return exacte;
    }

    // The device the drawing lands on, for its resolution and the font metrics.
    virtual QPaintDevice& appareil() const = 0;
    // Runs a drawing on a painter of the device, opening what needs opening first.
    virtual void peins(const std::function<void(QPainter&)>& dessin) = 0;
    // Whether a drawing over that rectangle of pixels would leave nothing on the device.
    virtual bool horsVue(const QRectF&) const { return false; }

    QPointF pixel(double x, double y) const {
        return {x * appareil().logicalDpiX() / TwipsParPouce,
                y * appareil().logicalDpiY() / TwipsParPouce};
    }

  private:
    // A picture file decoded once while it keeps its date and size.
    struct ImageConnue {
        QString chemin;
        QDateTime modification;
        qint64 taille;
        QImage image;
    };
    static constexpr std::size_t ImagesMaximum = 16;

    QImage charge(const QFileInfo& fichier) {
        if (!caches::actifs()) return QImage(fichier.filePath());
        for (const ImageConnue& connue : images_) {
            if (connue.chemin == fichier.filePath() &&
                connue.modification == fichier.lastModified() && connue.taille == fichier.size()) {
                return connue.image;
            }
        }
        if (images_.size() >= ImagesMaximum) images_.clear();
        images_.push_back({fichier.filePath(), fichier.lastModified(), fichier.size(),
                           QImage(fichier.filePath())});
        return images_.back().image;
    }

    Police& policeEnCours() {
        QPaintDevice& a = appareil();
        // The state of the last measure, compared in place: building the key would copy the
        // font's name on every measure.
        if (Police* c = mesures_.courante()) {
            const EtatPolice& e = c->etat;
            if (e.taille == this->fontSize_ && e.gras == this->bold_ &&
                e.italique == this->italic_ && e.souligne == this->underline_ &&
                e.barre == this->strike_ && e.dpiX == a.logicalDpiX() &&
                e.dpiY == a.logicalDpiY() && e.nom == this->fontName_) {
                return *c;
            }
        }
        return mesures_.police(
            {this->fontName_, this->fontSize_, this->bold_, this->italic_, this->underline_,
             this->strike_, a.logicalDpiX(), a.logicalDpiY()},
            [&] { return police(); }, a);
    }

    MesuresPolices mesures_;
    std::vector<ImageConnue> images_;
    // Text is drawn in the surface's text colour, which nothing changes.
    std::int32_t foreColor_ = 0;
};

}  // namespace vitrail::qt
