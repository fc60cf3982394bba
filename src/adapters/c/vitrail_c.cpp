#include "vitrail/vitrail.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <iostream>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "api/FilUnique.hpp"
#include "c/PlanC.hpp"
#include "platform/DialoguesConsole.hpp"
#include "qt/PlateformeQt.hpp"
#include "render/TableChamps.hpp"
#include "vitrail/TracPlanDLL.hpp"

namespace {

static_assert(static_cast<int>(vitrail::Boutons::OuiNonAnnuler) ==
                  VITRAIL_BOUTONS_OUI_NON_ANNULER &&
              static_cast<int>(vitrail::Icone::Information) == VITRAIL_ICONE_INFORMATION &&
              static_cast<int>(vitrail::Reponse::Annuler) == VITRAIL_REPONSE_ANNULER &&
              static_cast<int>(vitrail::Reponse::Oui) == VITRAIL_REPONSE_OUI);

thread_local std::string derniereErreur;

// Raised before anything reaches the plan, so a refused call changes nothing.
class ErreurArgument : public std::runtime_error {
  public:
    ErreurArgument(std::string_view argument, std::string_view probleme)
        : std::runtime_error(std::string(argument) + " : " + std::string(probleme)) {}
};

void retiens(const char* fonction, const char* message) noexcept {
    try {
        derniereErreur = std::string(fonction) + " : " + message;
    } catch (...) {
        // Out of memory again: an empty text is better than a stale one.
        derniereErreur.clear();
    }
}

// Runs one call of the interface: every exception becomes a result code and a message.
template <class Corps>
int appel(const char* fonction, Corps&& corps) noexcept {
    try {
        std::forward<Corps>(corps)();
        derniereErreur.clear();
        return VITRAIL_OK;
    } catch (const ErreurArgument& e) {
        retiens(fonction, e.what());
        return VITRAIL_ERREUR_ARGUMENT;
    } catch (const vitrail::ErreurThread& e) {
        retiens(fonction, e.what());
        return VITRAIL_ERREUR_THREAD;
    } catch (const std::bad_alloc&) {
        retiens(fonction, "mémoire insuffisante");
        return VITRAIL_ERREUR_MEMOIRE;
    } catch (const std::exception& e) {
        retiens(fonction, e.what());
        return VITRAIL_ERREUR;
    } catch (...) {
        retiens(fonction, "erreur inconnue");
        return VITRAIL_ERREUR;
    }
}

vitrail::TracPlanDLL& trace(vitrail_plan* plan) {
    if (plan == nullptr) throw ErreurArgument("plan", "pointeur nul");
    return plan->trace;
}

[[noreturn]] void utf8Invalide(const char* argument, std::size_t position) {
    throw ErreurArgument(argument, "texte UTF-8 invalide à l'octet " + std::to_string(position));
}

// The same rules as the library's own conversion, so that every text it would refuse is
// refused here as a bad argument rather than later as a failure of the call.
void verifieUtf8(std::string_view utf8, const char* argument) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto tete = static_cast<unsigned char>(utf8[i]);
        std::size_t n = 0;
        if (tete < 0x80) {
            n = 1;
        } else if (tete >= 0xC2 && tete <= 0xDF) {
            n = 2;
        } else if (tete >= 0xE0 && tete <= 0xEF) {
            n = 3;
        } else if (tete >= 0xF0 && tete <= 0xF4) {
            n = 4;
        } else {
            utf8Invalide(argument, i);
        }
        if (i + n > utf8.size()) utf8Invalide(argument, i);
        char32_t c = n == 1 ? tete : tete & (0x7Fu >> n);
        for (std::size_t k = 1; k < n; ++k) {
            const auto suite = static_cast<unsigned char>(utf8[i + k]);
            if ((suite & 0xC0) != 0x80) utf8Invalide(argument, i + k);
            c = (c << 6) | (suite & 0x3Fu);
        }
        const bool tropLong = (n == 3 && c < 0x800) || (n == 4 && c < 0x10000);
        if (tropLong || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
            utf8Invalide(argument, i);
        }
        i += n;
    }
}

void depuisC(const char* valeur, std::string& cible, const char* argument) {
    if (valeur == nullptr) return;
    verifieUtf8(valeur, argument);
    cible = valeur;
}

std::string texteObligatoire(const char* valeur, const char* argument) {
    if (valeur == nullptr) throw ErreurArgument(argument, "texte obligatoire");
    verifieUtf8(valeur, argument);
    return valeur;
}

void depuisC(const char* valeur, vitrail::Valeur& cible, const char* argument) {
    if (valeur == nullptr) return;
    verifieUtf8(valeur, argument);
    cible = vitrail::Valeur(std::string(valeur));
}

void depuisC(double valeur, double& cible, const char* = nullptr) {
    if (!std::isnan(valeur)) cible = valeur;
}

