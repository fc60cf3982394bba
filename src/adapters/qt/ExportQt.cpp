#include "qt/ExportQt.hpp"

#include <QBuffer>
#include <QImageWriter>
#include <QSvgGenerator>
#include <optional>
#include <stdexcept>
#include <system_error>

#include "support/FichierAtomique.hpp"

namespace vitrail::qt {

namespace {

void ecrit(const std::string& chemin, const QByteArray& octets) {
    try {
        FichierAtomique fichier(chemin);
        fichier.ecrit({octets.constData(), static_cast<std::size_t>(octets.size())});
        fichier.termine();
    } catch (const std::system_error& e) {
        throw std::runtime_error(std::string("cannot write ") + e.what());
    }
}

QByteArray png(const QImage& image, const std::string& chemin) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QImageWriter ecrivain(&tampon, "png");
    if (!ecrivain.write(image)) {
        throw std::runtime_error("cannot write " + chemin + ": " +
                                 ecrivain.errorString().toStdString());
    }
    return octets;
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

void exporte(SurfaceQt& surface, const PageExportee& page, const std::function<bool()>& passe) {
    const QSize taille = surface.image().size();
    const auto echec = [&] {
        return std::runtime_error(page.chemin + " not written: the drawing failed");
    };
    QByteArray octets;
    switch (page.format) {
        case FormatPage::Png:
            if (!passe()) throw echec();
            octets = png(surface.image(), page.chemin);
            break;
        case FormatPage::Svg: {
            QBuffer tampon(&octets);
            QSvgGenerator svg;
            svg.setOutputDevice(&tampon);
            svg.setSize(taille);
            svg.setViewBox(QRect(QPoint(0, 0), taille));
            svg.setResolution(static_cast<int>(std::lround(surface.pointsParPouce())));
            svg.setTitle(QString::fromStdString(page.titre));
            if (!passeAvecTemoin(surface, svg, passe)) throw echec();
            break;
        }
        case FormatPage::Html5: {
            PageHtml5 html(taille, surface.pointsParPouce());
            if (!passeAvecTemoin(surface, html, passe)) throw echec();
            const std::string texte = html.document(page.titre, page.papier);
            octets = QByteArray(texte.data(), static_cast<qsizetype>(texte.size()));
            break;
        }
    }
    ecrit(page.chemin, octets);
}

}  // namespace vitrail::qt
