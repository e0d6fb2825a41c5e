// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// The page in real Chromium, opened from file:// as a teacher opens it,
// against the desktop as the reference (tests/desktopreference):
//   node tests/tst_web.mjs build-web/zrcadlo.html build/tests/desktopreference
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { join, resolve } from 'node:path';
import { after, before, test } from 'node:test';
import { chromium } from 'playwright-core';

const [PAGE, REFERENCE] = process.argv.slice(2).map((path) => resolve(path));
const FILE_URL = 'file://' + PAGE;
const scratch = mkdtempSync(join(tmpdir(), 'zrcadlo-web-'));
const foreign = []; // every request that was not the page itself
let browser;

before(async () => {
    browser = await chromium.launch({
        executablePath: process.env.ZRCADLO_CHROMIUM || '/usr/bin/chromium',
        args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
               '--disable-sync', '--no-first-run', '--disable-quic'],
    });
});
after(async () => {
    await browser?.close();
    rmSync(scratch, { recursive: true, force: true });
});

// ---- The driver ------------------------------------------------------

async function open({ ratio = 1, url = FILE_URL } = {}) {
    const page = await browser.newPage({ deviceScaleFactor: ratio, viewport: { width: 832, height: 620 } });
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    page.on('request', (r) => { if (r.url() !== url && !r.url().startsWith('data:')) foreign.push(r.url()); });
    // Counts the presses that ended, by the busy shield going away.
    await page.addInitScript(() => {
        window.pressesEnded = 0;
        document.addEventListener('DOMContentLoaded', () => {
            const busy = document.getElementById('busy');
            new MutationObserver((records) => {
                window.pressesEnded += records.filter((r) => r.oldValue === null).length;
            }).observe(busy, { attributes: true, attributeFilter: ['hidden'], attributeOldValue: true });
        });
    });
    await page.goto(url);
    await page.waitForFunction(() => !document.getElementById('Zrcadlo').classList.contains('loading'));
    page.errors = errors;
    return page;
}

const pressing = (page) => page.evaluate(() => !document.getElementById('busy').hidden);
const idle = (page) => page.waitForFunction(() => document.getElementById('busy').hidden, null, { timeout: 60000 });

// Element arrows standing so far: the tail circles in the row under the mirror.
const arrows = (page) => page.evaluate(() => {
    const canvas = document.getElementById('picture');
    const r = canvas.width / 800;
    const c = canvas.getContext('2d');
    let n = 0;
    for (let e = 0; e < 30; e++) {
        const d = c.getImageData(Math.round((56 + 24 * e - 1) * r), Math.round(304 * r), Math.ceil(3 * r),
                                 Math.ceil(3 * r)).data;
        let dark = false;
        for (let i = 0; i < d.length; i += 4)
            dark ||= d[i] < 128;
        n += dark;
    }
    return n;
});

const state = (page) => page.evaluate(() => {
    const $ = (id) => document.getElementById(id);
    const labels = ['labRadius', 'labCas', 'labZdroj', 'labDetektor', 'labSoucet'];
    return {
        checked: ['op0', 'op250', 'op1', 'op2'].filter((id) => $(id).getAttribute('aria-checked') === 'true'),
        settings: [$('nPosun').value, $('nKmitocet').value, $('nSpomaleni').value].join('/'),
        labels: labels.filter((id) => !$(id).hidden).length,
        positions: Object.fromEntries(labels.map((id) => [id, { x: $(id).offsetLeft, y: $(id).offsetTop }])),
        slowdown: $('HScroll1').getAttribute('aria-valuenow'),
        focus: document.activeElement?.id ?? '',
        presses: window.pressesEnded,
        ended: !$('ended').hidden,
    };
});