double reelObligatoire(double valeur, const char* argument) {
    if (std::isnan(valeur)) throw ErreurArgument(argument, "valeur obligatoire");
    return valeur;
}

void depuisC(std::int32_t valeur, std::int32_t& cible, const char* = nullptr) {
    if (valeur != VITRAIL_DEFAUT_ENTIER) cible = valeur;
}

void depuisC(std::int32_t valeur, std::int16_t& cible, const char* argument) {
    if (valeur == VITRAIL_DEFAUT_ENTIER) return;
    if (valeur < INT16_MIN || valeur > INT16_MAX) {
        throw ErreurArgument(argument,
                             std::to_string(valeur) + " hors de l'intervalle -32768..32767");
    }
    cible = static_cast<std::int16_t>(valeur);
}

void depuisC(std::int32_t valeur, bool& cible, const char* = nullptr) {
    if (valeur != VITRAIL_DEFAUT_ENTIER) cible = valeur != 0;
}

// The arguments of one C function, in the order of the table, into the C++ struct. The
// positional ones (no member in the struct) are the caller's.
template <class Table, class Arguments, class Valeurs>
void remplit(const Table& table, Arguments& arguments, const Valeurs& valeurs) {
    vitrail::champs::pourChaqueAvec(table, valeurs, [&](const auto& c, auto valeur) {
        if constexpr (vitrail::champs::present<decltype(c.hote)>) {
            depuisC(valeur, arguments.*c.hote, c.nom);
        }
    });
}

}  // namespace

