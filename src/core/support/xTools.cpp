#include "support/xTools.hpp"

#include <algorithm>

#include "support/Conversions.hpp"

namespace vitrail {

namespace {

Message messageCalcul(const ErreurExecution& erreur, const char32_t* titre) {
    Texte texte = U"An error N°";
    texte += depuisUtf8(std::to_string(erreur.numero()));
    texte += U" ('";
    texte += erreur.description();
    texte += U"') occured during calculation ";
    return {texte, Boutons::OK, Icone::Aucune, Texte(titre)};
}

// The extreme of at least two values by the given ordering, starting from element 0.
template <class Meilleur>
Variant extreme(const Valeurs& valeurs, Variant resultat, Meilleur estMeilleur, BoiteMessage& boite,
                const char32_t* titre) {
    try {
        if (valeurs.size() < 2) return resultat;
        resultat = valeurs[0];
        for (std::size_t i = 1; i < valeurs.size(); ++i) {
            if (estMeilleur(comparer(valeurs[i], resultat))) resultat = valeurs[i];
        }
    } catch (const ErreurExecution& erreur) {
        boite.MsgBox(messageCalcul(erreur, titre));
    }
    return resultat;
}

std::int32_t borne255(const Variant& v, BoiteMessage& boite) {
    return MaxValeurs({std::int32_t{0}, MinValeurs({v, std::int32_t{255}}, boite)}, boite)
        .versLong();
}

}  // namespace

Texte CouleurHtml(std::int32_t couleur, BoiteMessage& boite) {
    const std::int32_t bas = couleur % 65536;
    const double bleuBrut =
        arrondiPair(arrondiPair((static_cast<double>(couleur) - bas) / 256) / 256);
    const std::int32_t bleu = borne255(CLng(bleuBrut), boite);
    const std::int32_t rougeBrut = bas % 256;
    const std::int32_t vert = borne255(CLng((bas - rougeBrut) / 256.0), boite);
    const std::int32_t rouge = borne255(rougeBrut, boite);
    return U"#" + HexSurLongueur(rouge, 2) + HexSurLongueur(vert, 2) + HexSurLongueur(bleu, 2);
}

Texte HexSurLongueur(std::int32_t valeur, std::int16_t longueur) {
    static constexpr char32_t chiffres[] = U"0123456789ABCDEF";
    auto reste = static_cast<std::uint32_t>(valeur);
    Texte hex;
    do {
        hex.insert(hex.begin(), chiffres[reste % 16]);
        reste /= 16;
    } while (reste != 0);
    if (hex.size() < static_cast<std::size_t>(std::max<std::int16_t>(longueur, 0))) {
        hex.insert(0, longueur - hex.size(), U'0');
    }
    return hex;
}

Variant MaxValeurs(const Valeurs& valeurs, BoiteMessage& boite) {
    return extreme(
        valeurs, std::int16_t{0}, [](int c) { return c > 0; }, boite, U"Calculate a maximum");
}

Variant MinValeurs(const Valeurs& valeurs, BoiteMessage& boite) {
    return extreme(
        valeurs, 1e300, [](int c) { return c < 0; }, boite, U"Calculate a minimum");
}

Variant uMax(const Valeurs& valeurs,
             const std::function<void(const ErreurExecution&)>& rapportErreur) {
    Variant resultat;
    try {
        for (const Variant& v : valeurs) {
            if (comparer(resultat, v) <= 0) resultat = v;
        }
    } catch (const ErreurExecution& erreur) {
        rapportErreur(erreur);
    }
    return resultat;
}

}  // namespace vitrail
