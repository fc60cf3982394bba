/* Vitrail for hosts in C and in other languages (through their C foreign function interface).
 *
 * One function per member of vitrail::TracPlanDLL, with the member's arguments in their order.
 * Texts are UTF-8. Every function returns a result code; on failure,
 * vitrail_derniere_erreur() tells why. Nothing here ever throws or aborts the host.
 *
 * Arguments the caller leaves out take their default, exactly as in C++:
 *   - a real number: VITRAIL_DEFAUT_REEL (any NaN);
 *   - an integer or a Boolean setting: VITRAIL_DEFAUT_ENTIER (so INT32_MIN itself cannot be
 *     given as a value);
 *   - a text or a flag: NULL.
 * A flag (a variant in C++) is a text: "True", "False", "1", "0"... read as the C++ member
 * reads the same text. A Boolean setting is an int: 0 is false, any other value true.
 * Integers that are 16-bit in C++ are given as int32_t; a value outside -32768..32767 is
 * refused, never truncated.
 *
 * Threads: the library runs Qt in the process, and every plan shares it: call every function
 * (but vitrail_derniere_erreur) from one thread, the one that made the first plan. A call from
 * any other thread does nothing and returns VITRAIL_ERREUR_THREAD. */
#ifndef VITRAIL_VITRAIL_H
#define VITRAIL_VITRAIL_H

#include <math.h>
#include <stdint.h>

#if defined(__GNUC__)
#define VITRAIL_API __attribute__((visibility("default")))
#else
#define VITRAIL_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Result codes. */
#define VITRAIL_OK 0
/* A NULL handle, a required argument left out, an integer out of range, a text that is not
 * UTF-8. Nothing was done. */
#define VITRAIL_ERREUR_ARGUMENT 1
/* Any other failure, for example the screen target without a display. */
#define VITRAIL_ERREUR 2
#define VITRAIL_ERREUR_MEMOIRE 3
/* A call from a thread other than the library's (see above). Nothing was done. */
#define VITRAIL_ERREUR_THREAD 4

/* Markers for arguments not given. */
#define VITRAIL_DEFAUT_REEL ((double)NAN)
#define VITRAIL_DEFAUT_ENTIER INT32_MIN

/* Output targets of vitrail_show (eTypeSortie). */
#define VITRAIL_SORTIE_ECRAN 1
#define VITRAIL_SORTIE_IMPRIMANTE 2
#define VITRAIL_SORTIE_HTML 3
#define VITRAIL_SORTIE_ECRAN_OLD 0
#define VITRAIL_SORTIE_IMPRIMANTE_OLD (-1)

typedef struct vitrail_plan vitrail_plan;

/* A new plan on the default Qt platform (the screen, the default printer, Qt's dialogs).
 * *plan is NULL on failure. */
VITRAIL_API int vitrail_creer(vitrail_plan** plan);
VITRAIL_API int vitrail_detruire(vitrail_plan* plan);

/* Why the calling thread's last call failed; empty after a success. The text stays valid
 * until the thread's next call. */
VITRAIL_API const char* vitrail_derniere_erreur(void);

/* Batch use: messages go to standard error and take their default answers. Applies to every
 * plan of the process, which all share one platform. */
VITRAIL_API int vitrail_reponses_console(vitrail_plan* plan);

VITRAIL_API int vitrail_cls(vitrail_plan* plan);

/* piTypeImpression: NULL, or a pointer to VITRAIL_DEFAUT_ENTIER, is the screen; when not
 * NULL it receives the normalised target (0 becomes 1, -1 becomes 2), even if the call
 * fails after the normalisation. pbAlsoScreen and pbPromptPrinter are Booleans. */
VITRAIL_API int vitrail_show(vitrail_plan* plan, int32_t* piTypeImpression, int32_t pbAlsoScreen,
                             const char* psVersOu, const char* psOrientation,
                             int32_t pbPromptPrinter, const char* psChemin,
                             const char* psPaperSize);

