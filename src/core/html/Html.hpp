#pragma once

#include <cstdint>

#include "platform/Dialogues.hpp"
#include "platform/Imprimante.hpp"
#include "platform/Systeme.hpp"
#include "render/SortieHtml.hpp"
#include "support/Texte.hpp"

// The HTML export of one render pass: a page that places every frame at an absolute position.
// The path and the export under way belong to the loaded library, shared by every control, and
// are used from the user-interface thread only.
namespace vitrail::Html {

void SetCheminHtml(const Texte& chemin);
// Off (the default), frame texts and the title go into the page as they are, markup included;
// on, they read as text, but for the style tags.
void SetEchappement(bool oui);
// An empty path becomes, and stays, "Vitrail.htm" in the application folder.
Texte GetCheminHtml(Systeme& systeme);

// Opens the export and writes the head. The page goes to a temporary file beside the target,
// which takes the target's place only once the tail is written, so a failed export leaves the
// previous page as it was (see FichierAtomique: links, FIFOs and devices). Errors: 55 while an
// export is open, 76 missing folder, 75 target not writable or any failed write.
void EcritEnteteHtml(const Texte& titre, Systeme& systeme);
// A rule under 5 high or wide, otherwise a box filled with the colour. Error 6 when a size does
// not fit 16 bits, before anything is written.
void EcritCadreHtml(double haut, double gauche, double bas, double droite, std::int32_t couleurFond,
                    double largeurTrait, BoiteMessage& dialogues);
// One laid-out line in the printer's current style (bold, else italic, else underline).
void EcritTexteHtml(const Texte& texte, double haut, double gauche, double bas, double droite,
                    double taille, Imprimante& imprimante);
// Writes the tail, puts the page in place, then tells the user and offers to open it.
void EcritFinHtml(Systeme& systeme, Dialogues& dialogues);

bool ExportEnCours();
// Drops an export that will not reach its tail; the previous page stays as it was.
void AbandonneHtml();

// The functions above as the render pass sees them.
SortieHtml& sortie();

}  // namespace vitrail::Html
