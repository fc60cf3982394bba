// One layout, every target: the html5 page and the SVG of a planning, shown by headless Chromium,
// against Vitrail's own PNG of the same screen pass.
//   node memes-lignes.mjs PNG HTML5 SVG
// Every text run of the page must be drawn by the browser within a pixel of the box the layout
// gave it (left, top, width, height), every run of the SVG within a pixel of the same box, and
// both pictures may differ from the PNG only on few pixels: glyph edges are smoothed by
// another rasteriser, the rest (boxes, fills, pictures, where each run starts) is the same.
import fs from 'node:fs';
import path from 'node:path';

import { Navigateur, pixels, ouvre, capture } from './chromium.mjs';

const ECART_PIXELS = 1;
// The pictures are compared once smoothed over a pixel (a Gaussian of sigma 1), which evens out
// how two rasterisers smooth glyph edges but not where a glyph, a line or a box stands. A pixel
// then differs when one of its channels differs by more than this.
const SEUIL_CANAL = 64;
// Share of the pixels that may differ. Measured: the example 0.01% (page) and 0.01% (SVG), the
// 1,000 small cells 0.41% and 0%; every run of the cells moved by two pixels gives 2.6%, the
// browser's serif in place of the measured face 1.4%.
const PART_MAXIMALE = 0.01;

function difference(a, b) {
    if (a.largeur !== b.largeur || a.hauteur !== b.hauteur) return 1;
    let differents = 0;
    for (let i = 0; i < a.octets.length; i += 3) {
        if (Math.abs(a.octets[i] - b.octets[i]) > SEUIL_CANAL ||
            Math.abs(a.octets[i + 1] - b.octets[i + 1]) > SEUIL_CANAL ||
            Math.abs(a.octets[i + 2] - b.octets[i + 2]) > SEUIL_CANAL) ++differents;
    }
    return differents / (a.largeur * a.hauteur);
}

// The runs of the page: the box the layout gave each one (its style) and the box of the text
// the browser drew (a range over it, so not the span's own set width).
const RUNS_PAGE = `Array.from(document.querySelectorAll('.planning > span')).map((s) => {
    const st = s.style;
    const r = document.createRange();
    r.selectNodeContents(s);
    const b = r.getBoundingClientRect();
    return { texte: s.textContent,
             voulu: { x: parseFloat(st.left), y: parseFloat(st.top), l: parseFloat(st.width), h: parseFloat(st.lineHeight) },
             dessine: { x: b.left, y: b.top, l: b.width, h: b.height } };
})`;

const RUNS_SVG = `Array.from(document.querySelectorAll('text')).map((t) => {
    const b = t.getBoundingClientRect();
    // Where the run starts and its advance, as the page's range gives them: an italic's box also
    // holds the overhang of its first and last glyphs.
    const debut = t.textContent.length > 0 ? t.getStartPositionOfChar(0).x : b.left;
    return { texte: t.textContent, dessine: { x: debut, y: b.top, l: t.getComputedTextLength(), h: b.height } };
})`;

// Left, right and the middle of the line: the browser's box of a text is its font's ascent and
// descent rounded its own way, a pixel taller than the layout's line at some sizes, around the
// same baseline.
function ecart(a, b) {
    return Math.max(Math.abs(a.x - b.x), Math.abs(a.x + a.l - (b.x + b.l)),
                    Math.abs(a.y + a.h / 2 - (b.y + b.h / 2)));
}

// Each run drawn within a pixel of the box the layout gave it; the runs in the same order.
function compareRuns(nom, voulus, dessines, echecs) {
    if (dessines.length !== voulus.length) echecs.push(`${nom}: ${dessines.length} runs, the layout has ${voulus.length}`);
    let pire = 0;
    for (let i = 0; i < Math.min(dessines.length, voulus.length); ++i) {
        if (dessines[i].texte !== voulus[i].texte) {
            echecs.push(`${nom}: run ${i} is "${dessines[i].texte}", the layout's "${voulus[i].texte}"`);
            continue;
        }
        const e = ecart(voulus[i].voulu, dessines[i].dessine);
        pire = Math.max(pire, e);
        if (e > ECART_PIXELS) echecs.push(`${nom}: "${voulus[i].texte}" laid out at ${JSON.stringify(voulus[i].voulu)}, drawn at ${JSON.stringify(dessines[i].dessine)}`);
    }
    if (voulus.length === 0) echecs.push(`${nom}: no text run`);
    console.log(`${nom}: ${dessines.length} runs, largest gap ${pire.toFixed(2)} px`);
}

// The tab's picture against the PNG, smoothed.
async function comparePixels(nom, dans, dossier, reference, echecs) {
    const image = path.join(dossier, `${nom}.png`);
    await capture(dans, image);
    const part = difference(reference, pixels(image, 1));
    console.log(`${nom}: ${(100 * part).toFixed(2)}% of the pixels differ from the PNG`);
    if (part > PART_MAXIMALE) echecs.push(`${nom}: ${(100 * part).toFixed(2)}% of the pixels differ`);
    if (process.env.VITRAIL_CAPTURES) fs.copyFileSync(image, path.join(process.env.VITRAIL_CAPTURES, `${nom}.png`));
}

async function principal() {
    const [png, page, svg] = process.argv.slice(2);
    const reference = pixels(png, 1);
    const navigateur = new Navigateur(path.dirname(path.resolve(page)));
    const echecs = [];
    const texte = async (dans, expression) =>
        (await dans('Runtime.evaluate', { expression, returnByValue: true })).result.value;
    try {
        // The page's runs say where the layout put them: they are the reference for both.
        const dansPage = await ouvre(navigateur, page, reference.largeur, reference.hauteur);
        const runs = await texte(dansPage, RUNS_PAGE);
        compareRuns('page', runs, runs, echecs);
        await comparePixels('page', dansPage, navigateur.profil, reference, echecs);

        const dansSvg = await ouvre(navigateur, svg, reference.largeur, reference.hauteur);
        const textes = (await texte(dansSvg, RUNS_SVG)).filter((t) => t.texte.length > 0);
        compareRuns('svg', runs, textes, echecs);
        await comparePixels('svg', dansSvg, navigateur.profil, reference, echecs);
    } finally {
        await navigateur.ferme();
    }
    for (const e of echecs.slice(0, 20)) console.error('FAILED: ' + e);
    if (echecs.length > 20) console.error(`FAILED: ... and ${echecs.length - 20} more`);
    process.exit(echecs.length ? 1 : 0);
}

principal().catch((e) => { console.error(e); process.exit(1); });