/* Integer settings (16-bit): piFillStyle, piFontSize, piMargeEnPourcent,
 * piNbMiniLettresDunMot and the four piScreen values. Booleans: the five pbFont flags. The
 * settings left out take their default again, whatever an earlier call gave. */
VITRAIL_API int vitrail_initialise(
    vitrail_plan* plan, double piDrawWidth, int32_t piFillColor, int32_t piFillStyle,
    const char* psFont, int32_t piFontSize, int32_t pbFontBold, int32_t pbFontItalic,
    int32_t pbFontStrikethru, int32_t pbFontUnderline, int32_t pbFontTransparent,
    int32_t plFontColor, const char* psAligne, int32_t plCouleurTrait, int32_t plCouleurFond,
    const char* psFieldSeparator, const char* psReplaceCHR13, int32_t piMargeEnPourcent,
    int32_t piNbMiniLettresDunMot, int32_t piScreenTop, int32_t piScreenLeft,
    int32_t piScreenHeight, int32_t piScreenWidth, const char* psScreenCaption,
    double pdMinFontSize);

/* psImagePath, piHaut and piGauche are required. */
VITRAIL_API int vitrail_new_cadre_image(vitrail_plan* plan, const char* psImagePath, double piHaut,
                                        double piGauche, double piBas, double piDroite);

/* piHaut and piGauche are required; piFontSize is 16-bit; the five pbFont flags are texts.
 * What is left out takes the setting of the same name. */
VITRAIL_API int vitrail_new_cadre_texte(vitrail_plan* plan, double piHaut, double piGauche,
                                        double piBas, double piDroite, double piDrawWidth,
                                        int32_t piFillColor, const char* psText, const char* psFont,
                                        int32_t piFontSize, const char* pbFontBold,
                                        const char* pbFontItalic, const char* pbFontStrikethru,
                                        const char* pbFontUnderline, const char* pbFontTransparent,
                                        int32_t plFontColor, const char* psAligne,
                                        int32_t plCouleurTrait);

/* A text frame whose text does not fit its box (vitrail_debordements). */
typedef struct vitrail_debordement {
    int32_t iNoObjet;      /* the frame's number, from 1 */
    double taille;         /* the font size its text is drawn at */
    int32_t auPlancher;    /* 1 when even pdMinFontSize was too large */
    int32_t lignesPerdues; /* lines of the text that are not drawn */
} vitrail_debordement;

/* How far a check went. */
typedef struct vitrail_bilan_debordements {
    int32_t complet; /* 1 when every frame was laid out: the frames told are the whole answer */
    /* Why it stopped: 0 it did not, 1 a failure was reported, 2 more than 32767 frames,
     * 3 a target that shows nothing. */
    int32_t arret;
    int32_t iNoObjet;       /* the frame whose failure stopped it; 0 when none did */
    int32_t nombreMessages; /* failures the component reported on the way */
} vitrail_bilan_debordements;

typedef void (*vitrail_recoit_debordement)(void* contexte, const vitrail_debordement* debordement);

/* Lays the planning out as vitrail_show would send it to piTypeImpression (1 the viewer,
 * 2 the printer, 3 the HTML page; 0 and -1 as in vitrail_show; VITRAIL_DEFAUT_ENTIER the
 * viewer) and calls recoit (which may be NULL) once per text frame that does not fit, in
 * order. Viewer: the drawing area in twips and the zoom (left out: the window at its designed
 * size, the first zoom it shows). Printer: psOrientation and psPaperSize as vitrail_show takes
 * them. Nothing is shown, printed or written, and the planning stays as it was; failures are
 * told to the user as vitrail_show tells them. bilan may be NULL. */
VITRAIL_API int vitrail_debordements(vitrail_plan* plan, int32_t piTypeImpression, double largeur,
                                     double hauteur, double idZoom, const char* psOrientation,
                                     const char* psPaperSize, vitrail_recoit_debordement recoit,
                                     void* contexte, vitrail_bilan_debordements* bilan);

#ifdef __cplusplus
}
#endif

#endif /* VITRAIL_VITRAIL_H */
