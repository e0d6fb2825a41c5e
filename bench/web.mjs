// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// Figures of the page in headless Chromium:
//   tests/isolated.sh -- node bench/web.mjs build-web/zrcadlo.html
import { statSync } from 'node:fs';
import { resolve } from 'node:path';
import { chromium } from 'playwright-core';

const page = resolve(process.argv[2] ?? 'build-web/zrcadlo.html');
const url = 'file://' + page;
const RUNS = 10;

const stats = (values) => {
    const v = [...values].sort((a, b) => a - b);
    return { median: v[Math.floor(v.length / 2)], worst: v[v.length - 1] };
};
const show = (name, s, unit = 'ms') =>
    console.log(`${name.padEnd(40)} median ${s.median.toFixed(2)} ${unit}, worst ${s.worst.toFixed(2)} ${unit}`);

const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
           '--disable-sync', '--no-first-run'],
});
const ready = async (p) => {
    await p.goto(url);
    await p.waitForFunction(() => performance.getEntriesByName('zrcadlo-ready').length > 0);
};

console.log(`${'the file'.padEnd(40)} ${statSync(page).size} bytes (${(statSync(page).size / 1024).toFixed(1)} KiB)`);

// From navigation to a ready window, each time in a fresh tab.
const loads = [];
for (let i = 0; i < RUNS; i++) {
    const p = await browser.newPage();
    await ready(p);
    loads.push(await p.evaluate(() => performance.getEntriesByName('zrcadlo-ready')[0].startTime));
    await p.close();
}
show('navigation to a ready window (file://)', stats(loads));

// A press at slowdown 0: the whole press, and until its frame is drawn.
const p = await browser.newPage();
await ready(p);
const presses = [], frames = [];
for (let i = 0; i < 30; i++) {
    const [press, frame] = await p.evaluate(() => new Promise((done) => {
        document.getElementById('nSpomaleni').value = '0';
        const t0 = performance.now();
        document.getElementById('cmdStart').click();
        const t1 = performance.now();
        requestAnimationFrame(() => setTimeout(() => done([t1 - t0, performance.now() - t0])));
    }));
    presses.push(press);
    frames.push(frame);
}
// The first press compiles the code it runs; the others are what a user sees.
console.log(`${'a press at slowdown 0, the first'.padEnd(40)} ${presses[0].toFixed(2)} ms`);
show('a press at slowdown 0, the others', stats(presses.slice(1)));
show('the same, until its frame is drawn', stats(frames));

// Pause error at slowdown 1: each wait against its 50 ms.
await p.evaluate(() => {
    document.getElementById('nSpomaleni').value = '1';
    performance.clearMarks();
    document.getElementById('cmdStart').click();
});
await p.waitForFunction(() => document.getElementById('busy').hidden, null, { timeout: 10000 });
const errors = await p.evaluate(() => {
    const waits = performance.getEntriesByName('zrcadlo-wait').map((m) => m.startTime);
    const steps = performance.getEntriesByName('zrcadlo-step').map((m) => m.startTime);
    return waits.map((w, i) => Math.abs(steps[i + 1] - w - 50));
});
show(`pause error at slowdown 1 (${errors.length} pauses)`, stats(errors));
await browser.close();
