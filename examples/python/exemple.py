#!/usr/bin/env python3
"""A host in Python through ctypes: one planning of three text frames written as an HTML page.

    exemple.py [LIBRARY [PAGE]]

LIBRARY (empty or left out) defaults to $VITRAIL_LIB, else libvitrail.so; PAGE to
exemple-python.htm.
"""
import ctypes
import math
import os
import sys

OK = 0
SORTIE_HTML = 3
DEFAUT_REEL = math.nan
DEFAUT_ENTIER = -(2**31)

PLAN = ctypes.c_void_p
REEL, ENTIER, TEXTE = ctypes.c_double, ctypes.c_int32, ctypes.c_char_p
MARQUEURS = {REEL: DEFAUT_REEL, ENTIER: DEFAUT_ENTIER, TEXTE: None}

# The arguments after the plan, in their order, so that a call can name only what it gives.
INITIALISE = [
    ("piDrawWidth", REEL), ("piFillColor", ENTIER), ("piFillStyle", ENTIER),
    ("psFont", TEXTE), ("piFontSize", ENTIER), ("pbFontBold", ENTIER),
    ("pbFontItalic", ENTIER), ("pbFontStrikethru", ENTIER), ("pbFontUnderline", ENTIER),
    ("pbFontTransparent", ENTIER), ("plFontColor", ENTIER), ("psAligne", TEXTE),
    ("plCouleurTrait", ENTIER), ("plCouleurFond", ENTIER), ("psFieldSeparator", TEXTE),
    ("psReplaceCHR13", TEXTE), ("piMargeEnPourcent", ENTIER),
    ("piNbMiniLettresDunMot", ENTIER), ("piScreenTop", ENTIER), ("piScreenLeft", ENTIER),
    ("piScreenHeight", ENTIER), ("piScreenWidth", ENTIER), ("psScreenCaption", TEXTE),
    ("pdMinFontSize", REEL),
]
NEW_CADRE_TEXTE = [
    ("piHaut", REEL), ("piGauche", REEL), ("piBas", REEL), ("piDroite", REEL),
    ("piDrawWidth", REEL), ("piFillColor", ENTIER), ("psText", TEXTE), ("psFont", TEXTE),
    ("piFontSize", ENTIER), ("pbFontBold", TEXTE), ("pbFontItalic", TEXTE),
    ("pbFontStrikethru", TEXTE), ("pbFontUnderline", TEXTE), ("pbFontTransparent", TEXTE),
    ("plFontColor", ENTIER), ("psAligne", TEXTE), ("plCouleurTrait", ENTIER),
]
SHOW = [
    ("piTypeImpression", ctypes.POINTER(ENTIER)), ("pbAlsoScreen", ENTIER),
    ("psVersOu", TEXTE), ("psOrientation", TEXTE), ("pbPromptPrinter", ENTIER),
    ("psChemin", TEXTE), ("psPaperSize", TEXTE),
]


class ErreurVitrail(Exception):
    pass


class Vitrail:
    def __init__(self, chemin):
        self.lib = ctypes.CDLL(chemin)
        for nom, arguments in [
            ("vitrail_creer", [ctypes.POINTER(PLAN)]),
            ("vitrail_detruire", [PLAN]),
            ("vitrail_reponses_console", [PLAN]),
            ("vitrail_initialise", [PLAN] + [type_ for _, type_ in INITIALISE]),
            ("vitrail_new_cadre_texte", [PLAN] + [type_ for _, type_ in NEW_CADRE_TEXTE]),
            ("vitrail_show", [PLAN] + [type_ for _, type_ in SHOW]),
        ]:
            fonction = getattr(self.lib, nom)
            fonction.argtypes = arguments
            fonction.restype = ctypes.c_int
        self.lib.vitrail_derniere_erreur.argtypes = []
        self.lib.vitrail_derniere_erreur.restype = ctypes.c_char_p

    def appelle(self, nom, *arguments):
        resultat = getattr(self.lib, nom)(*arguments)
        if resultat != OK:
            message = self.lib.vitrail_derniere_erreur().decode("utf-8", "replace")
            raise ErreurVitrail(f"{nom} a échoué ({resultat}) : {message}")

    def appelle_nomme(self, nom, plan, signature, nommes):
        """Calls with the arguments given by name; the others get their marker."""
        inconnus = set(nommes) - {argument for argument, _ in signature}
        if inconnus:
            raise TypeError(f"{nom} : arguments inconnus {sorted(inconnus)}")
        valeurs = []
        for argument, type_ in signature:
            valeur = nommes.get(argument, MARQUEURS.get(type_))
            valeurs.append(valeur.encode("utf-8") if isinstance(valeur, str) else valeur)
        self.appelle(nom, plan, *valeurs)


def planning(vitrail, plan, page):
    # Batch use: the page's closing message must not wait for a click.
    vitrail.appelle("vitrail_reponses_console", plan)
    vitrail.appelle_nomme("vitrail_initialise", plan, INITIALISE,
                          {"psFont": "Arial", "piFontSize": 12, "psScreenCaption": "Semaine 49"})
    cadres = [
        {"piHaut": 10, "piGauche": 20, "piBas": 40, "piDroite": 600, "piFillColor": 0xFFE0CC,
         "psText": "Planning de la <b>semaine 49</b>", "piFontSize": 16, "pbFontBold": "True",
         "pbFontTransparent": "False"},
        {"piHaut": 60, "piGauche": 20, "piBas": 160, "piDroite": 300,
         "psText": "Lundi : <i>réunion</i> d'équipe"},
        {"piHaut": 60, "piGauche": 320, "piBas": 160, "piDroite": 600, "piDrawWidth": 0,
         "psText": "Mardi : revue des tickets", "pbFontUnderline": "1"},
    ]
    for cadre in cadres:
        vitrail.appelle_nomme("vitrail_new_cadre_texte", plan, NEW_CADRE_TEXTE, cadre)
    cible = ENTIER(SORTIE_HTML)
    vitrail.appelle_nomme("vitrail_show", plan, SHOW,
                          {"piTypeImpression": ctypes.pointer(cible), "psChemin": page})


def main():
    chemin = (sys.argv[1] if len(sys.argv) > 1 and sys.argv[1]
              else os.environ.get("VITRAIL_LIB", "libvitrail.so"))
    page = sys.argv[2] if len(sys.argv) > 2 else "exemple-python.htm"
    try:
        vitrail = Vitrail(chemin)
    except (OSError, AttributeError) as e:
        print(f"exemple.py: {chemin} : {e}", file=sys.stderr)
        return 1
    # Failures while drawing are told in the component's own messages, never as a result
    # code: only the page itself shows that it was written.
    if os.path.exists(page):
        os.remove(page)
    plan = PLAN()
    try:
        vitrail.appelle("vitrail_creer", ctypes.byref(plan))
        try:
            planning(vitrail, plan, page)
        finally:
            vitrail.appelle("vitrail_detruire", plan)
    except ErreurVitrail as e:
        print(f"exemple.py: {e}", file=sys.stderr)
        return 1
    if not os.path.exists(page):
        print(f"exemple.py: la page {page} n'a pas été écrite", file=sys.stderr)
        return 1
    print(page)
    return 0


if __name__ == "__main__":
    sys.exit(main())
