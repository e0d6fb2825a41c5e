// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// Puts the page together: the core's module script and the page's own
// script, style and fonts inside one HTML file, with a Content-Security-
// Policy that allows exactly these and nothing else.
//   node assemble.mjs SOURCE-DIR CORE-JS OUT-DIR
import { createHash } from 'node:crypto';
import { readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';

const [source, coreJs, out] = process.argv.slice(2);
const read = (path) => readFileSync(path, 'utf8');
const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;

const script = read(coreJs) + '\n' + read(join(source, 'zrcadlo.js'));
const guard = read(join(source, 'guard.js'));
const style = read(join(out, 'fonts.css')) + read(join(source, 'zrcadlo.css'));
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
    .replace('@FONTS@\n@STYLE@', () => style)
    .replace('@SCRIPT@', () => script)
    .replace('@GUARD@', () => guard)
    .replace('@NOTICE@', () => notice);
writeFileSync(join(out, 'zrcadlo.html'), page);
console.log(`${join(out, 'zrcadlo.html')}: ${page.length} characters`);
