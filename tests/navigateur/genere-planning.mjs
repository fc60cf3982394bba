// A deterministic planning of N frames that the viewer's first scale shows whole: a grid of 40
// columns of bordered, filled cells of 1 to 4 short French words (some in markup, a third too
// large for their cell so that they shrink, some wrapped over lines and some hyphenated), with
// the example's logo in every 97th cell.
//   node genere-planning.mjs N LOGO > planning.json
const [nombre, logo] = [Number(process.argv[2] ?? 1000), process.argv[3]];
let graine = 1;
const hasard = (n) => {
    graine = (graine * 1103515245 + 12345) % 2147483648;
    return Math.floor(graine / 65536) % n;
};
const mots = ['réu', 'équipe', 'revue', 'sprint', 'atelier', 'cours', 'repas', 'démo', 'tests',
              'rendu', 'client', 'bilan', 'point', 'congé', 'salle', 'plan', 'lot', 'été'];
const colonnes = 40;
const [largeur, hauteur] = [7, 8.8];
const cadres = [];
for (let i = 0; i < nombre; ++i) {
    const haut = Math.floor(i / colonnes) * hauteur;
    const gauche = (i % colonnes) * largeur;
    const boite = { piHaut: haut, piGauche: gauche, piBas: haut + hauteur, piDroite: gauche + largeur };
    if (i % 97 === 0) {
        cadres.push({ type: 'image', psImagePath: logo, ...boite });
        continue;
    }
    const texte = Array.from({ length: 1 + hasard(4) }, () => mots[hasard(mots.length)]);
    if (hasard(4) === 0) texte[0] = `<b>${texte[0]}</b>`;
    if (hasard(6) === 0) texte[texte.length - 1] = `<i>${texte[texte.length - 1]}</i>`;
    if (hasard(8) === 0) texte[0] = `<u>${texte[0]}</u>`;
    cadres.push({ type: 'texte', ...boite, piFillColor: [14478335, 16768477, 14417860, 16777215][hasard(4)],
                  piDrawWidth: 1, plCouleurTrait: 8421504, piFontSize: hasard(3) === 0 ? 12 : 8,
                  psText: texte.join(' ') });
}
process.stdout.write(JSON.stringify({ initialise: { psFont: 'Arial', piFontSize: 8, pdMinFontSize: 4,
                                                    psScreenCaption: `Vitrail — ${nombre} cadres` },
                                      cadres }, null, 1));
