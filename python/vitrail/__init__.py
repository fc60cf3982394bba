"""Vitrail from Python: the planning of absolutely positioned frames, drawn by libvitrail.

    import vitrail

    with vitrail.Plan(console=True) as plan:
        plan.initialise(font="Arial", font_size=12, screen_caption="Semaine 49")
        plan.new_cadre_texte(10, 20, bas=40, droite=600, text="Réunion <b>équipe</b>")
        plan.new_cadre_image("logo.png", 5, 5, 25, 45)
        for d in plan.debordements(vitrail.Sortie.HTML):
            print(d)
        plan.show(type_impression=vitrail.Sortie.HTML, chemin="semaine.htm")

Every method is one call of the C interface (vitrail/vitrail.h), with its arguments in the same
order. Keyword arguments are the C names without their type prefix, in snake case (psFont is
font, piFontSize font_size, pbFontBold font_bold); the C names themselves are accepted too.
An argument left out, or None, takes its default as in C. Failures the library reports are
raised as Erreur and its subclasses.

The library is found, in this order, at the path given to Plan, at $VITRAIL_LIB, beside the
module's installation (cmake --install), then by the system's loader (libvitrail.so.0).
"""

import ctypes
import dataclasses
import enum
import inspect
import os
import re
import threading

__version__ = "0.1.0"

__all__ = [
    "Arret",
    "Debordement",
    "Debordements",
    "Erreur",
    "ErreurArgument",
    "ErreurMemoire",
    "ErreurThread",
    "Plan",
    "Sortie",
    "charge",
]

_OK = 0
_DEFAUT_ENTIER = -(2**31)
_ENTIER_MAX = 2**31 - 1


class Sortie(enum.IntEnum):
    """Output targets of show (eTypeSortie)."""

    ECRAN = 1
    IMPRIMANTE = 2
    HTML = 3
    ECRAN_OLD = 0
    IMPRIMANTE_OLD = -1


class Arret(enum.IntEnum):
    """Why a fit check stopped before the last frame."""

    AUCUN = 0
    ERREUR_SIGNALEE = 1
    TROP_DE_CADRES = 2
    CIBLE_SANS_SORTIE = 3


class Erreur(Exception):
    """A call the library refused or that failed: code is its result code (VITRAIL_ERREUR...),
    fonction the C function, message the library's own words."""

    def __init__(self, fonction, code, message):
        super().__init__(message or f"{fonction} : échec ({code})")
        self.fonction = fonction
        self.code = code
        self.message = message


class ErreurArgument(Erreur, ValueError):
    """A closed plan, a required argument left out, a value out of range, a text that cannot
    be passed. Nothing was done."""


class ErreurMemoire(Erreur, MemoryError):
    pass


class ErreurThread(Erreur):
    """A call from a thread other than the library's. Nothing was done."""


_ERREURS = {1: ErreurArgument, 3: ErreurMemoire, 4: ErreurThread}


@dataclasses.dataclass(frozen=True)
class Debordement:
    """A text frame whose text does not fit its box."""

    no_objet: int  # the frame's number, from 1, pictures included
    taille: float  # the font size its text is drawn at
    au_plancher: bool  # even min_font_size was too large
    lignes_perdues: int  # lines of the text that are not drawn


class Debordements(list):
    """The frames that do not fit, in order; the list is the whole answer only when complet."""

    def __init__(self, elements=(), *, complet=True, arret=Arret.AUCUN, no_objet_arret=0,
                 nombre_messages=0):
        super().__init__(elements)
        self.complet = complet
        self.arret = arret
        # The frame whose failure stopped the check; 0 when none did.
        self.no_objet_arret = no_objet_arret
        # Failures the component reported (and told the user) on the way.
        self.nombre_messages = nombre_messages

    def __repr__(self):
        return (f"Debordements({list.__repr__(self)}, complet={self.complet}, "
                f"arret={self.arret!r}, no_objet_arret={self.no_objet_arret}, "
                f"nombre_messages={self.nombre_messages})")


class _CDebordement(ctypes.Structure):
    _fields_ = [("iNoObjet", ctypes.c_int32), ("taille", ctypes.c_double),
                ("auPlancher", ctypes.c_int32), ("lignesPerdues", ctypes.c_int32)]


class _CBilan(ctypes.Structure):
    _fields_ = [("complet", ctypes.c_int32), ("arret", ctypes.c_int32),
                ("iNoObjet", ctypes.c_int32), ("nombreMessages", ctypes.c_int32)]


_RECOIT_DEBORDEMENT = ctypes.CFUNCTYPE(None, ctypes.c_void_p, ctypes.POINTER(_CDebordement))

