#include "qt/ExportQt.hpp"

#include <QBuffer>
#include <QImageWriter>
#include <QSvgGenerator>
#include <cmath>
#include <stdexcept>

#include "qt/PageHtml5.hpp"
#include "qt/SurfaceQt.hpp"

namespace vitrail::qt {

namespace {

std::string png(const QImage& image) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QImageWriter ecrivain(&tampon, "png");
    if (!ecrivain.write(image)) throw std::runtime_error(ecrivain.errorString().toStdString());
    return {octets.constData(), static_cast<std::size_t>(octets.size())};
}

// Runs the pass with a witness device and takes it off whatever happens.
bool passeAvecTemoin(SurfaceQt& surface, QPaintDevice& temoin, const std::function<bool()>& passe) {
    surface.temoin(&temoin);
    try {
        const bool faite = passe();
        surface.temoin(nullptr);
        return faite;
    } catch (...) {
        surface.temoin(nullptr);
        throw;
    }
}

}  // namespace

std::optional<std::string> dessineImage(SurfaceQt& surface, eFormatImage format,
                                        const PageImage& page, const std::function<bool()>& passe) {
    const QSize taille = surface.image().size();
    switch (format) {
        case eiFormatHtml5: {
            PageHtml5 html(taille, surface.pointsParPouce());
            if (!passeAvecTemoin(surface, html, passe)) return std::nullopt;
            return html.document(page);
        }
        case eiFormatSvg: {
            QByteArray octets;
            QBuffer tampon(&octets);
            QSvgGenerator svg;
            svg.setOutputDevice(&tampon);
            svg.setSize(taille);
            svg.setViewBox(QRect(QPoint(0, 0), taille));
            svg.setResolution(static_cast<int>(std::lround(surface.pointsParPouce())));
            svg.setTitle(QString::fromStdString(page.titre));
            if (!passeAvecTemoin(surface, svg, passe)) return std::nullopt;
            return std::string(octets.constData(), static_cast<std::size_t>(octets.size()));
        }
        default:
            if (!passe()) return std::nullopt;
            return png(surface.image());
    }
}

}  // namespace vitrail::qt
