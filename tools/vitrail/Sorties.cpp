#include "Sorties.hpp"

#include <QBuffer>
#include <QImageWriter>
#include <csignal>
#include <stdexcept>
#include <system_error>

#include "vitrail/Fichiers.hpp"

namespace vitrail::outil {

void ecritPng(const QImage& image, const std::string& chemin) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    QImageWriter png(&tampon, "png");
    if (!png.write(image)) {
        throw std::runtime_error("cannot write " + chemin + ": " + png.errorString().toStdString());
    }
    try {
        ecritFichier(chemin, {octets.constData(), static_cast<std::size_t>(octets.size())});
    } catch (const std::system_error& e) {
        throw std::runtime_error(std::string("cannot write ") + e.what());
    }
}

void prepareSignaux() {
    nettoieSurSignal({SIGINT, SIGTERM, SIGHUP});
    std::signal(SIGXFSZ, SIG_IGN);
}

}  // namespace vitrail::outil
