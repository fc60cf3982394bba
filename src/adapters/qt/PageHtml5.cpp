#include "qt/PageHtml5.hpp"

#include <QBuffer>
#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>
#include <QRawFont>
#include <climits>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

namespace vitrail::qt {

namespace {

constexpr char DossierLiberation[] = "/usr/share/fonts/truetype/liberation/";
constexpr double MillimetresParPouce = 25.4;
// A CSS pixel is a 96th of an inch, whatever the screen.
constexpr double PixelsCssParMillimetre = 96 / MillimetresParPouce;

std::string nombre(double v, int decimales = 2) {
    char texte[32];
    const double zero = 0.5 * std::pow(10.0, -decimales);
    std::snprintf(texte, sizeof texte, "%.*f", decimales, std::abs(v) < zero ? 0.0 : v);
    std::string s = texte;
    while (s.back() == '0')
        s.pop_back();
    if (s.back() == '.') s.pop_back();
    return s;
}

std::string px(double v) {
    return nombre(v) + "px";
}

// Text as character data: nothing in it can open a tag, an entity or leave an attribute.
std::string echappe(const QString& texte) {
    std::string sortie;
    for (const char c : texte.toStdString()) {
        switch (c) {
            case '&':
                sortie += "&amp;";
                break;
            case '<':
                sortie += "&lt;";
                break;
            case '>':
                sortie += "&gt;";
                break;
            case '"':
                sortie += "&quot;";
                break;
            case '\'':
                sortie += "&#39;";
                break;
            default:
                sortie += c;
        }
    }
    return sortie;
}

std::string couleur(const QColor& c) {
    return c.name(QColor::HexRgb).toStdString();
}

std::string position(const QRectF& r) {
    return "left:" + px(r.left()) + ";top:" + px(r.top()) + ";width:" + px(r.width()) +
           ";height:" + px(r.height());
}

// The file of a Liberation face, by family and style, as Debian installs them.
std::string fichierLiberation(const QString& famille, bool gras, bool italique) {
    QString nom = famille;
    nom.remove(QLatin1Char(' '));
    const char* style = gras && italique ? "BoldItalic"
                        : gras           ? "Bold"
                        : italique       ? "Italic"
                                         : "Regular";
    return DossierLiberation + nom.toStdString() + "-" + style + ".ttf";
}

std::string facesDe(const QString& famille) {
    if (!famille.startsWith(QStringLiteral("Liberation"))) return {};
    std::string faces;
    for (const bool gras : {false, true}) {
        for (const bool italique : {false, true}) {
            const std::string fichier = fichierLiberation(famille, gras, italique);
            const std::string local =
                famille.toStdString() + (gras ? " Bold" : "") + (italique ? " Italic" : "");
            faces += "@font-face{font-family:\"" + famille.toStdString() + "\";src:local(\"" +
                     local + "\")";
            if (QFileInfo::exists(QString::fromStdString(fichier))) {
                faces += ",url(\"file://" + fichier + "\") format(\"truetype\")";
            }
            faces += std::string(";font-weight:") + (gras ? "700" : "400") +
                     ";font-style:" + (italique ? "italic" : "normal") + "}\n";
        }
    }
    return faces;
}

}  // namespace

// Each drawing becomes one absolutely placed element, in drawing order, so that later ones lie
// over earlier ones as on the image.
class MoteurHtml5 : public QPaintEngine {
  public:
    explicit MoteurHtml5(const PageHtml5& page) : QPaintEngine(AllFeatures), page_(page) {}

    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }

