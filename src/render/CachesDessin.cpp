#include "render/CachesDessin.hpp"

namespace vitrail {

namespace {

void melange(std::size_t& h, std::size_t v) {
    h ^= v + 0x9e3779b97f4a7c15ULL + (h << 6) + (h >> 2);
}

template <class T>
std::size_t hache(const T& v) {
    return std::hash<T>{}(v);
}

}  // namespace

std::size_t CachesDessin::HachageMiseEnPage::operator()(const CleMiseEnPage& c) const {
    std::size_t h = hache(c.texte);
    melange(h, hache(c.largeur));
    melange(h, hache(c.hauteur));
    melange(h, hache(c.taille));
    melange(h, hache(c.police));
    melange(h, hache(c.taillePolice));
    melange(h, static_cast<std::size_t>(c.gras) | static_cast<std::size_t>(c.italique) << 1 |
                   static_cast<std::size_t>(c.souligne) << 2 |
                   static_cast<std::size_t>(c.barre) << 3);
    melange(h, hache(c.cible));
    melange(h, hache(c.resolution));
    return h;
}

std::size_t CachesDessin::HachageCadre::operator()(const CleCadre& c) const {
    std::size_t h = hache(c.numero);
    melange(h, hache(c.zoom));
    melange(h, hache(c.echelleX));
    melange(h, hache(c.echelleY));
    return h;
}

const MiseEnPageConnue* CachesDessin::miseEnPage(const CleMiseEnPage& cle) const {
    const auto trouvee = misesEnPage_.find(cle);
    return trouvee == misesEnPage_.end() ? nullptr : &trouvee->second;
}

void CachesDessin::garde(CleMiseEnPage cle, MiseEnPageConnue valeur) {
    if (misesEnPage_.size() >= Capacite) misesEnPage_.clear();
    misesEnPage_.insert_or_assign(std::move(cle), std::move(valeur));
}

const CadreDessine* CachesDessin::cadre(std::int32_t numero, double zoom, double echelleX,
                                        double echelleY) const {
    const auto trouve = cadres_.find({numero, zoom, echelleX, echelleY});
    return trouve == cadres_.end() ? nullptr : &trouve->second;
}

void CachesDessin::garde(double zoom, double echelleX, double echelleY, CadreDessine cadre) {
    if (cadres_.size() >= Capacite) cadres_.clear();
    const CleCadre cle{cadre.cadre.iNoObjet, zoom, echelleX, echelleY};
    cadres_.insert_or_assign(cle, std::move(cadre));
}

void CachesDessin::oublie() {
    misesEnPage_.clear();
    cadres_.clear();
}

}  // namespace vitrail
