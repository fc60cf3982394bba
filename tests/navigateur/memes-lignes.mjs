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

async function principal() {
    const [png, page, svg] = process.argv.slice(2);
    const reference = pixels(png, 1);
    const navigateur = new Navigateur(path.dirname(path.resolve(page)));
    const echecs = [];
    try {
        const dansPage = await ouvre(navigateur, page, reference.largeur, reference.hauteur);
        const runs = (await dansPage('Runtime.evaluate', { expression: RUNS_PAGE, returnByValue: true })).result.value;
        let pire = 0;
        for (const run of runs) {
            const e = ecart(run.voulu, run.dessine);
            pire = Math.max(pire, e);
            if (e > ECART_PIXELS) echecs.push(`page: "${run.texte}" laid out at ${JSON.stringify(run.voulu)}, drawn at ${JSON.stringify(run.dessine)}`);
        }
        if (runs.length === 0) echecs.push('page: no text run');
        console.log(`page: ${runs.length} runs, largest gap ${pire.toFixed(2)} px`);
        const imagePage = path.join(navigateur.profil, 'page.png');
        await capture(dansPage, imagePage);
        const partPage = difference(reference, pixels(imagePage, 1));
        console.log(`page: ${(100 * partPage).toFixed(2)}% of the pixels differ from the PNG`);
        if (partPage > PART_MAXIMALE) echecs.push(`page: ${(100 * partPage).toFixed(2)}% of the pixels differ`);

        const dansSvg = await ouvre(navigateur, svg, reference.largeur, reference.hauteur);
        const textes = (await dansSvg('Runtime.evaluate', { expression: RUNS_SVG, returnByValue: true })).result.value
            .filter((t) => t.texte.length > 0);
        if (textes.length !== runs.length) echecs.push(`svg: ${textes.length} runs, the page has ${runs.length}`);
        let pireSvg = 0;
        for (let i = 0; i < Math.min(textes.length, runs.length); ++i) {
            if (textes[i].texte !== runs[i].texte) {
                echecs.push(`svg: run ${i} is "${textes[i].texte}", the page's "${runs[i].texte}"`);
                continue;
            }
            const e = ecart(runs[i].voulu, textes[i].dessine);
            pireSvg = Math.max(pireSvg, e);
            if (e > ECART_PIXELS) echecs.push(`svg: "${runs[i].texte}" laid out at ${JSON.stringify(runs[i].voulu)}, drawn at ${JSON.stringify(textes[i].dessine)}`);
        }
        console.log(`svg: ${textes.length} runs, largest gap ${pireSvg.toFixed(2)} px`);
        const imageSvg = path.join(navigateur.profil, 'svg.png');
        await capture(dansSvg, imageSvg);
        const partSvg = difference(reference, pixels(imageSvg, 1));
        console.log(`svg: ${(100 * partSvg).toFixed(2)}% of the pixels differ from the PNG`);
        if (partSvg > PART_MAXIMALE) echecs.push(`svg: ${(100 * partSvg).toFixed(2)}% of the pixels differ`);
        if (process.env.VITRAIL_CAPTURES) {
            fs.copyFileSync(imagePage, path.join(process.env.VITRAIL_CAPTURES, 'page.png'));
            fs.copyFileSync(imageSvg, path.join(process.env.VITRAIL_CAPTURES, 'svg.png'));
        }
    } finally {
        await navigateur.ferme();
    }
    for (const e of echecs.slice(0, 20)) console.error('FAILED: ' + e);
    if (echecs.length > 20) console.error(`FAILED: ... and ${echecs.length - 20} more`);
    process.exit(echecs.length ? 1 : 0);
}

principal().catch((e) => { console.error(e); process.exit(1); });