// The page's own coordinates of a point of the window.
async function clickAt(page, x, y, only) {
    const box = await page.locator('#Zrcadlo').boundingBox();
    await page.mouse.move(box.x + x, box.y + y, { steps: only ? 5 : 1 });
    if (only !== 'up')
        await page.mouse.down();
    if (only !== 'down')
        await page.mouse.up();
}
// Where a user clicks each control: its middle, or a part of the scroll bar.
const PLACES = {
    'scroll left': [264, 48], 'scroll right': [416, 48], 'trough right': [380, 48], 'trough left': [290, 48],
};
async function act(page, action) {
    const [verb, what] = action.split(':');
    if (verb === 'click') {
        if (PLACES[what])
            return clickAt(page, ...PLACES[what]);
        const box = await page.locator('#' + what).boundingBox();
        return page.mouse.click(box.x + 6, box.y + box.height / 2);
    }
    if (verb === 'drag') { // the scroll bar's thumb to the right end
        await clickAt(page, 277, 48, 'down');
        return clickAt(page, 420, 48, 'up');
    }
    if (verb === 'key')
        return page.keyboard.press(what);
    if (verb === 'focus')
        return page.focus('#' + what);
    if (verb === 'wait')
        return idle(page);
    if (verb === 'midpress')
        return page.waitForFunction(() => window.pressesEnded >= 0 && !document.getElementById('busy').hidden);
    throw new Error('unknown action ' + action);
}

// ---- The reference -----------------------------------------------------

function reference(...args) {
    return JSON.parse(execFileSync(REFERENCE, args, { env: { ...process.env, QT_QPA_PLATFORM: 'offscreen' } }));
}

function readPpm(path) {
    const bytes = readFileSync(path);
    const header = bytes.subarray(0, 20).toString('latin1').split(/\s+/);
    const [width, height] = [Number(header[1]), Number(header[2])];
    const start = bytes.length - width * height * 3;
    return { width, height, rgb: (i) => [bytes[start + 3 * i], bytes[start + 3 * i + 1], bytes[start + 3 * i + 2]] };
}

async function canvasPixels(page) {
    const { width, height, data } = await page.evaluate(() => {
        const canvas = document.getElementById('picture');
        const d = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
        let s = '';
        for (let i = 0; i < d.length; i += 0x8000)
            s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
        return { width: canvas.width, height: canvas.height, data: btoa(s) };
    });
    const bytes = Buffer.from(data, 'base64');
    return { width, height, rgb: (i) => [bytes[4 * i], bytes[4 * i + 1], bytes[4 * i + 2]] };
}

// Colour classes of the picture: 0 background, 1 dark, 2 white, 3 green.
function classes(image) {
    const out = new Uint8Array(image.width * image.height);
    for (let i = 0; i < out.length; i++) {
        const [r, g, b] = image.rgb(i);
        out[i] = g > 160 && r < 96 && b < 96 ? 3 : Math.min(r, g, b) > 224 ? 2 : Math.max(r, g, b) < 128 ? 1 : 0;
    }
    return out;
}

// Drawn pixels of one picture with no pixel of their class within reach in the other.
function unmatched(a, b, width, height, reach) {
    const misses = [];
    for (let y = 0; y < height; y++)
        for (let x = 0; x < width; x++) {
            const k = a[y * width + x];
            if (!k)
                continue;
            let found = false;
            for (let dy = -reach; dy <= reach && !found; dy++)
                for (let dx = -reach; dx <= reach && !found; dx++) {
                    const u = x + dx, v = y + dy;
                    found = u >= 0 && v >= 0 && u < width && v < height && b[v * width + u] === k;
                }
            if (!found)
                misses.push(`${x},${y}`);
        }
    return misses;
}

// ---- The tests ---------------------------------------------------------