    void drawRects(const QRectF* rectangles, int nombre) override {
        for (int i = 0; i < nombre; ++i)
            rectangle(state->transform().mapRect(rectangles[i]));
    }
    void drawRects(const QRect* rectangles, int nombre) override {
        for (int i = 0; i < nombre; ++i)
            rectangle(state->transform().mapRect(QRectF(rectangles[i])));
    }
    // Lines and polygons come from text decorations and strokes that are not rectangles: the
    // lines of the page are all upright, so each is its bounding box.
    void drawPolygon(const QPointF* points, int nombre, PolygonDrawMode mode) override {
        QPolygonF polygone;
        for (int i = 0; i < nombre; ++i)
            polygone << state->transform().map(points[i]);
        trace(polygone.boundingRect(), mode == PolylineMode);
    }
    void drawPolygon(const QPoint* points, int nombre, PolygonDrawMode mode) override {
        QPolygonF polygone;
        for (int i = 0; i < nombre; ++i)
            polygone << QPointF(points[i]);
        drawPolygon(polygone.constData(), nombre, mode);
    }
    void drawLines(const QLineF* lignes, int nombre) override {
        for (int i = 0; i < nombre; ++i) {
            const QPointF bouts[] = {lignes[i].p1(), lignes[i].p2()};
            drawPolygon(bouts, 2, PolylineMode);
        }
    }
    void drawLines(const QLine* lignes, int nombre) override {
        for (int i = 0; i < nombre; ++i) {
            const QPointF bouts[] = {QPointF(lignes[i].p1()), QPointF(lignes[i].p2())};
            drawPolygon(bouts, 2, PolylineMode);
        }
    }
    void drawPath(const QPainterPath& chemin) override {
        trace(state->transform().map(chemin).boundingRect(), false);
    }
    void drawPixmap(const QRectF& cible, const QPixmap& pixmap, const QRectF& source) override {
        drawImage(cible, pixmap.toImage(), source, Qt::AutoColor);
    }
    void drawImage(const QRectF& cible, const QImage& image, const QRectF& source,
                   Qt::ImageConversionFlags) override {
        const QRectF r = state->transform().mapRect(cible);
        elements += "<img alt=\"\" src=\"" + urlDonnees(image, source) + "\" style=\"" +
                    position(r) + "\">\n";
    }
    void drawTextItem(const QPointF& origine, const QTextItem& item) override {
        const QFont f = item.font();
        const QFontMetricsF m(f, &page_);
        const QString famille = QFontInfo(f).family();
        familles.insert(famille);
        const QPointF ligne = state->transform().map(origine);
        // The size the font engine drew at, which may be the asked size rounded.
        const double taille = QRawFont::fromFont(f).pixelSize();
        std::string texte = echappe(item.text());
        if (f.strikeOut()) texte = "<s>" + texte + "</s>";
        if (f.underline()) texte = "<u>" + texte + "</u>";
        if (f.italic()) texte = "<i>" + texte + "</i>";
        if (f.bold()) texte = "<b>" + texte + "</b>";
        // The width the layout measured: the browser draws the run, it does not place it.
        std::string style = "left:" + px(ligne.x()) + ";top:" + px(ligne.y() - m.ascent()) +
                            ";width:" + px(m.horizontalAdvance(item.text())) +
                            ";font-size:" + px(taille) +
                            ";line-height:" + px(m.ascent() + m.descent()) + ";font-family:'" +
                            echappe(famille) + "'";
        const QColor encre = state->pen().color();
        if (encre != Qt::black) style += ";color:" + couleur(encre);
        elements += "<span style=\"" + style + "\">" + texte + "</span>\n";
    }

    std::string elements;
    std::set<QString> familles;

  private:
    // A stroke as a block of the pen's colour, or a shape filled with the brush.
    void trace(const QRectF& r, bool trait) {
        if (trait) {
            const QPen& stylo = state->pen();
            if (stylo.style() == Qt::NoPen) return;
            const double l = std::max(stylo.widthF(), 1.0);
            elements += "<div style=\"" + position(r.adjusted(-l / 2, -l / 2, l / 2, l / 2)) +
                        ";background:" + couleur(stylo.color()) + "\"></div>\n";
            return;
        }
        const QBrush& fond = state->brush();
        if (fond.style() == Qt::NoBrush) return;
        elements +=
            "<div style=\"" + position(r) + ";background:" + couleur(fond.color()) + "\"></div>\n";
    }

