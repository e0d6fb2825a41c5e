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
    console.log(`${name.padEnd(50)} median ${s.median.toFixed(2)} ${unit}, worst ${s.worst.toFixed(2)} ${unit}`);

// Each setting: a browser as some schools run it. Throttled: a low-end
// Chromebook, the processor six times slower.
const SETTINGS = [['', []], [', jitless', ['--js-flags=--jitless']]];
const THROTTLE = 6;

const ready = async (p) => {
    await p.goto(url);
    await p.waitForFunction(() => performance.getEntriesByName('zrcadlo-ready').length > 0);
    return p.evaluate(() => performance.getEntriesByName('zrcadlo-ready')[0].startTime);
};
// A press at a slowdown, from the click to its last step.
const press = (p, slowdown) => p.evaluate((s) => new Promise((done) => {
    document.getElementById('nSpomaleni').value = s;
    performance.clearMarks();
    const t0 = performance.now();
    document.getElementById('cmdStart').click();
    const t1 = performance.now();
    const check = () => (document.getElementById('busy').hidden
        ? requestAnimationFrame(() => setTimeout(() => done([t1 - t0, performance.now() - t0])))
        : setTimeout(check, 5));
    check();
}), String(slowdown));

console.log(`${'the file'.padEnd(50)} ${statSync(page).size} bytes (${(statSync(page).size / 1024).toFixed(1)} KiB)`);

for (const [name, flags] of SETTINGS) {
    const browser = await chromium.launch({
        executablePath: '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
               '--disable-sync', '--no-first-run', ...flags],
    });
    // From navigation to a ready window, each time in a fresh tab.
    const loads = [];
    for (let i = 0; i < RUNS; i++) {
        const p = await browser.newPage();
        loads.push(await ready(p));
        await p.close();
    }
    show('navigation to a ready window' + name, stats(loads));

    // A press at slowdown 0: the whole press, and until its frame is drawn.
    const p = await browser.newPage();
    await ready(p);
    const presses = [], frames = [];
    for (let i = 0; i < 30; i++) {
        const [step, frame] = await press(p, 0);
        presses.push(step);
        frames.push(frame);
    }
    // The first press compiles the code it runs; the others are what a user sees.
    console.log(`${('a press at slowdown 0, the first' + name).padEnd(50)} ${presses[0].toFixed(2)} ms`);
    show('a press at slowdown 0, the others' + name, stats(presses.slice(1)));
    show('the same, until its frame is drawn' + name, stats(frames));
    if (!flags.length) {
        // Pause error at slowdown 1: each step's start against its time,
        // a whole number of 50 ms pauses after the first.
        await press(p, 1);
        const errors = await p.evaluate(() => {
            const steps = performance.getEntriesByName('zrcadlo-step').map((m) => m.startTime);
            return steps.slice(1).map((s, i) => s - steps[0] - 50 * (i + 1));
        });
        show(`pause error at slowdown 1 (${errors.length} pauses)`, stats(errors));

        const slow = await browser.newPage(), cdp = await slow.context().newCDPSession(slow);
        await cdp.send('Emulation.setCPUThrottlingRate', { rate: THROTTLE });
        const slowLoads = [], slowPresses = [];
        for (let i = 0; i < 5; i++)
            slowLoads.push(await ready(slow));
        show(`navigation to a ready window, CPU / ${THROTTLE}`, stats(slowLoads));
        for (let i = 0; i < 5; i++)
            slowPresses.push((await press(slow, 1))[1]);
        show(`a press at slowdown 1 (1.5 s of pauses), CPU / ${THROTTLE}`, stats(slowPresses));
    }
    await browser.close();
}
