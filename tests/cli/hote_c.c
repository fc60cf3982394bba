/* A host in C for the table of bad inputs: one frame with the argument a row names, then the
 * planning as an HTML page. Prints each call's result code and message.
 * Usage: hote_c PAGE taille|haut-infini|bas-infini|haut-nan|texte-utf8 */
#include <math.h>
#include <stdio.h>
#include <string.h>

#include "vitrail/vitrail.h"

static void affiche(const char* appel, int code) {
    printf("%s: %d %s\n", appel, code, vitrail_derniere_erreur());
}

int main(int argc, char** argv) {
    if (argc != 3) return 64;
    const char* ligne = argv[2];
    double haut = 10, bas = 90;
    int32_t taille = VITRAIL_DEFAUT_ENTIER;
    const char* texte = "Lundi";
    if (strcmp(ligne, "taille") == 0) taille = 32768;
    if (strcmp(ligne, "haut-infini") == 0) haut = INFINITY;
    if (strcmp(ligne, "bas-infini") == 0) bas = INFINITY;
    if (strcmp(ligne, "haut-nan") == 0) haut = NAN;
    if (strcmp(ligne, "texte-utf8") == 0) texte = "Lundi \xC3\x28";

    vitrail_plan* plan = NULL;
    if (vitrail_creer(&plan) != VITRAIL_OK || vitrail_reponses_console(plan) != VITRAIL_OK) {
        fprintf(stderr, "%s\n", vitrail_derniere_erreur());
        return 70;
    }
    const double R = VITRAIL_DEFAUT_REEL;
    const int32_t E = VITRAIL_DEFAUT_ENTIER;
    affiche("new_cadre_texte",
            vitrail_new_cadre_texte(plan, haut, 10, bas, 400, R, E, texte, NULL, taille, NULL, NULL,
                                    NULL, NULL, NULL, E, NULL, E));
    /* A second frame for a first that cannot be drawn: the pass stops before it, and writes
     * no page. */
    if (strstr(ligne, "infini") != NULL)
        affiche("new_cadre_texte",
                vitrail_new_cadre_texte(plan, 100, 10, 190, 400, R, E, "Mardi", NULL, E, NULL, NULL,
                                        NULL, NULL, NULL, E, NULL, E));
    int32_t cible = VITRAIL_SORTIE_HTML;
    affiche("show", vitrail_show(plan, &cible, E, NULL, NULL, E, argv[1], NULL));
    vitrail_detruire(plan);
    return 0;
}
