/* A host in C: one planning of three text frames written as an HTML page.
 *   exemple [page.htm]    (default: exemple-c.htm) */
#include <stdio.h>
#include <vitrail/vitrail.h>

#define D_REEL VITRAIL_DEFAUT_REEL
#define D_ENTIER VITRAIL_DEFAUT_ENTIER

static int verifie(int resultat, const char* etape) {
    if (resultat != VITRAIL_OK) {
        fprintf(stderr, "exemple: %s a échoué (%d) : %s\n", etape, resultat,
                vitrail_derniere_erreur());
    }
    return resultat == VITRAIL_OK;
}

static int planning(vitrail_plan* plan, const char* page) {
    int32_t cible = VITRAIL_SORTIE_HTML;
    /* Batch use: the page's closing message must not wait for a click. */
    return verifie(vitrail_reponses_console(plan), "vitrail_reponses_console") &&
           /* The 24 settings in their order: only the font, its size and the caption are
            * given, the Booleans all false but the transparent text. */
           verifie(vitrail_initialise(plan, D_REEL, D_ENTIER, D_ENTIER, "Arial", 12, 0, 0, 0, 0,
                                      D_ENTIER, D_ENTIER, NULL, D_ENTIER, D_ENTIER, NULL, NULL,
                                      D_ENTIER, D_ENTIER, D_ENTIER, D_ENTIER, D_ENTIER, D_ENTIER,
                                      "Semaine 49", D_REEL),
                   "vitrail_initialise") &&
           verifie(vitrail_new_cadre_texte(plan, 10, 20, 40, 600, D_REEL, 0xFFE0CC,
                                           "Planning de la <b>semaine 49</b>", NULL, 16, "True",
                                           NULL, NULL, NULL, "False", D_ENTIER, NULL, D_ENTIER),
                   "vitrail_new_cadre_texte (titre)") &&
           verifie(vitrail_new_cadre_texte(plan, 60, 20, 160, 300, D_REEL, D_ENTIER,
                                           "Lundi : <i>réunion</i> d'équipe", NULL, D_ENTIER, NULL,
                                           NULL, NULL, NULL, NULL, D_ENTIER, NULL, D_ENTIER),
                   "vitrail_new_cadre_texte (lundi)") &&
           verifie(vitrail_new_cadre_texte(plan, 60, 320, 160, 600, 0, D_ENTIER,
                                           "Mardi : revue des tickets", NULL, D_ENTIER, NULL, NULL,
                                           NULL, "1", NULL, D_ENTIER, NULL, D_ENTIER),
                   "vitrail_new_cadre_texte (mardi)") &&
           verifie(vitrail_show(plan, &cible, D_ENTIER, NULL, NULL, D_ENTIER, page, NULL),
                   "vitrail_show");
}

int main(int argc, char** argv) {
    const char* page = argc > 1 ? argv[1] : "exemple-c.htm";
    /* Failures while drawing are told in the component's own messages, never as a result
     * code: only the page itself shows that it was written. */
    remove(page);
    vitrail_plan* plan = NULL;
    if (!verifie(vitrail_creer(&plan), "vitrail_creer")) return 1;
    const int reussi = planning(plan, page);
    if (!verifie(vitrail_detruire(plan), "vitrail_detruire") || !reussi) return 1;
    FILE* ecrite = fopen(page, "rb");
    if (ecrite == NULL) {
        fprintf(stderr, "exemple: la page %s n'a pas été écrite\n", page);
        return 1;
    }
    fclose(ecrite);
    printf("%s\n", page);
    return 0;
}