# The C interface, one call a line, as the header declares it (return type int). A call of
# the plan that takes only the kinds of argument below becomes a method of Plan by itself.
_PROTOTYPES = """
vitrail_creer(vitrail_plan** plan)
vitrail_detruire(vitrail_plan* plan)
vitrail_reponses_console(vitrail_plan* plan)
vitrail_cls(vitrail_plan* plan)
vitrail_echappe_html(vitrail_plan* plan, int32_t oui)
vitrail_dernier_show(vitrail_plan* plan, int32_t* rapports, int32_t* passes, int32_t* complet)
vitrail_image(vitrail_plan* plan, int32_t format, const char* psChemin, int32_t largeur, int32_t hauteur, double idZoom, double echelle, const char* psPaperSize, const char* psOrientation, int32_t* dessine)
vitrail_show(vitrail_plan* plan, int32_t* piTypeImpression, int32_t pbAlsoScreen, const char* psVersOu, const char* psOrientation, int32_t pbPromptPrinter, const char* psChemin, const char* psPaperSize)
vitrail_initialise(vitrail_plan* plan, double piDrawWidth, int32_t piFillColor, int32_t piFillStyle, const char* psFont, int32_t piFontSize, int32_t pbFontBold, int32_t pbFontItalic, int32_t pbFontStrikethru, int32_t pbFontUnderline, int32_t pbFontTransparent, int32_t plFontColor, const char* psAligne, int32_t plCouleurTrait, int32_t plCouleurFond, const char* psFieldSeparator, const char* psReplaceCHR13, int32_t piMargeEnPourcent, int32_t piNbMiniLettresDunMot, int32_t piScreenTop, int32_t piScreenLeft, int32_t piScreenHeight, int32_t piScreenWidth, const char* psScreenCaption, double pdMinFontSize)
vitrail_new_cadre_image(vitrail_plan* plan, const char* psImagePath, double piHaut, double piGauche, double piBas, double piDroite)
vitrail_new_cadre_texte(vitrail_plan* plan, double piHaut, double piGauche, double piBas, double piDroite, double piDrawWidth, int32_t piFillColor, const char* psText, const char* psFont, int32_t piFontSize, const char* pbFontBold, const char* pbFontItalic, const char* pbFontStrikethru, const char* pbFontUnderline, const char* pbFontTransparent, int32_t plFontColor, const char* psAligne, int32_t plCouleurTrait)
vitrail_debordements(vitrail_plan* plan, int32_t piTypeImpression, double largeur, double hauteur, double idZoom, const char* psOrientation, const char* psPaperSize, vitrail_recoit_debordement recoit, void* contexte, vitrail_bilan_debordements* bilan)
"""

# Arguments without which the call is refused: positional in Python.
_OBLIGATOIRES = {"psImagePath", "piHaut", "piGauche"}

_TYPES_C = {
    "vitrail_plan**": ctypes.POINTER(ctypes.c_void_p),
    "vitrail_plan*": ctypes.c_void_p,
    "double": ctypes.c_double,
    "int32_t": ctypes.c_int32,
    "int32_t*": ctypes.POINTER(ctypes.c_int32),
    "const char*": ctypes.c_char_p,
    "void*": ctypes.c_void_p,
    "vitrail_recoit_debordement": _RECOIT_DEBORDEMENT,
    "vitrail_bilan_debordements*": ctypes.POINTER(_CBilan),
}


def nom_python(nom_c):
    """psFont -> font, piFontSize -> font_size, psReplaceCHR13 -> replace_chr13."""
    nom = re.sub(r"^p[sibld](?=[A-Z])", "", nom_c)
    nom = re.sub(r"(?<=[a-z0-9])(?=[A-Z])|(?<=[A-Z])(?=[A-Z][a-z])", "_", nom)
    return nom.lower()


@dataclasses.dataclass(frozen=True)
class _Argument:
    type_c: str
    nom_c: str

    @property
    def nom(self):
        return nom_python(self.nom_c)

    @property
    def sorte(self):
        """How a Python value becomes the C one."""
        if self.type_c == "double":
            return "reel"
        if self.type_c == "int32_t":
            return "booleen" if self.nom_c.startswith("pb") else "entier"
        if self.type_c == "const char*":
            return "drapeau" if self.nom_c.startswith("pb") else "texte"
        if self.type_c == "int32_t*":
            return "entier_rendu"
        return None  # given by the method itself


def _lis_prototypes(texte):
    prototypes = {}
    for ligne in texte.strip().splitlines():
        m = re.fullmatch(r"(\w+)\((.*)\)", ligne.strip())
        arguments = []
        for morceau in m.group(2).split(","):
            a = re.fullmatch(r"(.*?)\s*(\w+)", morceau.strip())
            arguments.append(_Argument(re.sub(r"\s*\*", "*", a.group(1)), a.group(2)))
        prototypes[m.group(1)] = arguments
    return prototypes