test('the window and every control at its place, as on the desktop', async () => {
    const page = await open();
    const desktop = reference('layout');
    assert.equal(await page.title(), 'Velimor - www.velimor.example');
    assert.equal(await page.getAttribute('html', 'lang'), 'cs');
    const page_ = await page.evaluate((names) => {
        const win = document.getElementById('Zrcadlo').getBoundingClientRect();
        const out = { window: [win.width, win.height, getComputedStyle(document.getElementById('Zrcadlo')).backgroundColor] };
        for (const name of names) {
            const e = document.getElementById(name);
            const r = e.getBoundingClientRect();
            const caption = e.tagName === 'FIELDSET' ? e.querySelector('legend').textContent : e.textContent;
            out[name] = { x: r.left - win.left, y: r.top - win.top, width: r.width, height: r.height,
                          caption: caption.replace(/\s+/g, ' ').trim(), visible: !e.hidden,
                          // A wrapped label keeps its lines inside its box.
                          fits: e.scrollWidth <= e.clientWidth && e.scrollHeight <= e.clientHeight };
        }
        out.store = ['nPosun', 'nKmitocet', 'nSpomaleni'].map((id) => document.getElementById(id).type);
        out.focus = document.activeElement.id;
        return out;
    }, Object.keys(desktop));
    assert.deepEqual(page_.window, [800, 581, 'rgb(192, 192, 192)']);
    for (const [name, want] of Object.entries(desktop)) {
        const got = page_[name];
        // Hidden labels have no box on the page; their place is set when shown.
        const box = want.visible ? [got.x, got.y, got.width, got.height] : [];
        assert.deepEqual({ name, box, caption: got.caption, visible: got.visible, fits: got.fits },
                         { name, box: want.visible ? [want.x, want.y, want.width, want.height] : [],
                           caption: want.caption, visible: want.visible, fits: true });
    }
    assert.deepEqual(page_.store, ['hidden', 'hidden', 'hidden']);
    assert.equal(page_.focus, 'cmdStart');
    // The accessible names of the desktop's controls; the store is not there.
    const tree = await page.locator('#Zrcadlo').ariaSnapshot();
    for (const line of ['button "Start"', 'button "Konec"', 'radio "0" [checked]', 'radio "250"', 'radio "1" [checked]',
                        'radio "2"', 'scrollbar "Zpomalení animace"', 'group "Posun"', 'group "Kmitočet světla"'])
        assert.ok(tree.includes(line), `${line} in\n${tree}`);
    assert.deepEqual(page.errors, []);
    await page.close();
});

// Each row: what the user does, then what the window holds afterwards.
// "midpress" waits until a press runs; what comes then waits for its end.
const INPUT = [
    ['at start', [], { checked: ['op0', 'op1'], settings: '0/1/1', labels: 0, focus: 'cmdStart' }],
    ['2, then 0 sets the frequency back', ['click:op2', 'click:op0'], { checked: ['op0', 'op1'], settings: '0/1/1' }],
    ['2, then 250 keeps it', ['click:op2', 'click:op250'], { checked: ['op250', 'op2'], settings: '250/2/1' }],
    ['scroll bar: arrows and trough, one step each',
     ['click:scroll right', 'click:scroll right', 'click:trough right', 'click:scroll left'],
     { settings: '0/1/3', slowdown: '3', focus: 'HScroll1' }],
    ['scroll bar: the thumb dragged to the end', ['drag'], { settings: '0/1/20', focus: 'HScroll1' }],
    ['keys: Tab order and arrows in the groups',
     ['key:Tab', 'key:ArrowRight', 'key:Tab', 'key:Tab', 'key:ArrowRight', 'key:Tab', 'key:ArrowRight', 'key:End'],
     { checked: ['op250', 'op2'], settings: '250/2/20', focus: 'HScroll1' }],
    ['Shift+Tab goes back', ['key:Tab', 'key:Tab', 'key:Shift+Tab'], { focus: 'op0' }],
    ['a press shows the labels; the slowdown hides none', ['click:cmdStart', 'wait', 'click:scroll right'],
     { labels: 5, settings: '0/1/2', presses: 1 }],
    ['a frequency change hides them', ['click:cmdStart', 'wait', 'click:op2'], { labels: 0, presses: 1 }],
    ['250 during a press: after it', ['click:cmdStart', 'midpress', 'click:op250', 'wait'],
     { checked: ['op250', 'op1'], settings: '250/1/1', labels: 0, presses: 1 }],
    ['keys during a press: after it, in order', ['click:cmdStart', 'midpress', 'key:Tab', 'key:ArrowRight', 'wait'],
     { checked: ['op250', 'op1'], settings: '250/1/1', focus: 'op250', labels: 0 }],
    ['Start during a press: a second press after it', ['click:cmdStart', 'midpress', 'click:cmdStart', 'wait', 'wait'],
     { labels: 5, presses: 2 }],
    ['Konec during a press: the end after it', ['click:cmdStart', 'midpress', 'click:cmdKonec', 'wait'],
     { ended: true, presses: 1 }],
];

