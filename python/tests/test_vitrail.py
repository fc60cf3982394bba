"""The Python module through the real library: pages against the C interface called directly,
errors, the fit report against the vitrail command's check, closing, the header's calls."""

import ctypes
import gc
import json
import os
import re
import subprocess
import sys
import tempfile
import threading
import unittest

import vitrail

SOURCE = os.environ.get("VITRAIL_SOURCE",
                        os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
COMMANDE = os.environ.get("VITRAIL_CLI")


def page(dossier, nom, construit, *, bibliotheque=None):
    """The HTML page a planning said through the module gives."""
    chemin = os.path.join(dossier, nom)
    with vitrail.Plan(console=True, bibliotheque=bibliotheque) as plan:
        construit(plan)
        plan.show(type_impression=vitrail.Sortie.HTML, chemin=chemin)
    with open(chemin, "rb") as f:
        return f.read()


# The C interface called directly, without the module: every argument in its place.
C = ctypes.CDLL(vitrail.charge()._name)
R, E, T = ctypes.c_double, ctypes.c_int32, ctypes.c_char_p
NAN, DE = R(float("nan")), E(-(2**31))


def page_c(dossier, nom, appels):
    chemin = os.path.join(dossier, nom)
    plan = ctypes.c_void_p()
    assert C.vitrail_creer(ctypes.byref(plan)) == 0
    try:
        assert C.vitrail_reponses_console(plan) == 0
        for fonction, arguments in appels:
            assert getattr(C, fonction)(plan, *arguments) == 0, fonction
        cible = E(3)
        assert C.vitrail_show(plan, ctypes.byref(cible), DE, None, None, DE,
                              chemin.encode(), None) == 0
    finally:
        C.vitrail_detruire(plan)
    with open(chemin, "rb") as f:
        return f.read()


LOGO = os.path.join(SOURCE, "examples", "logo.png")

# (name, said through the module, said to the C interface, a piece of the page)
PLANNINGS = [
    ("réglages et drapeaux",
     lambda p: (p.initialise(font="Arial", font_size=12, font_bold=True, fill_color=0xFFE0CC,
                             aligne="HV", screen_caption="Semaine 49", min_font_size=6),
                p.new_cadre_texte(10, 20, bas=40, droite=300, text="Lundi <i>réunion</i>",
                                  font_italic=True, font_transparent=False, font_size=14),
                p.new_cadre_texte(50, 20, 90, 300, 0, None, "Mardi", font_underline=1,
                                  font_bold=False, font_color=0x0000FF, couleur_trait=0x806040)),
     [("vitrail_initialise",
       (NAN, E(0xFFE0CC), DE, T(b"Arial"), E(12), E(1), DE, DE, DE, DE, DE, T(b"HV"), DE, DE,
        None, None, DE, DE, DE, DE, DE, DE, T(b"Semaine 49"), R(6))),
      ("vitrail_new_cadre_texte",
       (R(10), R(20), R(40), R(300), NAN, DE, T("Lundi <i>réunion</i>".encode()), None, E(14),
        None, T(b"True"), None, None, T(b"False"), DE, None, DE)),
      ("vitrail_new_cadre_texte",
       (R(50), R(20), R(90), R(300), R(0), DE, T(b"Mardi"), None, DE, T(b"False"), None,
        None, T(b"1"), None, E(0x0000FF), None, E(0x806040)))],
     "Lundi"),
    ("noms du C, image et valeurs par défaut",
     lambda p: (p.initialise(psFont="Times New Roman", piFontSize=9, pdMinFontSize=None),
                p.new_cadre_image(LOGO, 2, 2),
                p.new_cadre_texte(piHaut=2, piGauche=30, piBas=14.5, piDroite=220,
                                  psText="Planning de la <b>semaine 49</b> — équipe",
                                  pbFontTransparent="0", psAligne="H"),
                p.new_cadre_texte(20, 30, text="Sans bas ni droite")),
     [("vitrail_initialise",
       (NAN, DE, DE, T(b"Times New Roman"), E(9), DE, DE, DE, DE, DE, DE, None, DE, DE, None,
        None, DE, DE, DE, DE, DE, DE, None, NAN)),
      ("vitrail_new_cadre_image", (T(LOGO.encode()), R(2), R(2), NAN, NAN)),
      ("vitrail_new_cadre_texte",
       (R(2), R(30), R(14.5), R(220), NAN, DE,
        T("Planning de la <b>semaine 49</b> — équipe".encode()), None, DE, None, None, None,
        None, T(b"0"), DE, T(b"H"), DE)),
      ("vitrail_new_cadre_texte",
       (R(20), R(30), NAN, NAN, NAN, DE, T(b"Sans bas ni droite"), None, DE, None, None, None,
        None, None, DE, None, DE))],
     "semaine"),
]


class PagesCommeEnC(unittest.TestCase):
    def test_la_page_est_celle_du_c(self):
        with tempfile.TemporaryDirectory() as dossier:
            for nom, module, appels, morceau in PLANNINGS:
                with self.subTest(nom):
                    attendue = page_c(dossier, "c.htm", appels)
                    self.assertIn(morceau.encode(), attendue)
                    self.assertEqual(page(dossier, "py.htm", module), attendue)

    def test_show_rend_la_cible(self):
        with tempfile.TemporaryDirectory() as dossier, vitrail.Plan(console=True) as plan:
            plan.new_cadre_texte(1, 1, 10, 10, text="x")
            chemin = os.path.join(dossier, "p.htm")
            self.assertIs(plan.show(type_impression=3, chemin=chemin), vitrail.Sortie.HTML)
            self.assertTrue(os.path.exists(chemin))

    @unittest.skipUnless(COMMANDE, "VITRAIL_CLI names the vitrail command")
    def test_l_exemple_donne_la_page_du_planning_livre(self):
        with tempfile.TemporaryDirectory() as dossier:
            commande = os.path.join(dossier, "commande.htm")
            subprocess.run([COMMANDE, "render", os.path.join(SOURCE, "examples", "semaine.json"),
                            "--to", "html", "-o", commande, "-q"], check=True,
                           stderr=subprocess.DEVNULL)
            exemple = os.path.join(dossier, "exemple.htm")
            sortie = subprocess.run(
                [sys.executable, os.path.join(SOURCE, "examples", "python", "semaine.py"),
                 exemple], check=True, capture_output=True, text=True)
            self.assertEqual(sortie.stdout.strip(), exemple)
            with open(commande, "rb") as a, open(exemple, "rb") as b:
                self.assertEqual(b.read(), a.read())


class Erreurs(unittest.TestCase):
    def ferme(plan):
        plan.close()
        plan.cls()

    # (name, the call, the exception, its result code, a piece of its message)
    CAS = [
        ("plan fermé", ferme, vitrail.ErreurArgument, 1, "pointeur nul"),
        ("16 bits", lambda p: p.initialise(font_size=40000), vitrail.ErreurArgument, 1,
         "piFontSize"),
        ("plus de 32 bits", lambda p: p.new_cadre_texte(1, 1, font_size=2**32 + 12),
         vitrail.ErreurArgument, 1, "hors de l'intervalle"),
        ("le marqueur de défaut", lambda p: p.initialise(fill_color=-(2**31)),
         vitrail.ErreurArgument, 1, "hors de l'intervalle"),
        ("NUL", lambda p: p.new_cadre_texte(1, 1, text="a\0b"), vitrail.ErreurArgument, 1,
         "NUL"),
        ("non UTF-8", lambda p: p.initialise(font="\ud800"), vitrail.ErreurArgument, 1,
         "UTF-8"),
        ("octets non UTF-8", lambda p: p.new_cadre_texte(1, 1, text=b"\xff"),
         vitrail.ErreurArgument, 1, "UTF-8"),
        ("haut absent", lambda p: p.new_cadre_texte(None, 20), vitrail.ErreurArgument, 1,
         "piHaut"),
        ("image sans chemin", lambda p: p.new_cadre_image(None, 1, 2), vitrail.ErreurArgument,
         1, "psImagePath"),
        ("argument inconnu", lambda p: p.initialise(police="Arial"), TypeError, None,
         "police"),
        ("donné deux fois", lambda p: p.new_cadre_texte(1, 2, haut=3), TypeError, None,
         "deux fois"),
        ("nom C et nom Python", lambda p: p.initialise(font="A", psFont="B"), TypeError, None,
         "deux fois"),
        ("obligatoire", lambda p: p.new_cadre_texte(gauche=2), TypeError, None, "obligatoire"),
        ("trop d'arguments", lambda p: p.new_cadre_image("a", 1, 2, 3, 4, 5), TypeError, None,
         "au plus"),
        ("un texte pour un nombre", lambda p: p.new_cadre_texte("1", 2), TypeError, None,
         "haut"),
        ("un réel pour un entier", lambda p: p.initialise(font_size=12.5), TypeError, None,
         "font_size"),
    ]

    def test_erreurs(self):
        for nom, appel, classe, code, message in self.CAS:
            with self.subTest(nom), vitrail.Plan(console=True) as plan:
                with self.assertRaises(classe) as e:
                    appel(plan)
                self.assertIn(message, str(e.exception))
                if issubclass(classe, vitrail.Erreur):
                    self.assertIs(type(e.exception), classe)
                    self.assertEqual(e.exception.code, code)

    def test_un_appel_refuse_ne_change_rien(self):
        def construit(p, refus):
            p.new_cadre_texte(1, 1, 20, 100, text="avant")
            if refus:
                for appel in (lambda: p.new_cadre_texte(30, 1, 50, 100, text="x", font_size=2**33),
                              lambda: p.new_cadre_texte(30, 1, 50, 100, text="x",
                                                        font_size=40000),
                              lambda: p.initialise(font="Times New Roman", font_size=70000)):
                    self.assertRaises(vitrail.ErreurArgument, appel)

        with tempfile.TemporaryDirectory() as dossier:
            self.assertEqual(page(dossier, "a.htm", lambda p: construit(p, True)),
                             page(dossier, "b.htm", lambda p: construit(p, False)))

    def test_un_autre_thread_est_refuse(self):
        with vitrail.Plan(console=True) as plan:
            erreurs = []

            def ailleurs():
                for appel in (plan.cls, lambda: plan.new_cadre_texte(1, 1, text="x"),
                              plan.debordements, plan.close):
                    try:
                        appel()
                    except vitrail.Erreur as e:
                        erreurs.append(e)

            fil = threading.Thread(target=ailleurs)
            fil.start()
            fil.join()
            self.assertEqual([type(e) for e in erreurs], [vitrail.ErreurThread] * 4)
            self.assertEqual({e.code for e in erreurs}, {4})
            # Refused there, the plan is still open and usable here.
            self.assertFalse(plan.closed)
            self.assertEqual(plan.debordements(vitrail.Sortie.HTML), [])
        self.assertTrue(plan.closed)


def bilan(liste):
    return (liste.complet, liste.arret, liste.no_objet_arret, liste.nombre_messages > 0)


def verification(dossier, planning, cible):
    """What `vitrail check` says of the same planning: (frame, size, floor, lines lost)."""
    fichier = os.path.join(dossier, "planning.json")
    with open(fichier, "w", encoding="utf-8") as f:
        json.dump(planning, f, ensure_ascii=False)
    sortie = subprocess.run([COMMANDE, "check", fichier, "--to", cible], capture_output=True,
                            text=True).stdout
    return [vitrail.Debordement(int(m[0]), float(m[1]), bool(m[2]), int(m[3] or 0))
            for m in re.findall(r"^frame (\d+): drawn at ([\d.]+) pt"
                                r"(, does not fit even at the smallest size)?"
                                r"(?:, (\d+) line\(s\) not drawn)?$", sortie, re.M)]


def dit(plan, planning):
    plan.initialise(**planning.get("initialise", {}))
    for cadre in planning["cadres"]:
        cadre = dict(cadre)
        sorte = cadre.pop("type")
        (plan.new_cadre_texte if sorte == "texte" else plan.new_cadre_image)(**cadre)


LONG = ("Un texte bien trop long pour un cadre aussi petit, qui ne tient pas même à la plus "
        "petite taille permise")


class Debordements(unittest.TestCase):
    with open(os.path.join(SOURCE, "tests", "fichiers", "debordant.json"), encoding="utf-8") as f:
        DEBORDANT = json.load(f)
    # Frames that fit, one that loses lines at the floor, one that shrinks to fit, one too
    # narrow for its word, one that fits only at the floor, one below the floor from the start.
    MELANGE = {
        "initialise": {"psFont": "Arial", "piFontSize": 14, "pdMinFontSize": 7},
        "cadres": [
            {"type": "texte", "piHaut": 2, "piGauche": 2, "piBas": 30, "piDroite": 90,
             "psText": "Tient"},
            {"type": "image", "psImagePath": LOGO, "piHaut": 2, "piGauche": 100},
            {"type": "texte", "piHaut": 40, "piGauche": 2, "piBas": 46, "piDroite": 40,
             "psText": LONG},
            {"type": "texte", "piHaut": 50, "piGauche": 2, "piBas": 70, "piDroite": 60,
             "psText": "Rétrospective <b>de la semaine</b> et suite"},
            {"type": "texte", "piHaut": 80, "piGauche": 2, "piBas": 84, "piDroite": 8,
             "psText": "anticonstitutionnellement", "piFontSize": 30},
            {"type": "texte", "piHaut": 90, "piGauche": 2, "piBas": 200, "piDroite": 12,
             "psText": LONG, "piFontSize": 40},
            {"type": "texte", "piHaut": 210, "piGauche": 2, "piBas": 214, "piDroite": 40,
             "psText": LONG, "piFontSize": 5},
        ],
    }

    @unittest.skipUnless(COMMANDE, "VITRAIL_CLI names the vitrail command")
    def test_comme_la_verification_de_la_commande(self):
        with tempfile.TemporaryDirectory() as dossier:
            for nom, planning in (("debordant", self.DEBORDANT), ("mélange", self.MELANGE)):
                for cible, sortie in (("html", vitrail.Sortie.HTML), ("viewer", None)):
                    with self.subTest(nom, cible=cible), vitrail.Plan(console=True) as plan:
                        dit(plan, planning)
                        attendus = verification(dossier, planning, cible)
                        self.assertTrue(attendus)
                        liste = plan.debordements(sortie)
                        self.assertEqual(list(liste), attendus)
                        self.assertEqual(bilan(liste), (True, vitrail.Arret.AUCUN, 0, False))

    def test_contenu(self):
        with vitrail.Plan(console=True) as plan:
            dit(plan, self.DEBORDANT)
            [d] = plan.debordements(vitrail.Sortie.HTML)
            self.assertIsInstance(d, vitrail.Debordement)
            self.assertEqual((d.no_objet, d.taille, d.au_plancher), (2, 8.0, True))
            self.assertGreater(d.lignes_perdues, 0)

    # (name, what is added to debordant.json, the target, the check's end)
    INCOMPLETS = [
        ("image absente", [{"type": "image", "psImagePath": "/nulle/part.png", "piHaut": 1,
                            "piGauche": 1, "piBas": 9, "piDroite": 9}], vitrail.Sortie.ECRAN,
         (False, vitrail.Arret.ERREUR_SIGNALEE, 3, True)),
        ("cible sans sortie", [], 7, (False, vitrail.Arret.CIBLE_SANS_SORTIE, 0, False)),
        ("trop de cadres", [{"type": "texte", "piHaut": 1, "piGauche": 1}] * 32767,
         vitrail.Sortie.HTML, (False, vitrail.Arret.TROP_DE_CADRES, 0, True)),
    ]

    def test_verification_incomplete(self):
        for nom, ajout, cible, fin in self.INCOMPLETS:
            with self.subTest(nom), vitrail.Plan(console=True) as plan:
                dit(plan, {**self.DEBORDANT, "cadres": self.DEBORDANT["cadres"] + ajout})
                liste = plan.debordements(cible)
                self.assertEqual(bilan(liste), fin)
                # The image comes after the overflowing frame, which is told.
                self.assertEqual([d.no_objet for d in liste],
                                 [2] if fin[1] == vitrail.Arret.ERREUR_SIGNALEE else [])

    def test_le_planning_reste_tel_quel(self):
        def construit(p, verifie):
            dit(p, self.MELANGE)
            if verifie:
                self.assertTrue(p.debordements(vitrail.Sortie.IMPRIMANTE, paper_size="A3"))
                self.assertTrue(p.debordements(largeur=3000, hauteur=2000, zoom=2))

        with tempfile.TemporaryDirectory() as dossier:
            self.assertEqual(page(dossier, "a.htm", lambda p: construit(p, True)),
                             page(dossier, "b.htm", lambda p: construit(p, False)))

    def test_la_geometrie_compte(self):
        with vitrail.Plan(console=True) as plan:
            dit(plan, self.MELANGE)
            petit = plan.debordements(largeur=3000, hauteur=2000, zoom=0.5)
            grand = plan.debordements(largeur=3000, hauteur=2000, zoom=4)
            self.assertNotEqual(list(petit), list(grand))


class Espion:
    """The library, with its calls of vitrail_detruire noted."""

    def __init__(self, bibliotheque):
        self.bibliotheque = bibliotheque
        self.detruits = []

    def __getattr__(self, nom):
        fonction = getattr(self.bibliotheque, nom)
        if nom != "vitrail_detruire":
            return fonction

        def detruit(plan):
            resultat = fonction(plan)
            self.detruits.append((plan.value, resultat))
            return resultat

        return detruit


def espionne(plan):
    espion = Espion(plan._bibliotheque)
    plan._bibliotheque = espion
    return plan._plan.value, espion


class Fermeture(unittest.TestCase):
    def test_with_libere_le_plan(self):
        for nom, exception in (("sortie normale", None), ("exception", KeyError)):
            with self.subTest(nom):
                with self.assertRaises(exception or ValueError):
                    with vitrail.Plan() as plan:
                        poignee, espion = espionne(plan)
                        self.assertEqual(espion.detruits, [])
                        if exception:
                            raise exception("arrêt")
                    raise ValueError("fin")
                self.assertEqual(espion.detruits, [(poignee, 0)])
                self.assertTrue(plan.closed)
                plan.close()
                self.assertEqual(len(espion.detruits), 1)
                with self.assertRaises(vitrail.ErreurArgument):
                    plan.new_cadre_texte(1, 1)

    def test_un_plan_oublie_est_libere(self):
        plan = vitrail.Plan()
        poignee, espion = espionne(plan)
        del plan
        gc.collect()
        self.assertEqual(espion.detruits, [(poignee, 0)])

    def test_fermer_ailleurs_est_refuse(self):
        plan = vitrail.Plan()
        poignee, espion = espionne(plan)
        erreurs = []

        def ailleurs():
            try:
                plan.close()
            except vitrail.Erreur as e:
                erreurs.append(type(e))

        fil = threading.Thread(target=ailleurs)
        fil.start()
        fil.join()
        self.assertEqual(erreurs, [vitrail.ErreurThread])
        self.assertEqual(espion.detruits, [(poignee, 4)])
        self.assertFalse(plan.closed)
        plan.close()
        self.assertEqual(espion.detruits[1:], [(poignee, 0)])


def declarations(entete):
    """The header's functions: name -> 'type name, ...' with spaces made even."""
    texte = re.sub(r"/\*.*?\*/", " ", entete, flags=re.S)
    trouves = {}
    for m in re.finditer(r"VITRAIL_API\s+[\w\s\*]*?(\w+)\s*\(([^)]*)\)\s*;", texte):
        arguments = ", ".join(re.sub(r"\s*(\*+)\s*", r"\1 ", " ".join(a.split())).strip()
                              for a in m.group(2).split(","))
        trouves[m.group(1)] = arguments
    return trouves


class TableDesAppels(unittest.TestCase):
    def test_la_table_est_celle_de_l_entete(self):
        with open(os.path.join(SOURCE, "include", "vitrail", "vitrail.h"), encoding="utf-8") as f:
            entete = declarations(f.read())
        table = {nom: ", ".join(f"{a.type_c} {a.nom_c}" for a in arguments)
                 for nom, arguments in vitrail._APPELS.items()}
        # Not wrapped: the error text is read by the module itself; the version, the answers
        # without message boxes and the reports give texts or take a callback the table's types
        # do not carry yet.
        hors_table = {"vitrail_derniere_erreur", "vitrail_version", "vitrail_sans_dialogues",
                      "vitrail_rapport"}
        self.assertEqual(table, {n: a for n, a in entete.items() if n not in hors_table})


if __name__ == "__main__":
    unittest.main()
