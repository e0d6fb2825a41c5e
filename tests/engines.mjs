// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// The three browser engines of the page's tests behind one small page
// interface: Chromium (playwright-core), Firefox (puppeteer-core over
// WebDriver BiDi) and WebKit (WebKitWebDriver with its MiniBrowser, W3C
// WebDriver). Coordinates are the viewport's CSS pixels; keys are named
// as 'Tab', 'Shift+Tab', 'ArrowRight', 'Space', 'Enter', 'Home', 'End'.
//   page.evaluate(fn, arg), page.waitFor(fn, arg), page.pointer(path),
//   page.key(name), page.screenshot(file), page.print(pdf) (not in WebKit), page.errors, page.closed(),
//   page.close(); page.native for what only Chromium does.
import { spawn } from 'node:child_process';
import { writeFileSync } from 'node:fs';
import { createServer } from 'node:net';
import { chromium } from 'playwright-core';
import puppeteer from 'puppeteer-core';

export const ENGINES = ['chromium', 'firefox', 'webkit'];
const POLL_MS = 20;

// Waiting is the same everywhere: ask the page until it says yes.
async function waitFor(page, fn, arg, seconds = 60) {
    const end = Date.now() + seconds * 1000;
    for (;;) {
        const value = await page.evaluate(fn, arg);
        if (value)
            return value;
        if (Date.now() > end)
            throw new Error(`no ${fn} within ${seconds} s`);
        await new Promise((done) => setTimeout(done, POLL_MS));
    }
}

// A click is a path of one point; a drag goes down at the first point,
// through the others, and up at the last.
async function pointerPath(mouse, path) {
    await mouse.move(...path[0]);
    await mouse.down();
    for (const point of path.slice(1))
        await mouse.move(...point, { steps: 4 });
    await mouse.up();
}

async function chord(keyboard, name, keys = (k) => k) {
    const parts = name.split('+'), last = keys(parts.pop());
    for (const modifier of parts)
        await keyboard.down(modifier);
    await keyboard.press(last);
    for (const modifier of parts.reverse())
        await keyboard.up(modifier);
}

const CHROMIUM_ARGS = ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--disable-component-update',
                       '--disable-sync', '--no-first-run', '--disable-quic'];

// Playwright's and Puppeteer's pages speak alike.
async function nativePage(native, url, close, key = (name) => native.keyboard.press(name)) {
    const page = {
        native, errors: [], requests: [], key,
        evaluate: (fn, arg) => native.evaluate(fn, arg),
        waitFor: (fn, arg, seconds) => waitFor(page, fn, arg, seconds),
        pointer: (path) => pointerPath(native.mouse, path),
        screenshot: (file) => native.screenshot({ path: file }),
        // What the browser's print dialog gives with its default settings.
        print: (file) => native.pdf({ path: file, printBackground: false }),
        closed: () => native.isClosed(),
        close,
        resize: (width, height) => (native.setViewportSize ? native.setViewportSize({ width, height })
            : native.setViewport({ ...native.viewport(), width, height })),
    };
    native.on('pageerror', (e) => page.errors.push(e.message));
    native.on('console', (m) => m.type() === 'error' && page.errors.push(m.text()));
    native.on('request', (r) => page.requests.push(r.url()));
    await native.goto(url);
    return page;
}

async function launchChromium({ args = [] } = {}) {
    const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: [...CHROMIUM_ARGS, ...args] });
    return {
        name: 'chromium',
        async open(url, { width = 800, height = 581, ratio = 1, touch = false, javaScript = true } = {}) {
            const context = await browser.newContext({ viewport: { width, height }, deviceScaleFactor: ratio,
                                                       hasTouch: touch, javaScriptEnabled: javaScript });
            return nativePage(await context.newPage(), url, () => context.close());
        },
        close: () => browser.close(),
    };
}

async function launchFirefox() {
    const browser = await puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr',
                                             headless: true, protocol: 'webDriverBiDi' });
    return {
        name: 'firefox',
        async open(url, { width = 800, height = 581, ratio = 1 } = {}) {
            const native = await browser.newPage();
            await native.setViewport({ width, height, deviceScaleFactor: ratio });
            return nativePage(native, url, () => (native.isClosed() ? undefined : native.close()),
                              (name) => chord(native.keyboard, name, (k) => (k === 'Space' ? ' ' : k)));
        },
        close: () => browser.close(),
    };
}

