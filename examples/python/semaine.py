#!/usr/bin/env python3
"""The week's schedule of examples/semaine.json, said through the Python module and written as
an HTML page; the frames that do not fit are listed on standard error.

    semaine.py [PAGE]        (default: semaine-python.htm)

The module is found as Python finds it (after cmake --install, pip install ./python, or
PYTHONPATH=python); the library as the module finds it ($VITRAIL_LIB overrides).
"""
import os
import sys

import vitrail

ICI = os.path.dirname(os.path.abspath(__file__))
JOURS = ["Lundi", "Mardi", "Mercredi", "Jeudi", "Vendredi"]
HEURES = ["08:00", "10:00", "12:00", "14:00", "16:00"]
# Columns are 38 wide from 30, rows 24 high from 28 (two hours each).
COLONNE, LIGNE = 38, 24
# (day, first row, rows, background, text)
RENDEZ_VOUS = [
    (0, 0, 1, 0xFFE8CC, "Réunion d'équipe <u>salle 3</u>"),
    (0, 2, 2, 0xCCF2D9, "Revue des <DblQuote>tickets<DblQuote> ouverts, puis priorisation du "
                        "sprint et répartition des tâches entre les développeurs de l'équipe"),
    (1, 1, 1, 0xF2E0FF, "<i>Formation</i> : accessibilité des interfaces"),
    (2, 0, 2, 0xCCE5FF, "Atelier d'architecture : couches, rendu et exportation HTML"),
    (2, 3, 1, 0xFFF2B3, "Démonstration client"),
    (3, 2, 1, 0xFFD9D9, "Déjeuner d'équipe"),
    (3, 3, 2, 0xE6F0D9, "Développement : anticonstitutionnellement longs identifiants à "
                        "renommer avant la livraison de vendredi"),
    (4, 0, 1, 0xFFCCCC, "<b>Livraison</b> version 6.0"),
    (4, 4, 1, 0xE0F7FA, "Rétrospective <SimpleQuote>ce qui a marché<SimpleQuote>"),
]


def semaine(plan):
    plan.initialise(font="Arial", font_size=10, screen_caption="Vitrail — semaine 49",
                    min_font_size=6)
    plan.new_cadre_image(os.path.join(ICI, "..", "logo.png"), 2, 2, 14, 26)
    plan.new_cadre_texte(2, 30, bas=14, droite=220, fill_color=0xF5E6D6, font_size=16,
                         text="Planning de la <b>semaine 49</b> — équipe <i>Vitrail</i>",
                         font_transparent=False)
    for j, jour in enumerate(JOURS):
        gauche = 30 + j * COLONNE
        plan.new_cadre_texte(18, gauche, bas=26, droite=gauche + COLONNE, fill_color=0xE0E0E0,
                             text=f"<b>{jour}</b>", font_size=11, font_transparent=False)
    for h, heure in enumerate(HEURES):
        haut = 28 + h * LIGNE
        plan.new_cadre_texte(haut, 2, bas=haut + LIGNE, droite=28, draw_width=0, text=heure,
                             font_size=10, aligne="HV")
    # The grid: frames half a unit thick.
    for h in range(len(HEURES) + 1):
        haut = 28 + h * LIGNE
        plan.new_cadre_texte(haut, 2, bas=haut + 0.5, droite=220)
    for j in range(len(JOURS) + 1):
        gauche = 30 + j * COLONNE
        plan.new_cadre_texte(18, gauche, bas=148, droite=gauche + 0.5)
    for jour, ligne, lignes, fond, texte in RENDEZ_VOUS:
        haut, gauche = 28 + ligne * LIGNE, 30 + jour * COLONNE
        plan.new_cadre_texte(haut + 1.5, gauche + 1.5, bas=haut + lignes * LIGNE - 1.5,
                             droite=gauche + COLONNE - 1.5, fill_color=fond, text=texte,
                             font_size=11, font_transparent=False, couleur_trait=0x806040)
    plan.new_cadre_texte(151, 2, bas=158, droite=220, draw_width=0, font_size=8, aligne="H",
                         text="Imprimé par Vitrail — <i>document interne</i>")


def main():
    page = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else "semaine-python.htm")
    # Failures while drawing are told in the component's own messages, never as an
    # exception: only the page itself shows that it was written.
    if os.path.exists(page):
        os.remove(page)
    try:
        # Batch use: the page's closing message must not wait for a click.
        with vitrail.Plan(console=True) as plan:
            semaine(plan)
            for d in plan.debordements(vitrail.Sortie.HTML):
                print(f"semaine.py: cadre {d.no_objet} dessiné en {d.taille:g} points, "
                      f"{d.lignes_perdues} ligne(s) perdue(s)", file=sys.stderr)
            plan.show(type_impression=vitrail.Sortie.HTML, chemin=page)
    except (OSError, vitrail.Erreur) as e:
        print(f"semaine.py: {e}", file=sys.stderr)
        return 1
    if not os.path.exists(page):
        print(f"semaine.py: la page {page} n'a pas été écrite", file=sys.stderr)
        return 1
    print(page)
    return 0


if __name__ == "__main__":
    sys.exit(main())
