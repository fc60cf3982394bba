#!/usr/bin/env python3
"""Plannings of one frame holding a long text of one kind, to time the worst cases of the layout.

    python3 bench/cadres_longs.py FOLDER [CHARACTERS]

writes FOLDER/NAME.json for each kind below (a million characters unless told), the same files
on every run. Time one with
    vitrail render FOLDER/NAME.json --to html -o OUT -q
"""
import json
import os
import random
import sys


def mots(hasard, liste, n):
    """Words drawn from the list, blank-separated, cut to n characters."""
    morceaux, taille = [], 0
    while taille < n:
        m = hasard.choice(liste)
        morceaux.append(m)
        taille += len(m) + 1
    return " ".join(morceaux)[:n]


def repete(motif, n):
    return (motif * (n // len(motif) + 1))[:n]


def textes(n):
    hasard = random.Random(3)
    return {
        # Tokens that become quotes.
        "jetons": repete("<p>x ", n),
        # Words in tags, and tags as words of their own.
        "balises": repete("<b>x</b> ", n),
        "balises_seules": repete("<b> x </b> ", n),
        # One word of tabs and letters, no blank.
        "tabulations": repete("\tx", n),
        # Words that kern with the blanks around them, words with soft hyphens.
        "crenage": repete("AV ", n),
        "cesures": repete("a\u00adb ", n),
        # Pictographs joined, with skin tones and flags, beside a Latin letter.
        "pictogrammes": mots(hasard, ["😀", "👍🏽", "👨‍👩‍👧", "🇫🇷", "a😀b"], n),
        "nombres": mots(hasard, ["12", "3,5", "14h30", "1.000", "42%"], n),
        "devanagari": mots(hasard, ["नमस्ते", "हिन्दी", "भारत"], n),
        # Hindi words with conjuncts, vowel signs over and before their consonant, nuktas
        # (and a letter with its own), dandas, and Latin words.
        "hindi": mots(
            hasard,
            ["यह", "एक", "परीक्षा", "है", "।", "हम", "स्कूल", "जाते", "हैं", "पढ़ाई", "ज़रूरी",
             "क्षेत्र", "श्रीमान", "कृपया", "किताबें", "ब\u095c\u093e", "2026", "Tour"],
            n,
        ),
        # Both directions, brackets and tags.
        "balises_deux_sens": mots(
            hasard, ["<b>café</b>", "<i>שלום</i>", "T)", "(T", "مرحبا", "<u>x</u>"], n
        ),
        "latin": mots(hasard, ["AVANT", "Tour", "Yves", "café", "l’été", "T.", "µm"], n),
        # Thai words in a font that draws Thai and its blanks alike.
        "thai_norasi": mots(hasard, ["สวัสดี", "ภาษาไทย", "น้ำ", "ที่", "สำหรับ", "๑๒๓", "Tour"], n),
        # Numbers, signs and pictographs after words of several scripts.
        "signes": mots(hasard, ["Tour", "Ωμεγα", "Жук", "日本", "1,", "12", "…", "(", "😀"], n),
        # Soft hyphens among words of both directions.
        "cesures_deux_sens": mots(hasard, ["T\u00ad", "a\u00adb", "שלום", "مرحبا", "Tour"], n),
        # Arabic in a font that draws it and its blanks, among Hebrew and Latin words.
        "arabe_dejavu": mots(hasard, ["مرحبا", "سلام", "كتاب", "عالم", "שלום", "Tour"], n),
        # Thai in a font that draws it, among Hebrew and Latin words.
        "thai_hebreu_norasi": mots(hasard, ["สวัสดี", "ภาษาไทย", "น้ำ", "שלום", "עולם", "Tour"], n),
        # Words of signs, about one in a hundred of Latin letters.
        "signes_rares": mots(
            hasard, ["Tour"] + 9 * ["...", "!?", "--", "«»", "%", "+=", "#", "*", "/", "§", "&", "@"], n
        ),
    }


# The font of the kinds that need one of their own.
POLICES = {
    "thai_norasi": "Norasi",
    "arabe_dejavu": "DejaVu Sans",
    "thai_hebreu_norasi": "Norasi",
}


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    dossier = sys.argv[1]
    n = int(sys.argv[2]) if len(sys.argv) == 3 else 1_000_000
    os.makedirs(dossier, exist_ok=True)
    for nom, texte in textes(n).items():
        planning = {
            "initialise": {
                "psFont": POLICES.get(nom, "Arial"),
                "piFontSize": 10,
                "pdMinFontSize": 1,
            },
            "cadres": [
                {
                    "type": "texte",
                    "piHaut": 5,
                    "piGauche": 5,
                    "piBas": 145,
                    "piDroite": 195,
                    "psText": texte,
                }
            ],
        }
        with open(os.path.join(dossier, nom + ".json"), "w", encoding="utf-8") as f:
            json.dump(planning, f, ensure_ascii=False)


if __name__ == "__main__":
    main()