// W3C WebDriver's key codes for the keys the tests press.
const WEBDRIVER_KEYS = { Tab: '\uE004', Enter: '\uE007', Shift: '\uE008', Space: ' ', End: '\uE010', Home: '\uE011',
                         ArrowLeft: '\uE012', ArrowUp: '\uE013', ArrowRight: '\uE014', ArrowDown: '\uE015' };

const freePort = () => new Promise((done, fail) => {
    const server = createServer().listen(0, '127.0.0.1', () => {
        const { port } = server.address();
        server.close(() => done(port));
    }).on('error', fail);
});

// WebKitGTK's MiniBrowser needs a display: the test's own Xvfb.
async function launchWebKit() {
    const port = await freePort();
    const driver = spawn('WebKitWebDriver', [`--port=${port}`], { stdio: ['ignore', 'ignore', 'inherit'] });
    const base = `http://127.0.0.1:${port}`;
    const send = async (method, path, body) => {
        const response = await fetch(base + path, { method, headers: { 'Content-Type': 'application/json' },
                                                    body: body && JSON.stringify(body) });
        const { value } = await response.json();
        if (value?.error)
            throw new Error(`WebDriver ${path}: ${value.error}: ${value.message}`);
        return value;
    };
    let session;
    for (let tries = 0; !session; tries++) {
        try {
            session = '/session/' + (await send('POST', '/session', { capabilities: { alwaysMatch: {
                'webkitgtk:browserOptions': { binary: '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser',
                                              args: ['--automation'] } } } })).sessionId;
        } catch (e) {
            if (tries > 100)
                throw e;
            await new Promise((done) => setTimeout(done, 100)); // the driver is still starting
        }
    }
    const actions = (list) => send('POST', session + '/actions', { actions: list });
    const evaluate = (fn, arg) => send('POST', session + '/execute/sync',
                                       { script: `return (${fn}).apply(null, arguments)`, args: [arg ?? null] });
    // The window's size is set so that its viewport has the size asked
    // for, around the browser's own bars. The page learns of a new window
    // size later than the driver answers, so each step waits for the
    // viewport to change before it measures again.
    const viewport = () => evaluate(() => [innerWidth, innerHeight]);
    const resize = async (width, height) => {
        for (let step = 0; ; step++) {
            const [w, h] = await viewport();
            if (w === width && h === height)
                return;
            if (step === 10)
                throw new Error(`the viewport stays ${w}×${h}, not ${width}×${height}`);
            const outer = await send('GET', session + '/window/rect');
            await send('POST', session + '/window/rect', { width: outer.width + width - w, height: outer.height + height - h });
            await waitFor({ evaluate }, ([u, v]) => innerWidth !== u || innerHeight !== v, [w, h], 5).catch(() => {});
        }
    };
    return {
        name: 'webkit',
        async open(url, { width = 800, height = 581 } = {}) {
            // One window for every page.
            await send('POST', session + '/url', { url: 'about:blank' });
            await resize(width, height);
            await send('POST', session + '/url', { url });
            const page = {
                errors: [], requests: [], evaluate,
                waitFor: (fn, arg, seconds) => waitFor(page, fn, arg, seconds),
                pointer: (path) => actions([{ type: 'pointer', id: 'mouse', parameters: { pointerType: 'mouse' }, actions: [
                    ...path.slice(0, 1).map(([x, y]) => ({ type: 'pointerMove', x: Math.round(x), y: Math.round(y) })),
                    { type: 'pointerDown', button: 0 },
                    ...path.slice(1).map(([x, y]) => ({ type: 'pointerMove', duration: 50, x: Math.round(x), y: Math.round(y) })),
                    { type: 'pointerUp', button: 0 }] }]),
                key: (name) => {
                    const keys = name.split('+').map((k) => WEBDRIVER_KEYS[k] ?? k);
                    return actions([{ type: 'key', id: 'keys', actions: [
                        ...keys.map((value) => ({ type: 'keyDown', value })),
                        ...keys.reverse().map((value) => ({ type: 'keyUp', value }))] }]);
                },
                async screenshot(file) {
                    writeFileSync(file, Buffer.from(await send('GET', session + '/screenshot'), 'base64'));
                },
                closed: () => false, // "Konec" ends the page in place here
                close: () => undefined,
                resize,
            };
            return page;
        },
        async close() {
            await send('DELETE', session).catch(() => {});
            driver.kill();
            await new Promise((done) => (driver.exitCode === null ? driver.once('exit', done) : done()));
        },
    };
}

export function launch(name, options) {
    return { chromium: launchChromium, firefox: launchFirefox, webkit: launchWebKit }[name](options);
}
