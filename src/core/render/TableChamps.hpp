#pragma once

// Every frame argument and every setting, once: its name, where a host gives it, where the
// control receives it, where a stored frame keeps it and which setting stands in for its marker.
// The public class, the C interface, the planning reader, the frame store and the frame drawing
// all walk these tables; adding an argument means a line here, its member in each struct that
// holds it, and its entry in the file format's schema.

#include <cstddef>
#include <tuple>
#include <type_traits>
#include <utility>

#include "render/CadreDef.hpp"
#include "render/Reglages.hpp"
#include "vitrail/Arguments.hpp"

namespace vitrail::champs {

// A place this argument does not have (a setting the control does not hold, a frame edge that a
// host gives positionally).
struct Aucun {};

template <class Hote, class Controle, class Stocke, class Reglage>
struct Champ {
    const char* nom;
    Hote hote;          // member of the host's argument struct
    Controle controle;  // member of the control's argument struct
    Stocke stocke;      // member of the stored frame
    Reglage reglage;    // the setting that replaces its marker
    // A setting: what a marker given to Initialise becomes.
    const char32_t* siNonDefini = nullptr;
};

template <class Hote, class Controle = Aucun, class Stocke = Aucun, class Reglage = Aucun>
constexpr Champ<Hote, Controle, Stocke, Reglage> champ(const char* nom, Hote hote,
                                                       Controle controle = {}, Stocke stocke = {},
                                                       Reglage reglage = {}) {
    return {nom, hote, controle, stocke, reglage};
}

template <class Hote, class Controle, class Reglage>
constexpr Champ<Hote, Controle, Aucun, Reglage> reglage(const char* nom, Hote hote,
                                                        Controle controle, Reglage cible,
                                                        const char32_t* siNonDefini = nullptr) {
    return {nom, hote, controle, Aucun{}, cible, siNonDefini};
}

template <class T>
inline constexpr bool present = !std::is_same_v<T, Aucun>;

using H = ArgumentsCadreTexte;
using C = ArgumentsCadre;

// The arguments of a frame, in the order of NewCadreTexte.
inline constexpr auto Cadre = std::tuple{
    champ("piHaut", Aucun{}, &C::piHaut, &CadreDef::iHaut),
    champ("piGauche", Aucun{}, &C::piGauche, &CadreDef::iGauche),
    champ("piBas", &H::piBas, &C::piBas, &CadreDef::iBas),
    champ("piDroite", &H::piDroite, &C::piDroite, &CadreDef::iDroite),
    champ("piDrawWidth", &H::piDrawWidth, &C::piDrawWidth, &CadreDef::iDrawWidth,
          &Reglages::piDrawWidth),
    champ("piFillColor", &H::piFillColor, &C::piFillColor, &CadreDef::iFillColor,
          &Reglages::piFillColor),
    champ("psText", &H::psText, &C::psText, &CadreDef::sText),
    champ("psFont", &H::psFont, &C::psFont, &CadreDef::sFont, &Reglages::psFont),
    champ("piFontSize", &H::piFontSize, &C::piFontSize, &CadreDef::iFontSize,
          &Reglages::piFontSize),
    champ("pbFontBold", &H::pbFontBold, &C::pbFontBold, &CadreDef::bFontBold,
          &Reglages::pbFontBold),
    champ("pbFontItalic", &H::pbFontItalic, &C::pbFontItalic, &CadreDef::bFontItalic,
          &Reglages::pbFontItalic),
    champ("pbFontStrikethru", &H::pbFontStrikethru, &C::pbFontStrikethru,
          &CadreDef::bFontStrikethru, &Reglages::pbFontStrikethru),
    champ("pbFontUnderline", &H::pbFontUnderline, &C::pbFontUnderline, &CadreDef::bFontUnderline,
          &Reglages::pbFontUnderline),
    champ("pbFontTransparent", &H::pbFontTransparent, &C::pbFontTransparent,
          &CadreDef::bFontTransparent, &Reglages::pbFontTransparent),
    champ("plFontColor", &H::plFontColor, &C::plFontColor, &CadreDef::lFontColor,
          &Reglages::plFontColor),
    champ("psAligne", &H::psAligne, &C::psAligne, &CadreDef::sAligne, &Reglages::psAligne),
    champ("plCouleurTrait", &H::plCouleurTrait, &C::plCouleurTrait, &CadreDef::lCouleurTrait,
          &Reglages::plCouleurTrait),
};

using I = ArgumentsInitialise;
using R = ArgumentsReglages;

// The settings, in the order of Initialise. The screen's place and size stay with the public
// class, which opens the window.
inline constexpr auto Initialise = std::tuple{
    reglage("piDrawWidth", &I::piDrawWidth, &R::piDrawWidth, &Reglages::piDrawWidth),
    reglage("piFillColor", &I::piFillColor, &R::piFillColor, &Reglages::piFillColor),
    reglage("piFillStyle", &I::piFillStyle, &R::piFillStyle, &Reglages::piFillStyle),
    reglage("psFont", &I::psFont, &R::psFont, &Reglages::psFont),
    reglage("piFontSize", &I::piFontSize, &R::piFontSize, &Reglages::piFontSize),
    reglage("pbFontBold", &I::pbFontBold, &R::pbFontBold, &Reglages::pbFontBold),
    reglage("pbFontItalic", &I::pbFontItalic, &R::pbFontItalic, &Reglages::pbFontItalic),
    reglage("pbFontStrikethru", &I::pbFontStrikethru, &R::pbFontStrikethru,
            &Reglages::pbFontStrikethru),
    reglage("pbFontUnderline", &I::pbFontUnderline, &R::pbFontUnderline,
            &Reglages::pbFontUnderline),
    reglage("pbFontTransparent", &I::pbFontTransparent, &R::pbFontTransparent,
            &Reglages::pbFontTransparent),
    reglage("plFontColor", &I::plFontColor, &R::plFontColor, &Reglages::plFontColor),
    reglage("psAligne", &I::psAligne, &R::psAligne, &Reglages::psAligne),
    reglage("plCouleurTrait", &I::plCouleurTrait, &R::plCouleurTrait, &Reglages::plCouleurTrait),
    reglage("plCouleurFond", &I::plCouleurFond, &R::plCouleurFond, &Reglages::plCouleurFond),
    reglage("psFieldSeparator", &I::psFieldSeparator, &R::psFieldSeparator,
            &Reglages::psFieldSeparator, U"\n"),
    reglage("psReplaceCHR13", &I::psReplaceCHR13, &R::psReplaceCHR13, &Reglages::psReplaceCHR13,
            U"\r"),
    reglage("piMargeEnPourcent", &I::piMargeEnPourcent, &R::piMargeEnPourcent,
            &Reglages::piMargeEnPourcent),
    reglage("piNbMiniLettresDunMot", &I::piNbMiniLettresDunMot, &R::piNbMiniLettresDunMot,
            &Reglages::piNbMiniLettresDunMot),
    champ("piScreenTop", &I::piScreenTop),
    champ("piScreenLeft", &I::piScreenLeft),
    champ("piScreenHeight", &I::piScreenHeight),
    champ("piScreenWidth", &I::piScreenWidth),
    reglage("psScreenCaption", &I::psScreenCaption, &R::psScreenCaption,
            &Reglages::psScreenCaption),
    reglage("pdMinFontSize", &I::pdMinFontSize, &R::pdMinFontSize, &Reglages::pdMinFontSize),
};

// Calls f on every entry of a table, in order.
template <class Table, class F>
constexpr void pourChaque(const Table& table, F&& f) {
    std::apply([&](const auto&... c) { (f(c), ...); }, table);
}

// Calls f on every entry of a table with the value of the same rank in valeurs.
template <class Table, class Valeurs, class F>
constexpr void pourChaqueAvec(const Table& table, const Valeurs& valeurs, F&& f) {
    static_assert(std::tuple_size_v<Table> == std::tuple_size_v<Valeurs>);
    [&]<std::size_t... N>(std::index_sequence<N...>) {
        (f(std::get<N>(table), std::get<N>(valeurs)), ...);
    }
    (std::make_index_sequence<std::tuple_size_v<Table>>{});
}

}  // namespace vitrail::champs