test('clicks and keys, also during a press', async (t) => {
    for (const [name, actions, want] of INPUT) {
        await t.test(name, async () => {
            const page = await open();
            const held = (s) => [s.checked, s.settings, s.labels, s.focus, s.presses];
            let during = null;
            for (const action of actions) {
                await act(page, action).catch((e) => { if (!page.isClosed()) throw e; });
                if (page.isClosed())
                    break;
                if (action === 'midpress')
                    during = await state(page);
                else if (during && action !== 'wait' && await pressing(page)) {
                    // Nothing is taken before the press is over.
                    const now = await state(page);
                    if (now.presses === during.presses)
                        assert.deepEqual(held(now), held(during), `${name}: during the press`);
                }
            }
            const got = page.isClosed() ? { ended: true, presses: want.presses } : await state(page);
            for (const key of Object.keys(want))
                assert.deepEqual(got[key], want[key], `${name}: ${key}`);
            assert.deepEqual(page.errors ?? [], []);
            if (!page.isClosed())
                await page.close();
        });
    }
});

// Each row: the settings pair and the device pixel ratio of the screen,
// and the ratio after a zoom in the middle of the press, if any.
const PRESSES = [
    ['0', '1', 1, null],
    ['0', '2', 1.25, null],
    ['250', '1', 1.5, null],
    ['250', '2', 2, null],
    ['250', '2', 1, 2],
];

test('presses: the picture grows, and ends as the desktop draws it', async (t) => {
    for (const [posun, kmitocet, ratio, zoomTo] of PRESSES) {
        await t.test(`${posun}/${kmitocet} at ${ratio}${zoomTo ? ', zoomed to ' + zoomTo : ''}`, async () => {
            const page = await open({ ratio });
            await act(page, posun === '0' ? 'click:op0' : 'click:op250');
            await act(page, kmitocet === '1' ? 'click:op1' : 'click:op2');
            await act(page, 'click:cmdStart');
            await page.waitForFunction(() => !document.getElementById('busy').hidden);
            // Part-way: some but not all element arrows stand.
            const early = await arrows(page);
            assert.ok(early < 30, `${early} arrows at the start of the press`);
            let partWay = early;
            while (await pressing(page) && (partWay === 0 || partWay === 30)) {
                await page.waitForTimeout(20);
                partWay = await arrows(page);
            }
            assert.ok(partWay > 0 && partWay < 30, `${partWay} arrows part-way`);
            const final = zoomTo ?? ratio;
            if (zoomTo) {
                const cdp = await page.context().newCDPSession(page);
                await cdp.send('Emulation.setDeviceMetricsOverride',
                               { width: 832, height: 620, deviceScaleFactor: zoomTo, mobile: false });
                await page.waitForFunction((r) => window.devicePixelRatio === r, zoomTo);
            }
            await idle(page);
            assert.equal(await arrows(page), 30);

            const ppm = join(scratch, `${posun}-${kmitocet}-${final}.ppm`);
            const desktop = reference('press', posun, kmitocet, String(final), ppm);
            const want = readPpm(ppm);
            const got = await canvasPixels(page);
            assert.deepEqual([got.width, got.height], [want.width, want.height]);
            // Within one CSS pixel, both ways, by colour class.
            const reach = Math.ceil(final);
            const a = classes(got), b = classes(want);
            const extra = unmatched(a, b, got.width, got.height, reach);
            const missing = unmatched(b, a, got.width, got.height, reach);
            assert.deepEqual([extra.slice(0, 10), missing.slice(0, 10)], [[], []],
                             `${extra.length} pixels only in the page, ${missing.length} only on the desktop`);
            const s = await state(page);
            assert.equal(s.labels, 5);
            for (const [label, at] of Object.entries(desktop))
                assert.deepEqual([label, s.positions[label]], [label, at]);
            assert.deepEqual(page.errors, []);
            await page.close();
        });
    }
});