extern "C" {

int vitrail_creer(vitrail_plan** plan) {
    if (plan != nullptr) *plan = nullptr;
    return appel("vitrail_creer", [&] {
        if (plan == nullptr) throw ErreurArgument("plan", "pointeur nul");
        *plan = new vitrail_plan{};
    });
}

int vitrail_detruire(vitrail_plan* plan) {
    return appel("vitrail_detruire", [&] {
        trace(plan);
        vitrail::api::verifieFil("vitrail_detruire");
        delete plan;
    });
}

const char* vitrail_derniere_erreur(void) {
    return derniereErreur.c_str();
}

int vitrail_reponses_console(vitrail_plan* plan) {
    return appel("vitrail_reponses_console", [&] {
        trace(plan);
        vitrail::api::verifieFil("vitrail_reponses_console");
        vitrail::qt::PlateformeQt::partagee()->dialogues(
            std::make_shared<vitrail::DialoguesConsole>(std::cerr));
    });
}

const char* vitrail_version(void) {
    return vitrail::version();
}

int vitrail_sans_dialogues(vitrail_plan* plan, const int32_t* reponses, int32_t nombre,
                           int32_t copies, vitrail_question question, void* contexte) {
    return appel("vitrail_sans_dialogues", [&] {
        vitrail::TracPlanDLL& t = trace(plan);
        if (nombre < 0) throw ErreurArgument("nombre", "négatif");
        if (nombre > 0 && reponses == nullptr) throw ErreurArgument("reponses", "pointeur nul");
        vitrail::SansDialogue r;
        for (int32_t i = 0; i < nombre; ++i) {
            if (reponses[i] < VITRAIL_REPONSE_OK || reponses[i] > VITRAIL_REPONSE_ANNULER) {
                throw ErreurArgument("reponses",
                                     std::to_string(reponses[i]) + " n'est pas une réponse");
            }
            r.reponses.push_back(static_cast<vitrail::Reponse>(reponses[i]));
        }
        if (copies != VITRAIL_DEFAUT_ENTIER) {
            r.copies = copies > 0 ? std::optional<std::int32_t>(copies) : std::nullopt;
        }
        if (question != nullptr) {
            r.question = [question, contexte](const vitrail::Question& q) {
                const int32_t choix =
                    question(contexte, q.texte.c_str(), q.titre ? q.titre->c_str() : nullptr,
                             static_cast<int32_t>(q.boutons), static_cast<int32_t>(q.icone));
                // Out of range: no button, so the box takes its default.
                return choix >= VITRAIL_REPONSE_OK && choix <= VITRAIL_REPONSE_ANNULER
                           ? static_cast<vitrail::Reponse>(choix)
                           : vitrail::Reponse::OK;
            };
        }
        t.SansDialogues(r);
    });
}

int vitrail_dernier_show(vitrail_plan* plan, int32_t* rapports, int32_t* passes, int32_t* complet) {
    return appel("vitrail_dernier_show", [&] {
        const vitrail::BilanShow& bilan = trace(plan).DernierShow();
        if (rapports != nullptr) *rapports = static_cast<int32_t>(bilan.rapports.size());
        if (passes != nullptr) *passes = bilan.passes;
        if (complet != nullptr) *complet = bilan.complet ? 1 : 0;
    });
}

int vitrail_rapport(vitrail_plan* plan, int32_t indice, int32_t* numero, const char** description,
                    const char** procedure, int32_t* iNoObjet) {
    return appel("vitrail_rapport", [&] {
        const vitrail::BilanShow& bilan = trace(plan).DernierShow();
        if (indice < 0 || static_cast<std::size_t>(indice) >= bilan.rapports.size()) {
            throw ErreurArgument("indice", std::to_string(indice) + " hors des " +
                                               std::to_string(bilan.rapports.size()) + " rapports");
        }
        const vitrail::Rapport& r = bilan.rapports[static_cast<std::size_t>(indice)];
        if (numero != nullptr) *numero = r.numero;
        if (description != nullptr) *description = r.description.c_str();
        if (procedure != nullptr) *procedure = r.procedure.c_str();
        if (iNoObjet != nullptr) *iNoObjet = r.iNoObjet;
    });
}

int vitrail_echappe_html(vitrail_plan* plan, int32_t oui) {
    return appel("vitrail_echappe_html", [&] { trace(plan).EchappeHtml(oui != 0); });
}

int vitrail_cls(vitrail_plan* plan) {
    return appel("vitrail_cls", [&] { trace(plan).Cls(); });
}

int vitrail_image(vitrail_plan* plan, int32_t format, const char* psChemin, int32_t largeur,
                  int32_t hauteur, double idZoom, double echelle, const char* psPaperSize,
                  const char* psOrientation, int32_t* dessine) {
    return appel("vitrail_image", [&] {
        vitrail::TracPlanDLL& t = trace(plan);
        if (format < VITRAIL_FORMAT_PNG || format > VITRAIL_FORMAT_SVG)
            throw ErreurArgument("format", "VITRAIL_FORMAT_PNG, _HTML5 ou _SVG");
        if (largeur < 1 || hauteur < 1 || largeur > 20000 || hauteur > 20000)
            throw ErreurArgument("largeur, hauteur", "de 1 à 20000 pixels");
        vitrail::ArgumentsImage a{.format = static_cast<vitrail::eFormatImage>(format),
                                  .psChemin = texteObligatoire(psChemin, "psChemin"),
                                  .largeurPixels = largeur,
                                  .hauteurPixels = hauteur};
        depuisC(idZoom, a.idZoom);
        depuisC(echelle, a.echelle);
        if (!(a.echelle > 0)) throw ErreurArgument("echelle", "plus grande que 0");
        depuisC(psPaperSize, a.psPaperSize, "psPaperSize");
        depuisC(psOrientation, a.psOrientation, "psOrientation");
        const bool fait = t.Image(a);
        if (dessine != nullptr) *dessine = fait ? 1 : 0;
    });
}

int vitrail_show(vitrail_plan* plan, int32_t* piTypeImpression, int32_t pbAlsoScreen,
                 const char* psVersOu, const char* psOrientation, int32_t pbPromptPrinter,
                 const char* psChemin, const char* psPaperSize) {
    return appel("vitrail_show", [&] {
        vitrail::TracPlanDLL& t = trace(plan);
        vitrail::ArgumentsShow a;
        if (piTypeImpression != nullptr && *piTypeImpression != VITRAIL_DEFAUT_ENTIER) {
            a.piTypeImpression = static_cast<vitrail::eTypeSortie>(*piTypeImpression);
        }
        depuisC(pbAlsoScreen, a.pbAlsoScreen);
        depuisC(psVersOu, a.psVersOu, "psVersOu");
        depuisC(psOrientation, a.psOrientation, "psOrientation");
        depuisC(pbPromptPrinter, a.pbPromptPrinter);
        depuisC(psChemin, a.psChemin, "psChemin");
        depuisC(psPaperSize, a.psPaperSize, "psPaperSize");
        // Show normalises the target before it can fail: the host sees it either way.
        const auto rendTypeImpression = [&] {
            if (piTypeImpression != nullptr) *piTypeImpression = a.piTypeImpression;
        };
        try {
            t.Show(a);
        } catch (...) {
            rendTypeImpression();
            throw;
        }
        rendTypeImpression();
    });
}

int vitrail_initialise(vitrail_plan* plan, double piDrawWidth, int32_t piFillColor,
                       int32_t piFillStyle, const char* psFont, int32_t piFontSize,
                       int32_t pbFontBold, int32_t pbFontItalic, int32_t pbFontStrikethru,
                       int32_t pbFontUnderline, int32_t pbFontTransparent, int32_t plFontColor,
                       const char* psAligne, int32_t plCouleurTrait, int32_t plCouleurFond,
                       const char* psFieldSeparator, const char* psReplaceCHR13,
                       int32_t piMargeEnPourcent, int32_t piNbMiniLettresDunMot,
                       int32_t piScreenTop, int32_t piScreenLeft, int32_t piScreenHeight,
                       int32_t piScreenWidth, const char* psScreenCaption, double pdMinFontSize) {
    return appel("vitrail_initialise", [&] {
        vitrail::TracPlanDLL& t = trace(plan);
        vitrail::ArgumentsInitialise a;
        remplit(vitrail::champs::Initialise, a,
                std::forward_as_tuple(
                    piDrawWidth, piFillColor, piFillStyle, psFont, piFontSize, pbFontBold,
                    pbFontItalic, pbFontStrikethru, pbFontUnderline, pbFontTransparent, plFontColor,
                    psAligne, plCouleurTrait, plCouleurFond, psFieldSeparator, psReplaceCHR13,
                    piMargeEnPourcent, piNbMiniLettresDunMot, piScreenTop, piScreenLeft,
                    piScreenHeight, piScreenWidth, psScreenCaption, pdMinFontSize));
        t.Initialise(a);
    });
}

int vitrail_new_cadre_image(vitrail_plan* plan, const char* psImagePath, double piHaut,
                            double piGauche, double piBas, double piDroite) {
    return appel("vitrail_new_cadre_image", [&] {
        vitrail::TracPlanDLL& t = trace(plan);
        const std::string chemin = texteObligatoire(psImagePath, "psImagePath");
        const double haut = reelObligatoire(piHaut, "piHaut");
        const double gauche = reelObligatoire(piGauche, "piGauche");
        double bas = -1;
        double droite = -1;
        depuisC(piBas, bas);
        depuisC(piDroite, droite);
        t.NewCadreImage(chemin, haut, gauche, bas, droite);
    });
}

int vitrail_new_cadre_texte(vitrail_plan* plan, double piHaut, double piGauche, double piBas,
                            double piDroite, double piDrawWidth, int32_t piFillColor,
                            const char* psText, const char* psFont, int32_t piFontSize,
                            const char* pbFontBold, const char* pbFontItalic,
                            const char* pbFontStrikethru, const char* pbFontUnderline,
                            const char* pbFontTransparent, int32_t plFontColor,
                            const char* psAligne, int32_t plCouleurTrait) {
    return appel("vitrail_new_cadre_texte", [&] {
        vitrail::TracPlanDLL& t = trace(plan);
        const double haut = reelObligatoire(piHaut, "piHaut");
        const double gauche = reelObligatoire(piGauche, "piGauche");
        vitrail::ArgumentsCadreTexte a;
        remplit(vitrail::champs::Cadre, a,
                std::forward_as_tuple(piHaut, piGauche, piBas, piDroite, piDrawWidth, piFillColor,
                                      psText, psFont, piFontSize, pbFontBold, pbFontItalic,
                                      pbFontStrikethru, pbFontUnderline, pbFontTransparent,
                                      plFontColor, psAligne, plCouleurTrait));
        t.NewCadreTexte(haut, gauche, a);
    });
}

int vitrail_debordements(vitrail_plan* plan, int32_t piTypeImpression, double largeur,
                         double hauteur, double idZoom, const char* psOrientation,
                         const char* psPaperSize, vitrail_recoit_debordement recoit, void* contexte,
                         vitrail_bilan_debordements* bilan) {
    if (bilan != nullptr) *bilan = vitrail_bilan_debordements{};
    return appel("vitrail_debordements", [&] {
        vitrail::TracPlanDLL& t = trace(plan);
        vitrail::ArgumentsDebordements cible;
        depuisC(piTypeImpression, cible.piTypeImpression);
        depuisC(largeur, cible.largeur);
        depuisC(hauteur, cible.hauteur);
        depuisC(idZoom, cible.idZoom);
        depuisC(psOrientation, cible.psOrientation, "psOrientation");
        depuisC(psPaperSize, cible.psPaperSize, "psPaperSize");
        vitrail::BilanDebordements b;
        const std::vector<vitrail::Debordement> liste = t.Debordements(cible, &b);
        if (bilan != nullptr) {
            *bilan = vitrail_bilan_debordements{
                .complet = b.complet ? 1 : 0,
                .arret = static_cast<int32_t>(b.arret),
                .iNoObjet = b.iNoObjet,
                .nombreMessages =
                    static_cast<int32_t>(std::min<std::size_t>(b.nombreMessages, INT32_MAX)),
            };
        }
        if (recoit == nullptr) return;
        for (const vitrail::Debordement& d : liste) {
            const vitrail_debordement c{.iNoObjet = d.iNoObjet,
                                        .taille = d.taille,
                                        .auPlancher = d.auPlancher ? 1 : 0,
                                        .lignesPerdues = d.lignesPerdues};
            recoit(contexte, &c);
        }
    });
}

}  // extern "C"