_APPELS = _lis_prototypes(_PROTOTYPES)

_verrou = threading.Lock()
_bibliotheques = {}


def _chemin_installe():
    try:
        from . import _installe
    except ImportError:
        return None
    chemin = os.path.normpath(os.path.join(os.path.dirname(__file__), _installe.BIBLIOTHEQUE))
    return chemin if os.path.exists(chemin) else None


def charge(chemin=None):
    """The library (a ctypes.CDLL with every call of the table declared), loaded once."""
    chemin = chemin or os.environ.get("VITRAIL_LIB") or _chemin_installe() or "libvitrail.so.0"
    with _verrou:
        if chemin not in _bibliotheques:
            bibliotheque = ctypes.CDLL(chemin)
            for nom, arguments in _APPELS.items():
                fonction = getattr(bibliotheque, nom)
                fonction.argtypes = [_TYPES_C[a.type_c] for a in arguments]
                fonction.restype = ctypes.c_int
            bibliotheque.vitrail_derniere_erreur.argtypes = []
            bibliotheque.vitrail_derniere_erreur.restype = ctypes.c_char_p
            _bibliotheques[chemin] = bibliotheque
        return _bibliotheques[chemin]


def _en_c(argument, valeur):
    nom, sorte = argument.nom, argument.sorte
    if sorte == "reel":
        if valeur is None:
            return float("nan")
        if isinstance(valeur, bool) or not isinstance(valeur, (int, float)):
            raise TypeError(f"{nom} : un nombre est attendu, pas {type(valeur).__name__}")
        return float(valeur)
    if sorte in ("entier", "booleen", "entier_rendu"):
        if valeur is None:
            valeur = _DEFAUT_ENTIER
        elif isinstance(valeur, bool):
            valeur = int(valeur)
        elif isinstance(valeur, int):
            # ctypes would keep the low 32 bits of a larger number, and the smallest one
            # means "left out".
            if not _DEFAUT_ENTIER < valeur <= _ENTIER_MAX:
                raise ErreurArgument(None, 1, f"{nom} : {valeur} hors de l'intervalle "
                                              f"{_DEFAUT_ENTIER + 1}..{_ENTIER_MAX}")
            valeur = int(valeur)
        else:
            raise TypeError(f"{nom} : un entier est attendu, pas {type(valeur).__name__}")
        return ctypes.pointer(ctypes.c_int32(valeur)) if sorte == "entier_rendu" else valeur
    if sorte in ("texte", "drapeau"):
        if valeur is None:
            return None
        if sorte == "drapeau" and isinstance(valeur, (bool, int)):
            valeur = str(valeur)
        if isinstance(valeur, os.PathLike):
            valeur = os.fspath(valeur)
        if isinstance(valeur, str):
            try:
                valeur = valeur.encode("utf-8")
            except UnicodeEncodeError as e:
                raise ErreurArgument(None, 1, f"{nom} : texte non UTF-8 ({e.reason})") from None
        elif not isinstance(valeur, bytes):
            raise TypeError(f"{nom} : un texte est attendu, pas {type(valeur).__name__}")
        # C would read the text only up to the first NUL.
        if b"\0" in valeur:
            raise ErreurArgument(None, 1, f"{nom} : caractère NUL à l'octet {valeur.index(0)}")
        return valeur
    raise TypeError(f"{nom} : {argument.type_c} se passe par la méthode elle-même")


def _sortie(valeur):
    try:
        return Sortie(valeur)
    except ValueError:
        return valeur


def _signature(arguments):
    parametres = [inspect.Parameter("self", inspect.Parameter.POSITIONAL_OR_KEYWORD)]
    for a in arguments:
        defaut = inspect.Parameter.empty if a.nom_c in _OBLIGATOIRES else None
        parametres.append(
            inspect.Parameter(a.nom, inspect.Parameter.POSITIONAL_OR_KEYWORD, default=defaut))
    return inspect.Signature(parametres)


def _valeurs(fonction, arguments, positionnels, nommes):
    """The Python values in the C order: by position, by Python name or by C name."""
    if len(positionnels) > len(arguments):
        raise TypeError(f"{fonction} : {len(arguments)} arguments au plus, "
                        f"{len(positionnels)} donnés")
    valeurs = {a.nom: v for a, v in zip(arguments, positionnels)}
    noms = {a.nom_c: a.nom for a in arguments}
    noms.update({a.nom: a.nom for a in arguments})
    for cle, valeur in nommes.items():
        if cle not in noms:
            raise TypeError(f"{fonction} : argument inconnu {cle!r}")
        if noms[cle] in valeurs:
            raise TypeError(f"{fonction} : {noms[cle]} donné deux fois")
        valeurs[noms[cle]] = valeur
    for a in arguments:
        if a.nom_c in _OBLIGATOIRES and a.nom not in valeurs:
            raise TypeError(f"{fonction} : {a.nom} est obligatoire")
    return [valeurs.get(a.nom) for a in arguments]