    void rectangle(const QRectF& r) {
        const QBrush& fond = state->brush();
        if (fond.style() != Qt::NoBrush) {
            elements += "<div style=\"" + position(r) + ";background:" + couleur(fond.color()) +
                        "\"></div>\n";
        }
        const QPen& stylo = state->pen();
        if (stylo.style() == Qt::NoPen) return;
        // The pen is centred on the outline, as the image draws it.
        const double l = std::max(stylo.widthF(), 1.0);
        const QRectF bord = r.adjusted(-l / 2, -l / 2, l / 2, l / 2);
        elements += "<div style=\"" + position(bord) + ";border:" + px(l) + " solid " +
                    couleur(stylo.color()) + "\"></div>\n";
    }

    std::string urlDonnees(const QImage& image, const QRectF& source) {
        const qint64 cle = image.cacheKey();
        const auto connue = images_.find(cle);
        if (connue != images_.end() && source == QRectF(image.rect())) return connue->second;
        const QImage partie =
            source == QRectF(image.rect()) ? image : image.copy(source.toAlignedRect());
        QByteArray octets;
        QBuffer tampon(&octets);
        tampon.open(QIODevice::WriteOnly);
        partie.save(&tampon, "PNG");
        std::string url = "data:image/png;base64," + octets.toBase64().toStdString();
        if (source == QRectF(image.rect())) images_[cle] = url;
        return url;
    }

    const PageHtml5& page_;
    std::map<qint64, std::string> images_;
};

PageHtml5::PageHtml5(QSize pixels, double pointsParPouce)
    : pixels_(pixels), dpi_(pointsParPouce), moteur_(std::make_unique<MoteurHtml5>(*this)) {}

PageHtml5::~PageHtml5() = default;

QPaintEngine* PageHtml5::paintEngine() const {
    return moteur_.get();
}

int PageHtml5::metric(PaintDeviceMetric mesure) const {
    switch (mesure) {
        case PdmWidth:
            return pixels_.width();
        case PdmHeight:
            return pixels_.height();
        case PdmWidthMM:
            return static_cast<int>(std::lround(pixels_.width() * MillimetresParPouce / dpi_));
        case PdmHeightMM:
            return static_cast<int>(std::lround(pixels_.height() * MillimetresParPouce / dpi_));
        case PdmNumColors:
            return INT_MAX;
        case PdmDepth:
            return 32;
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return static_cast<int>(std::lround(dpi_));
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return QPaintDevice::metric(mesure);
    }
}

std::string PageHtml5::document(const PageImage& papier) const {
    // The sheet, less the margins, in CSS pixels; the planning is scaled to fit it in print.
    const double largeurFeuille = papier.a3 ? 420 : 297;
    const double hauteurFeuille = papier.a3 ? 297 : 210;
    const double marge = 10;
    const double largeur = (papier.portrait ? hauteurFeuille : largeurFeuille) - 2 * marge;
    const double hauteur = (papier.portrait ? largeurFeuille : hauteurFeuille) - 2 * marge;
    const double echelle = std::min(largeur * PixelsCssParMillimetre / pixels_.width(),
                                    hauteur * PixelsCssParMillimetre / pixels_.height());
    std::string page = "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n";
    page += "<title>" + echappe(QString::fromStdString(papier.titre)) + "</title>\n<style>\n";
    for (const QString& famille : moteur_->familles)
        page += facesDe(famille);
    page += "html,body{margin:0;padding:0;background:#fff}\n";
    page +=
        ".planning{position:relative;overflow:hidden;background:#fff;width:" + px(pixels_.width()) +
        ";height:" + px(pixels_.height()) + "}\n";
    page += ".planning>*{position:absolute;margin:0;padding:0;box-sizing:border-box}\n";
    page += ".planning>span{white-space:pre}\n";
    page += std::string("@page{size:") + (papier.a3 ? "A3" : "A4") +
            (papier.portrait ? " portrait" : " landscape") + ";margin:" + nombre(marge) + "mm}\n";
    page += "@media print{.planning{zoom:" + nombre(echelle, 6) + "}}\n";
    page += "</style>\n</head>\n<body>\n<div class=\"planning\">\n";
    page += moteur_->elements;
    page += "</div>\n</body>\n</html>\n";
    return page;
}

}  // namespace vitrail::qt