test('from a static web server too, and never a request elsewhere', async () => {
    const html = readFileSync(PAGE);
    const server = createServer((request, response) => {
        response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' });
        response.end(html);
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const url = `http://127.0.0.1:${server.address().port}/zrcadlo.html`;
    try {
        const page = await open({ url });
        // No pauses: the store takes what the controls never write.
        await page.evaluate(() => { document.getElementById('nSpomaleni').value = '0'; });
        await act(page, 'click:cmdStart');
        await idle(page);
        assert.equal(await arrows(page), 30);
        assert.deepEqual(await page.evaluate(() => [document.cookie, localStorage.length, sessionStorage.length]),
                         ['', 0, 0]);
        assert.deepEqual(page.errors, []);
        await page.close();
    } finally {
        server.close();
    }
    assert.deepEqual(foreign, []);
});

// A small seeded generator, so that a failing run can be replayed:
// ZRCADLO_SEED=N.
function generator(seed) {
    return () => {
        seed = (seed + 0x6d2b79f5) | 0;
        let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
        t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

test('random clicks and keys during presses keep the rules', async () => {
    const seed = Number(process.env.ZRCADLO_SEED ?? Date.now() % 100000);
    const random = generator(seed);
    const pick = (list) => list[Math.floor(random() * list.length)];
    const actions = ['click:op0', 'click:op250', 'click:op1', 'click:op2', 'click:scroll left', 'click:scroll right',
                     'click:trough left', 'click:cmdStart', 'key:Tab', 'key:Shift+Tab',
                     'key:Space', 'key:ArrowLeft', 'key:ArrowRight', 'key:Enter'];
    const page = await open();
    const expected = {
        '0/1': { labZdroj: { x: 294, y: 200 }, labSoucet: { x: 614, y: 190 } },
        '0/2': { labZdroj: { x: 294, y: 200 }, labSoucet: { x: 614, y: 190 } },
        '250/1': { labZdroj: { x: 44, y: 200 }, labSoucet: { x: 444, y: 190 } },
        '250/2': { labZdroj: { x: 44, y: 200 }, labSoucet: { x: 304, y: 100 } },
    };
    for (let batch = 0; batch < Number(process.env.ZRCADLO_BATCHES ?? 6); batch++) {
        // Each batch from the fastest slowdown, so that its presses stay short.
        await act(page, 'focus:HScroll1');
        await act(page, 'key:Home');
        await act(page, 'click:cmdStart');
        for (let i = 0; i < 10; i++)
            await act(page, pick(actions));
        await idle(page);
        const s = await state(page);
        const [posun, kmitocet, spomaleni] = s.settings.split('/');
        const where = `seed ${seed}, batch ${batch}: ${JSON.stringify(s)}`;
        assert.ok(['0', '250'].includes(posun) && ['1', '2'].includes(kmitocet), where);
        assert.equal(spomaleni, s.slowdown, where);
        assert.ok(Number(spomaleni) >= 1 && Number(spomaleni) <= 20, where);
        assert.deepEqual(s.checked, [posun === '0' ? 'op0' : 'op250', kmitocet === '1' ? 'op1' : 'op2'], where);
        assert.ok(s.labels === 0 || s.labels === 5, where);
        if (s.labels === 5) {
            const want = expected[`${posun}/${kmitocet}`];
            for (const label of Object.keys(want))
                assert.deepEqual(s.positions[label], want[label], where);
        }
    }
    assert.deepEqual(page.errors, []);
    await page.close();
});

test('a screen reader hears the picture: its description and the live region over a press', async () => {
    const page = await open();
    await page.evaluate(() => {
        window.heard = [];
        const region = document.getElementById('announcer');
        new MutationObserver(() => window.heard.push(region.textContent))
            .observe(region, { childList: true, characterData: true, subtree: true });
    });
    const cdp = await page.context().newCDPSession(page);
    const picture = async () => {
        const { nodes } = await cdp.send('Accessibility.getFullAXTree');
        const node = nodes.find((n) => n.name?.value === 'Obraz odrazu světla');
        return { role: node?.role?.value, description: node?.description?.value ?? '' };
    };
    const before = await picture();
    assert.equal(before.role, 'image');
    assert.match(before.description, /prázdný/);
    await act(page, 'click:cmdStart');
    await page.waitForFunction(() => window.heard.length > 0);
    assert.match((await picture()).description, / z 30|Součet/);
    await idle(page);
    assert.match((await picture()).description, /elementy 15 a 16.*3,7/);
    const heard = await page.evaluate(() => window.heard);
    assert.match(heard[0], /element 1 z 30/);
    assert.match(heard[heard.length - 1], /Součet radiusvektorů/);
    assert.equal(await page.getAttribute('#announcer', 'aria-live'), 'polite');
    await page.close();
});
