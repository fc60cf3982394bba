#include "GenerateurPlanning.hpp"

#include <array>

namespace vitrail::bench {

namespace {

constexpr std::array<const char*, 48> Mots{"réunion",
                                           "équipe",
                                           "revue",
                                           "tickets",
                                           "ouverts",
                                           "priorisation",
                                           "sprint",
                                           "répartition",
                                           "tâches",
                                           "entre",
                                           "les",
                                           "développeurs",
                                           "client",
                                           "démonstration",
                                           "livraison",
                                           "version",
                                           "correctifs",
                                           "salle",
                                           "déjeuner",
                                           "formation",
                                           "sécurité",
                                           "point",
                                           "hebdomadaire",
                                           "budget",
                                           "prévisionnel",
                                           "comité",
                                           "direction",
                                           "entretien",
                                           "annuel",
                                           "recrutement",
                                           "stagiaire",
                                           "rétrospective",
                                           "planification",
                                           "architecture",
                                           "données",
                                           "migration",
                                           "serveurs",
                                           "astreinte",
                                           "téléphone",
                                           "déplacement",
                                           "Lyon",
                                           "Bordeaux",
                                           "anticonstitutionnellement",
                                           "et",
                                           "de",
                                           "du",
                                           "pour",
                                           "avec"};
constexpr std::array<const char*, 7> Jours{"Lundi",    "Mardi",  "Mercredi", "Jeudi",
                                           "Vendredi", "Samedi", "Dimanche"};
constexpr std::array<std::int32_t, 6> Fonds{0xFFE0CC, 0xCCFFCC, 0xFFCCE5,
                                            0xCCE5FF, 0xE0E0E0, 0xCCFFFF};

constexpr double LargeurJour = 38;
constexpr double HautEntete = 12;
constexpr double HauteurSemaine = 150;
constexpr double FinJournee = HauteurSemaine - 4;

// A small linear congruential generator: the same planning on every library and machine.
class Hasard {
  public:
    template <class Tableau>
    auto parmi(const Tableau& tableau) {
        return tableau[(*this)(static_cast<std::uint32_t>(tableau.size()))];
    }

    explicit Hasard(std::uint32_t graine) : etat_(graine * 2654435761u + 1) {}
    std::uint32_t operator()(std::uint32_t n) {
        etat_ = etat_ * 1664525u + 1013904223u;
        return (etat_ >> 8) % n;
    }

  private:
    std::uint32_t etat_;
};

std::string texteEvenement(Hasard& hasard) {
    const std::uint32_t nombre = 3 + hasard(13);
    std::string texte;
    const std::uint32_t balise = hasard(8);
    for (std::uint32_t i = 0; i < nombre; ++i) {
        if (i > 0) texte += ' ';
        std::string mot = hasard.parmi(Mots);
        if (i == 1 && balise == 0) mot = "<b>" + mot + "</b>";
        if (i == 2 && balise == 1) mot = "<i>" + mot + "</i>";
        if (i == 0 && balise == 2) mot = "<DblQuote>" + mot + "<DblQuote>";
        if (i == 2 && balise == 3) mot = "<u>" + mot;
        texte += mot;
    }
    return texte;
}

}  // namespace

void genereSemaines(TracPlanDLL& plan, const Semaines& s) {
    plan.Initialise({.psFont = "DejaVu Sans", .psScreenCaption = "Planning généré"});
    Hasard hasard(s.graine);
    int restants = s.cadres;
    const auto cadre = [&](double haut, double gauche, const ArgumentsCadreTexte& a) {
        if (restants <= 0) return;
        --restants;
        plan.NewCadreTexte(haut, gauche, a);
    };
    for (int semaine = 0; restants > 0; ++semaine) {
        const double y = semaine * HauteurSemaine;
        const double droite = 7 * LargeurJour;
        cadre(y, 0,
              {.piBas = y + 8,
               .piDroite = droite,
               .piFillColor = 0xFFE0CC,
               .psText = "Planning de la <B>semaine " + std::to_string(semaine + 1) + "</b>",
               .piFontSize = 14,
               .pbFontTransparent = false});
        if (!s.logo.empty() && restants > 0) {
            --restants;
            plan.NewCadreImage(s.logo, y, droite - 20, y + 8, droite);
        }
        // Rules under the title and at the end of the week.
        cadre(y + 9, 0, {.piBas = y + 9, .piDroite = droite});
        cadre(y + FinJournee + 2, 0, {.piBas = y + FinJournee + 2, .piDroite = droite});
        for (int jour = 0; jour < 7 && restants > 0; ++jour) {
            const double gauche = jour * LargeurJour;
            cadre(y + 10, gauche,
                  {.piBas = y + HautEntete,
                   .piDroite = gauche + LargeurJour - 1,
                   .piDrawWidth = 0,
                   .psText = Jours[static_cast<std::size_t>(jour)],
                   .pbFontBold = true});
        }
        for (int jour = 0; jour < 7 && restants > 0; ++jour) {
            const double gauche = jour * LargeurJour;
            double haut = y + HautEntete + 1 + hasard(4);
            while (restants > 0) {
                const double hauteur = 6 + hasard(9);
                if (haut + hauteur > y + FinJournee) break;
                // A third get a size their box cannot hold, and shrink.
                const bool retrecit = hasard(3) == 0;
                cadre(haut, gauche + 1,
                      {.piBas = haut + hauteur,
                       .piDroite = gauche + LargeurJour - 1,
                       .piDrawWidth = 1.0 + hasard(2),
                       .piFillColor = hasard.parmi(Fonds),
                       .psText = texteEvenement(hasard),
                       .piFontSize =
                           static_cast<std::int16_t>(retrecit ? 16 + hasard(6) : 8 + hasard(3)),
                       .pbFontTransparent = hasard(4) == 0,
                       .psAligne = hasard(5) == 0 ? "V" : "HV",
                       .plCouleurTrait = hasard(6) == 0 ? 255 : 0});
                haut += hauteur + hasard(3);
            }
        }
    }
}

}  // namespace vitrail::bench
