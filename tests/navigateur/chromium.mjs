// Headless Chromium driven over its DevTools pipe, and the pixels of a PNG through ImageMagick:
// what the browser checks share.
import { spawn, execFileSync } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';

export class Navigateur {
    // The profile goes in a folder the caller removes: Chromium's helpers may still be writing
    // to it for a moment after it closes.
    constructor(dossier) {
        this.profil = fs.mkdtempSync(path.join(dossier, 'chromium-'));
        this.processus = spawn('chromium', [
            '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
            '--disable-background-networking', '--disable-component-update', '--disable-sync',
            '--remote-debugging-pipe', `--user-data-dir=${this.profil}`, 'about:blank',
        ], { stdio: ['ignore', 'ignore', 'ignore', 'pipe', 'pipe'] });
        this.prochain = 1;
        this.attentes = new Map();
        this.tampon = Buffer.alloc(0);
        this.processus.stdio[4].on('data', (morceau) => this.recoit(morceau));
        this.termine = new Promise((r) => this.processus.once('exit', r));
    }

    recoit(morceau) {
        this.tampon = Buffer.concat([this.tampon, morceau]);
        for (let fin; (fin = this.tampon.indexOf(0)) >= 0;) {
            const message = JSON.parse(this.tampon.subarray(0, fin).toString('utf8'));
            this.tampon = this.tampon.subarray(fin + 1);
            const attente = this.attentes.get(message.id);
            if (!attente) continue;
            this.attentes.delete(message.id);
            if (message.error) attente.rejette(new Error(JSON.stringify(message.error)));
            else attente.resout(message.result);
        }
    }

    envoie(method, params = {}, sessionId = undefined) {
        const id = this.prochain++;
        const promesse = new Promise((resout, rejette) => this.attentes.set(id, { resout, rejette }));
        this.processus.stdio[3].write(JSON.stringify({ id, method, params, sessionId }) + '\0');
        return promesse;
    }

    async ferme() {
        await Promise.race([this.envoie('Browser.close').catch(() => {}),
                            new Promise((r) => setTimeout(r, 2000))]);
        this.processus.kill();
        await Promise.race([this.termine, new Promise((r) => setTimeout(r, 2000))]);
    }
}

// The pixels of an image, through ImageMagick, as a binary PPM; smoothed by a Gaussian of that
// sigma when one is given.
export function pixels(png, flou = 0) {
    const lissage = flou > 0 ? ['-blur', `0x${flou}`] : [];
    const ppm = execFileSync('convert', [png, ...lissage, '-depth', '8', 'ppm:-'], { maxBuffer: 1 << 28 });
    const entete = ppm.toString('latin1', 0, 64).match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
    return { largeur: +entete[1], hauteur: +entete[2], octets: ppm.subarray(entete[0].length) };
}

// A tab of that size showing the file, once loaded and its fonts ready; returns the call to the
// tab's protocol.
export async function ouvre(navigateur, fichier, largeur, hauteur) {
    const { targetId } = await navigateur.envoie('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await navigateur.envoie('Target.attachToTarget', { targetId, flatten: true });
    const dans = (method, params) => navigateur.envoie(method, params, sessionId);
    await dans('Emulation.setDeviceMetricsOverride',
               { width: largeur, height: hauteur, deviceScaleFactor: 1, mobile: false });
    await dans('Page.navigate', { url: 'file://' + path.resolve(fichier) });
    for (let essai = 0; ; ++essai) {
        const { result } = await dans('Runtime.evaluate', { expression: 'document.readyState', returnByValue: true });
        if (result.value === 'complete') break;
        if (essai > 200) throw new Error(`${fichier} does not load`);
        await new Promise((r) => setTimeout(r, 50));
    }
    await dans('Runtime.evaluate', { expression: 'document.fonts ? document.fonts.ready.then(() => 1) : 1', awaitPromise: true });
    return dans;
}

// A screenshot of the tab, written to that file.
export async function capture(dans, fichier) {
    const { data } = await dans('Page.captureScreenshot', { format: 'png' });
    fs.writeFileSync(fichier, Buffer.from(data, 'base64'));
}
