#pragma once

#include <functional>
#include <string>

#include "qt/PageHtml5.hpp"
#include "qt/SurfaceQt.hpp"

namespace vitrail::qt {

enum class FormatPage { Png, Svg, Html5 };

struct PageExportee {
    FormatPage format = FormatPage::Png;
    std::string chemin;
    std::string titre;
    PapierHtml5 papier;
};

// Runs the pass (true when it went through) with the page's device beside the control's image,
// so that the page gets exactly the drawing the image gets, then writes the page in place of
// the file (see FichierAtomique). A pass that failed writes nothing. Throws std::runtime_error
// "cannot write PATH: reason" or "PATH not written: the drawing failed".
void exporte(SurfaceQt& surface, const PageExportee& page, const std::function<bool()>& passe);

}  // namespace vitrail::qt
