#include "qt/DessinQt.hpp"

namespace vitrail::qt {

QString versQString(const Texte& texte) {
    return QString::fromUcs4(texte.data(), static_cast<qsizetype>(texte.size()));
}

Texte depuisQString(const QString& texte) {
    const QList<uint> ucs4 = texte.toUcs4();
    return Texte(ucs4.begin(), ucs4.end());
}

QColor couleurQt(std::int32_t couleur) {
    if (couleur < 0) return QColor(Qt::black);
    return QColor(couleur & 0xFF, (couleur >> 8) & 0xFF, (couleur >> 16) & 0xFF);
}

}  // namespace vitrail::qt
