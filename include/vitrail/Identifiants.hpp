#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// Identity of the component as its hosts have always known it: type library, class, interface,
// enum, member order and dispatch identifiers. Whatever replaces the in-process server plumbing
// keeps these values.
namespace vitrail::identifiants {

inline constexpr std::string_view BibliothequeTypes = "Vitrail";
inline constexpr int VersionMajeure = 6;
inline constexpr int VersionMineure = 0;
inline constexpr std::uint32_t Langue = 1033;

inline constexpr std::string_view GuidBibliotheque = "{48AB0453-EFB0-449C-96F2-92171A5B8700}";
inline constexpr std::string_view Classe = "TracPlanDLL";
inline constexpr std::string_view GuidClasse = "{923C184D-438A-11D9-9B6F-444553540000}";
inline constexpr std::string_view Interface = "_TracPlanDLL";
inline constexpr std::string_view GuidInterface = "{923C184C-438A-11D9-9B6F-444553540000}";
inline constexpr std::string_view Enumeration = "eTypeSortie";
inline constexpr std::string_view GuidEnumeration = "{923C184E-438A-11D9-9B6F-444553540000}";

struct Membre {
    std::string_view nom;
    std::uint32_t dispid;
};

// Members of the interface, in their order.
inline constexpr std::array<Membre, 5> Membres{{
    {"Cls", 0x60030000},
    {"Show", 0x60030001},
    {"Initialise", 0x60030002},
    {"NewCadreImage", 0x60030003},
    {"NewCadreTexte", 0x60030004},
}};

}  // namespace vitrail::identifiants
