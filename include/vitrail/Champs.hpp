#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "vitrail/Arguments.hpp"
#include "vitrail/Export.hpp"
#include "vitrail/Valeur.hpp"

namespace vitrail {

// Told every field of an argument struct, by the name of its argument and as its type, for a
// host that reads arguments from elsewhere (a file, another language).
class VITRAIL_EXPORT VisiteurChamps {
  public:
    virtual ~VisiteurChamps();
    virtual void champ(std::string_view nom, double& valeur) = 0;
    virtual void champ(std::string_view nom, std::int16_t& valeur) = 0;
    virtual void champ(std::string_view nom, std::int32_t& valeur) = 0;
    virtual void champ(std::string_view nom, bool& valeur) = 0;
    virtual void champ(std::string_view nom, std::string& valeur) = 0;
    virtual void champ(std::string_view nom, Valeur& valeur) = 0;
};

// Every field in the order of the member's arguments: Initialise's, then NewCadreTexte's after
// its two positional ones (piHaut, piGauche).
VITRAIL_EXPORT void visiteChamps(ArgumentsInitialise& arguments, VisiteurChamps& visiteur);
VITRAIL_EXPORT void visiteChamps(ArgumentsCadreTexte& arguments, VisiteurChamps& visiteur);

}  // namespace vitrail
