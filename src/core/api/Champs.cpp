#include "vitrail/Champs.hpp"

#include "render/TableChamps.hpp"

namespace vitrail {

namespace {

template <class Table, class Arguments>
void visite(const Table& table, Arguments& arguments, VisiteurChamps& visiteur) {
    champs::pourChaque(table, [&](const auto& c) {
        if constexpr (champs::present<decltype(c.hote)>) visiteur.champ(c.nom, arguments.*c.hote);
    });
}

}  // namespace

VisiteurChamps::~VisiteurChamps() = default;

void visiteChamps(ArgumentsInitialise& arguments, VisiteurChamps& visiteur) {
    visite(champs::Initialise, arguments, visiteur);
}

void visiteChamps(ArgumentsCadreTexte& arguments, VisiteurChamps& visiteur) {
    visite(champs::Cadre, arguments, visiteur);
}

}  // namespace vitrail