def _methode(fonction, arguments):
    rendus = [i for i, a in enumerate(arguments) if a.sorte == "entier_rendu"]

    def methode(self, *positionnels, **nommes):
        valeurs = _valeurs(fonction, arguments, positionnels, nommes)
        c = [_en_c(a, v) for a, v in zip(arguments, valeurs)]
        self._appelle(fonction, *c)
        resultats = tuple(_sortie(c[i].contents.value)
                          if arguments[i].nom_c == "piTypeImpression" else c[i].contents.value
                          for i in rendus)
        return resultats[0] if len(resultats) == 1 else (resultats or None)

    methode.__name__ = fonction.removeprefix("vitrail_")
    methode.__qualname__ = f"Plan.{methode.__name__}"
    methode.__signature__ = _signature(arguments)
    methode.__doc__ = (f"{fonction}: {', '.join(a.nom for a in arguments) or 'no argument'}."
                       + (" Returns the normalised target." if rendus else ""))
    return methode


class Plan:
    """One planning (vitrail_plan). Every call, and the closing, from the thread that made the
    process's first plan; `with` closes it."""

    def __init__(self, *, console=False, bibliotheque=None):
        """console: messages go to standard error and take their default answers (for every
        plan of the process). bibliotheque: the library's path (see the module)."""
        self._bibliotheque = charge(bibliotheque)
        plan = ctypes.c_void_p()
        self._plan = None
        self._appelle("vitrail_creer", ctypes.byref(plan))
        self._plan = plan
        if console:
            self.reponses_console()

    def _appelle(self, fonction, *arguments):
        if fonction != "vitrail_creer":
            # A closed plan goes as NULL, which the library refuses without touching anything.
            arguments = (self._plan, *arguments)
        resultat = getattr(self._bibliotheque, fonction)(*arguments)
        if resultat != _OK:
            message = self._bibliotheque.vitrail_derniere_erreur() or b""
            raise _ERREURS.get(resultat, Erreur)(fonction, resultat,
                                                 message.decode("utf-8", "replace"))

    @property
    def closed(self):
        return self._plan is None

    def close(self):
        """Frees the plan. Refused (ErreurThread) from another thread: it stays open."""
        if self._plan is not None:
            self._appelle("vitrail_detruire")
            self._plan = None

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def __del__(self):
        try:
            self.close()
        except Exception:
            # Collected on another thread, or the interpreter is going away: the plan is lost.
            pass

    def debordements(self, type_impression=None, *, largeur=None, hauteur=None, zoom=None,
                     orientation=None, paper_size=None):
        """The text frames that do not fit, as show would send the planning to
        type_impression (the viewer by default): Debordements of Debordement. Viewer: the
        drawing area in twips and the zoom; printer: orientation and paper_size as show takes
        them. Nothing is shown, printed or written."""
        arguments = {a.nom_c: a for a in _APPELS["vitrail_debordements"]}
        valeurs = [_en_c(arguments["piTypeImpression"], type_impression),
                   _en_c(arguments["largeur"], largeur),
                   _en_c(arguments["hauteur"], hauteur),
                   _en_c(arguments["idZoom"], zoom),
                   _en_c(arguments["psOrientation"], orientation),
                   _en_c(arguments["psPaperSize"], paper_size)]
        recus = []

        def recoit(_contexte, d):
            d = d.contents
            recus.append(Debordement(d.iNoObjet, d.taille, bool(d.auPlancher), d.lignesPerdues))

        bilan = _CBilan()
        self._appelle("vitrail_debordements", *valeurs, _RECOIT_DEBORDEMENT(recoit), None,
                      ctypes.byref(bilan))
        return Debordements(recus, complet=bool(bilan.complet), arret=Arret(bilan.arret),
                            no_objet_arret=bilan.iNoObjet, nombre_messages=bilan.nombreMessages)


def _ajoute_methodes():
    for fonction, arguments in _APPELS.items():
        nom = fonction.removeprefix("vitrail_")
        # detruire belongs to close, which forgets the handle it frees.
        if (hasattr(Plan, nom) or fonction == "vitrail_detruire" or not arguments
                or arguments[0].type_c != "vitrail_plan*"
                or any(a.sorte is None for a in arguments[1:])):
            continue
        setattr(Plan, nom, _methode(fonction, arguments[1:]))


_ajoute_methodes()
