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

/* The library's version, "major.minor.patch". */
VITRAIL_API const char* vitrail_version(void);

/* Message boxes: their buttons, their icon, and the answers. */
#define VITRAIL_BOUTONS_OK 0
#define VITRAIL_BOUTONS_OUI_NON 1
#define VITRAIL_BOUTONS_OUI_NON_ANNULER 2
#define VITRAIL_ICONE_AUCUNE 0
#define VITRAIL_ICONE_CRITIQUE 1
#define VITRAIL_ICONE_QUESTION 2
#define VITRAIL_ICONE_INFORMATION 3
#define VITRAIL_REPONSE_OK 0
#define VITRAIL_REPONSE_OUI 1
#define VITRAIL_REPONSE_NON 2
#define VITRAIL_REPONSE_ANNULER 3

/* Asked in place of a message box: its text and title (NULL for the default one) in UTF-8,
 * valid during the call. Returns a VITRAIL_REPONSE_ the box offers; any other value takes the
 * default answer. */
typedef int32_t (*vitrail_question)(void* contexte, const char* texte, const char* titre,
                                    int32_t boutons, int32_t icone);

/* From now on, this plan's message boxes and dialogs are answered without being shown: first
 * the nombre answers given (one that the box does not offer is skipped), then question (may be
 * NULL), then No, or Cancel when the box offers it. copies answers the printer dialog (0 or less
 * is Cancel; VITRAIL_DEFAUT_ENTIER is 1); the save dialog is cancelled. Nothing is written. */
VITRAIL_API int vitrail_sans_dialogues(vitrail_plan* plan, const int32_t* reponses, int32_t nombre,
                                       int32_t copies, vitrail_question question, void* contexte);

/* What the last vitrail_show did: the failures reported (the first 100 are kept), the render
 * passes run and whether each went through every frame and its end (1) or was stopped (0).
 * Any pointer may be NULL. */
VITRAIL_API int vitrail_dernier_show(vitrail_plan* plan, int32_t* rapports, int32_t* passes,
                                     int32_t* complet);

/* One failure of the last vitrail_show, 0 being the first: its number, description and
 * procedure (UTF-8, valid until the plan's next show or its destruction) and the frame being
 * drawn (0 for none). Any output pointer may be NULL. */
VITRAIL_API int vitrail_rapport(vitrail_plan* plan, int32_t indice, int32_t* numero,
                                const char** description, const char** procedure,
                                int32_t* iNoObjet);

/* The HTML page takes frame texts and the caption as markup (hosts style them with `<b>`, `<i>`,
 * `<u>`), so a tag or a script in them reaches the browser. oui not 0: every character reads as
 * itself in this plan's pages, but for those style tags; for texts the host does not trust.
 * Off by default. */
VITRAIL_API int vitrail_echappe_html(vitrail_plan* plan, int32_t oui);

VITRAIL_API int vitrail_cls(vitrail_plan* plan);

/* The kinds of file vitrail_image writes: a PNG picture; an HTML page that places every line
 * where the viewer draws it, in the face it was measured in; an SVG with its texts as text. */
#define VITRAIL_FORMAT_PNG 0
#define VITRAIL_FORMAT_HTML5 1
#define VITRAIL_FORMAT_SVG 2

/* Sends the planning to a file of the viewer's drawing area, largeur x hauteur pixels (1 to
 * 20000) at the zoom idZoom (0 or VITRAIL_DEFAUT_REEL: the first zoom the viewer shows),
 * everything drawn echelle times larger (VITRAIL_DEFAUT_REEL: 1), then discards it as
 * vitrail_show does. psPaperSize and
 * psOrientation (NULL: A4, Landscape) are the sheet a browser prints the page on. *dessine (may
 * be NULL) is 0 when the drawing failed: the file is then left as it was. */
VITRAIL_API int vitrail_image(vitrail_plan* plan, int32_t format, const char* psChemin,
                              int32_t largeur, int32_t hauteur, double idZoom, double echelle,
                              const char* psPaperSize, const char* psOrientation, int32_t* dessine);

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
