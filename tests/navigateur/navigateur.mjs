// The HTML export in a real browser: headless Chromium opens the page, every block must sit
// exactly where the export placed it, and the page's picture must show each filled frame where
// Vitrail's own PNG rendering of the same planning shows it.
//   node navigateur.mjs PAGE.htm VITRAIL.png
// Chromium is driven over its DevTools pipe, so nothing but Node.js and Chromium is needed.
import fs from 'node:fs';
import path from 'node:path';

import { Navigateur, pixels, ouvre } from './chromium.mjs';

// Frames may differ this much, in planning units, between the page and the PNG: the page draws
// a filled box's colour inside its table border and cell spacing (about 3 pixels, under one
// unit), the PNG from the frame's edge.
const TOLERANCE = 1.5;

// The smallest rectangle holding every pixel of a colour, or null.
function boite(image, [r, v, b]) {
    let gauche = Infinity, haut = Infinity, droite = -1, bas = -1;
    for (let y = 0; y < image.hauteur; ++y) {
        for (let x = 0; x < image.largeur; ++x) {
            const i = 3 * (y * image.largeur + x);
            if (image.octets[i] === r && image.octets[i + 1] === v && image.octets[i + 2] === b) {
                gauche = Math.min(gauche, x); droite = Math.max(droite, x);
                haut = Math.min(haut, y); bas = Math.max(bas, y);
            }
        }
    }
    return droite < 0 ? null : { gauche, haut, droite: droite + 1, bas: bas + 1 };
}

// Planning units from the pixels of each picture. The page: four pixels a unit, 28 across.
// The PNG: the viewer's first scale for its size, at zoom 0.8, 15 twips a pixel.
const f = Math.fround;
const versUnitesPage = (b) => ({ gauche: (b.gauche - 28) / 4, haut: b.haut / 4,
                                 droite: (b.droite - 28) / 4, bas: b.bas / 4 });
function versUnitesPng(image) {
    const horizontal = f(f(f(f(image.largeur * 15) - 250) * 54) / 12120) * 0.8 / 15;
    const vertical = f(f(f(f(image.hauteur * 15) - 330) * 49) / 8700) * 0.8 / 15;
    return (b) => ({ gauche: b.gauche / horizontal, haut: b.haut / vertical,
                     droite: b.droite / horizontal, bas: b.bas / vertical });
}

async function principal() {
    const [page, pngVitrail] = process.argv.slice(2);
    const navigateur = new Navigateur(path.dirname(path.resolve(page)));
    const echecs = [];
    try {
        const dans = await ouvre(navigateur, page, 1400, 1000);

        // Each block, where its style puts it and where the browser laid it out.
        const { result } = await dans('Runtime.evaluate', { returnByValue: true, expression: `
            Array.from(document.querySelectorAll('body > div')).map((d) => {
                const style = d.getAttribute('style');
                const nombre = (cle) => Number(style.match(new RegExp(cle + ':\\\\s*(-?\\\\d+)'))[1]);
                const r = d.getBoundingClientRect();
                return { left: nombre('left'), top: nombre('top'), x: r.left + scrollX, y: r.top + scrollY };
            })` });
        const blocs = result.value;
        for (const b of blocs) {
            if (Math.abs(b.x - b.left) > 0.01 || Math.abs(b.y - b.top) > 0.01) {
                echecs.push(`block at left ${b.left}, top ${b.top} is laid out at ${b.x}, ${b.y}`);
            }
        }
        console.log(`${blocs.length} blocks, each where the export placed it`);

        const { data } = await dans('Page.captureScreenshot', { format: 'png' });
        const capture = path.join(navigateur.profil, 'page.png');
        fs.writeFileSync(capture, Buffer.from(data, 'base64'));
        if (process.env.VITRAIL_CAPTURE_PAGE) fs.copyFileSync(capture, process.env.VITRAIL_CAPTURE_PAGE);

        // The filled frames: each colour that fills exactly one box of the page.
        const html = fs.readFileSync(page, 'latin1');
        const couleurs = [...html.matchAll(/BGCOLOR=#([0-9A-F]{6})/g)].map((m) => m[1]);
        const uniques = couleurs.filter((c) => c !== 'FFFFFF' && couleurs.indexOf(c) === couleurs.lastIndexOf(c));
        const imagePage = pixels(capture);
        const imagePng = pixels(pngVitrail);
        const pngEnUnites = versUnitesPng(imagePng);
        let ecartMaximal = 0;
        for (const c of uniques) {
            const rvb = [0, 2, 4].map((i) => parseInt(c.substr(i, 2), 16));
            const dansPage = boite(imagePage, rvb);
            const dansPng = boite(imagePng, rvb);
            if (!dansPage || !dansPng) {
                echecs.push(`frame filled with #${c} missing from the ${dansPage ? 'PNG' : 'page'}`);
                continue;
            }
            const a = versUnitesPage(dansPage);
            const b = pngEnUnites(dansPng);
            const ecart = Math.max(...['gauche', 'haut', 'droite', 'bas'].map((k) => Math.abs(a[k] - b[k])));
            ecartMaximal = Math.max(ecartMaximal, ecart);
            if (ecart > TOLERANCE) {
                echecs.push(`frame #${c}: page ${JSON.stringify(a)} vs PNG ${JSON.stringify(b)}`);
            }
        }
        if (uniques.length === 0) echecs.push('no filled frame to compare');
        console.log(`${uniques.length} filled frames compared with the PNG rendering, largest gap ` +
                    `${ecartMaximal.toFixed(2)} planning units (tolerance ${TOLERANCE})`);
    } finally {
        await navigateur.ferme();
    }
    for (const e of echecs) console.error('FAILED: ' + e);
    process.exit(echecs.length ? 1 : 0);
}

principal().catch((e) => { console.error(e); process.exit(1); });
