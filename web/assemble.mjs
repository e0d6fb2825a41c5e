// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// Puts the page together: the window's controls and their places from the
// design table (the desktop's own), the core's module script and the
// page's own script, style and fonts inside one HTML file, with a
// Content-Security-Policy that allows exactly these and nothing else.
//   node assemble.mjs SOURCE-DIR CORE-JS OUT-DIR   (OUT-DIR holds design.json)
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [source, coreJs, out] = process.argv.slice(2);
const read = (path) => readFileSync(path, 'utf8');
const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;
const design = JSON.parse(read(join(out, 'design.json')));

// ---- The controls from the design table ------------------------------

const escape = (text) => text.replaceAll('&', '&amp;').replaceAll('<', '&lt;').replaceAll('"', '&quot;');
const within = (parent) => design.controls.filter((c) => c.parent === parent);
// A frame comes where its first option stands in the focus order.
const tabOf = (c) => (c.kind === 'frame' ? Math.min(...within(c.name).map(tabOf)) : c.tab || Infinity);
// The focus stops in the focus order, then the labels, then the store; the
// picture's description right after the picture.
const rank = { store: 2, label: 1 };
const ordered = (controls) => [...controls].sort((a, b) => (rank[a.kind] ?? 0) - (rank[b.kind] ?? 0)
                                                         || tabOf(a) - tabOf(b));
// A caption's lines break where the design breaks them; a screen reader
// reads them as one phrase.
const lines = (caption) => {
    const parts = caption.split('\n');
    return parts.length > 1 ? parts.map((line) => `<span>${escape(line)}</span>`).join(' <br>') : escape(caption);
};
const markup = {
    button: (c) => `<button id="${c.name}" type="button">${escape(c.caption)}</button>`,
    frame: (c) => `<fieldset id="${c.name}"><legend>${escape(c.caption)}</legend>\n`
        + ordered(within(c.name)).map(control).join('\n') + '\n</fieldset>',
    option: (c) => `<div id="${c.name}" class="option" role="radio" aria-checked="false" tabindex="-1">`
        + `${escape(c.caption)}</div>`,
    scrollbar: (c) => `<div id="${c.name}" role="slider" tabindex="0" aria-label="${escape(c.accessibleName)}"`
        + ' aria-orientation="horizontal" aria-valuemin="1" aria-valuemax="20" aria-valuenow="1"><div class="arrow left">'
        + '</div><div class="trough"><div class="thumb"></div></div><div class="arrow right"></div></div>',
    picture: (c) => `<canvas id="${c.name}" width="${design.field[0]}" height="${design.field[1]}" tabindex="0" role="img"`
        + ` aria-label="${escape(c.accessibleName)}" aria-describedby="pictureDescription"`
        + ' title="Celá obrazovka: klávesa F nebo dvojklik na obraz (Esc ji opustí)"></canvas>\n'
        + '<p id="pictureDescription" class="unseen" aria-hidden="true"></p>',
    label: (c) => `<div id="${c.name}" class="label${c.align === 'centre' ? ' centre' : ''}"${c.visible ? '' : ' hidden'}>`
        + `${lines(c.caption)}</div>`,
    store: (c) => `<input type="hidden" id="${c.name}">`,
};
function control(c) {
    return markup[c.kind](c);
}
const controls = ordered(within(design.window)).map(control).join('\n');

// Each control at its design place, its caption at its design size.
const layout = design.controls.filter((c) => c.kind !== 'store').map((c) => {
    const [x, y, width, height] = c.rect;
    const box = `#${c.name} { left: ${x}px; top: ${y}px; width: ${width}px; height: ${height}px; }`;
    if (!c.fontPixels)
        return box;
    return box + `\n#${c.name}${c.kind === 'frame' ? ' > legend' : ''} { font-size: ${c.fontPixels}px; }`;
}).join('\n');

// ---- The page --------------------------------------------------------

const script = read(coreJs) + '\n' + read(join(source, 'zrcadlo.js')).replace('@DESIGN@', () => JSON.stringify(design));
const guard = read(join(source, 'guard.js'));
const style = read(join(out, 'fonts.css')) + read(join(source, 'zrcadlo.css')) + '\n/* The design table. */\n'
    + layout + '\n';
if (/<\/script/i.test(script + guard) || /<\/style/i.test(style))
    throw new Error('a closing tag inside the inline script or style');

const template = read(join(source, 'zrcadlo.html'));
const styleBody = template.match(/<style>([\s\S]*?)<\/style>/)[1]
    .replace('@FONTS@\n@STYLE@', () => style);
const csp = [
    "default-src 'none'",
    `script-src ${hash(script)} ${hash(guard)}`,
    `style-src ${hash(styleBody)}`,
    'font-src data:',
    // The program's icon, inline, so that no browser asks the server for one.
    'img-src data:',
    "base-uri 'none'",
    "form-action 'none'",
].join('; ');
const icon = 'data:image/png;base64,' + readFileSync(join(source, '../packaging/icons/32.png')).toString('base64');
const notice = read(join(out, 'fonts-notice.txt')).replaceAll('--', '- -');

const page = template
    .replace('@CSP@', () => csp)
    .replace('@ICON@', () => icon)
    .replace('@TITLE@', () => escape('Zrcadlo – ' + design.caption))
    .replace('@CONTROLS@', () => controls)
    .replace('@FONTS@\n@STYLE@', () => style)
    .replace('@SCRIPT@', () => script)
    .replace('@GUARD@', () => guard)
    .replace('@NOTICE@', () => notice);
// A byte order mark: every browser then reads the file as UTF-8, whatever
// charset a server's header names (older Czech servers say windows-1250).
writeFileSync(join(out, 'zrcadlo.html'), '\uFEFF' + page);
console.log(`${join(out, 'zrcadlo.html')}: ${page.length} characters`);
