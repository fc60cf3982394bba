#include "Svg.hpp"

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>
#include <stdexcept>
#include <system_error>

#include "output/MontrePlan.hpp"
#include "platform/qt/SurfaceQt.hpp"
#include "support/FichierAtomique.hpp"

namespace vitrail::outil {

void svg(TracPlanDLL& plan, const Options& o, const std::string& sortie) {
    TracPlanOCX& controle = plan.Formulaire().TracPlanOCX1;
    auto& surface = static_cast<qt::SurfaceQt&>(controle.surface());
    const double twipsParPixel = 1440 / surface.pointsParPouce();
    surface.Redimensionne(o.largeurPixels * twipsParPixel, o.hauteurPixels * twipsParPixel);
    // As for png: the first pass sets the viewer's scale, which the zoom then changes.
    if (o.zoom) {
        controle.Imprime({.pbForceTracé = true});
        controle.idZoom = *o.zoom;
    }
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QSvgGenerator generateur;
    generateur.setOutputDevice(&tampon);
    const QSize taille = surface.image().size();
    generateur.setSize(taille);
    generateur.setViewBox(QRect(QPoint(0, 0), taille));
    // Point sizes give the same pixels as on the image.
    generateur.setResolution(static_cast<int>(std::lround(surface.pointsParPouce())));
    generateur.setTitle(QString::fromStdString(plan.psScreenCaption()));
    {
        QPainter peintre;
        if (!peintre.begin(&generateur)) throw std::runtime_error("cannot write " + sortie);
        peintre.setRenderHint(QPainter::Antialiasing, false);
        peintre.setRenderHint(QPainter::TextAntialiasing, true);
        surface.miroir(&peintre);
        try {
            controle.Imprime({.pbForceTracé = true});
        } catch (...) {
            surface.miroir(nullptr);
            throw;
        }
        surface.miroir(nullptr);
    }
    // A drawing that failed replaces nothing: the previous file stays.
    if (controle.ibAbandon) throw std::runtime_error(sortie + " not written: the drawing failed");
    try {
        FichierAtomique fichier(sortie);
        fichier.ecrit({octets.constData(), static_cast<std::size_t>(octets.size())});
        fichier.termine();
    } catch (const std::system_error& e) {
        throw std::runtime_error(std::string("cannot write ") + e.what());
    }
}

}  // namespace vitrail::outil
