// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// The window Zrcadlo in the page: its controls, the settings store (three
// hidden inputs), the handlers, and the pauses of a press, which the core
// draws a stretch at a time. During a press the user's clicks and keys
// wait and are taken afterwards, in order.
'use strict';

(() => {
const $ = (id) => document.getElementById(id);
// The window's design, the desktop's own table, put in by the page's build.
const DESIGN = @DESIGN@;
const [FIELD_WIDTH, FIELD_HEIGHT] = DESIGN.field;
const GREY = '#c0c0c0';
// In the core's order of its labels and settings.
const RESULT_LABELS = ['labRadius', 'labCas', 'labZdroj', 'labDetektor', 'labSoucet'];
const SETTINGS = ['nPosun', 'nKmitocet', 'nSpomaleni'];
const LABEL_LEFT = 0, LABEL_TOP = 1;
const SLOWDOWN_MIN = 1, SLOWDOWN_MAX = 20;

const win = $('Zrcadlo');
const busy = $('busy');
const nPosun = $('nPosun'), nKmitocet = $('nKmitocet'), nSpomaleni = $('nSpomaleni');
const op0 = $('op0'), op250 = $('op250'), op1 = $('op1'), op2 = $('op2');
const cmdStart = $('cmdStart'), cmdKonec = $('cmdKonec');
const HScroll1 = $('HScroll1');
// A guest in a lesson's frame: it leaves the focus and the scrolling to
// the page around it, and prints at the frame's size.
const framed = window.self !== window.top;
document.documentElement.classList.toggle('framed', framed);

// The picture: what the press draws, drawn again by the core sharp when
// the window's scale or the device pixel ratio changes (a resize, a zoom,
// paper), also mid-press.
class Picture {
    constructor(canvas) {
        this.canvas = canvas;
        this.context = canvas.getContext('2d', { alpha: false });
        this.ratio = 0;
        this.scale = 1;
    }

    // The backing store is the displayed size in device pixels.
    fit(scale = this.scale) {
        this.scale = scale;
        const ratio = (window.devicePixelRatio || 1) * scale;
        if (ratio === this.ratio)
            return;
        this.ratio = ratio;
        this.canvas.width = Math.round(FIELD_WIDTH * ratio);
        this.canvas.height = Math.round(FIELD_HEIGHT * ratio);
        const c = this.context;
        c.setTransform(this.canvas.width / FIELD_WIDTH, 0, 0, this.canvas.height / FIELD_HEIGHT, 0, 0);
        c.lineCap = 'round';
        c.lineJoin = 'round';
        this.repaint();
    }

    repaint() {
        this.context.fillStyle = GREY;
        this.context.fillRect(0, 0, FIELD_WIDTH, FIELD_HEIGHT);
        if (core)
            core._zrcadlo_redraw(frontHandle);
    }

    // A press leaves its own picture alone. Its band covers whole pixels
    // only at 1 : 1, so the last press's anti-aliased edges would show
    // through it at any other scale: the field starts empty instead, which
    // is what the band leaves where it is exact. (The core has started a
    // new recording.)
    begin() { this.repaint(); }

    // A coordinate names the pixel that contains it; odd widths centre on
    // the pixel, even ones on the boundary after it, as on the desktop.
    static at(v, width) { return Math.floor(v) + (width % 2 ? 0.5 : 1); }
    static colour(rgb) { return '#' + (rgb >>> 0).toString(16).padStart(6, '0'); }

    paint(op) {
        const c = this.context;
        if (op.kind === 'line') {
            c.strokeStyle = Picture.colour(op.rgb);
            c.lineWidth = op.width;
            c.beginPath();
            c.moveTo(Picture.at(op.x1, op.width), Picture.at(op.y1, op.width));
            c.lineTo(Picture.at(op.x2, op.width), Picture.at(op.y2, op.width));
            c.stroke();
            return;
        }
        // The outline straddles the radius, filled as a ring between two
        // discs, so that radius 1 at width 3 is a solid dot.
        const x = Picture.at(op.x, op.width), y = Picture.at(op.y, op.width);
        const r = Math.abs(op.r);
        const outer = r + op.width / 2, inner = r - op.width / 2;
        c.beginPath();
        c.arc(x, y, outer, 0, 2 * Math.PI);
        if (!op.filled && inner > 0)
            c.arc(x, y, inner, 0, 2 * Math.PI, true);
        c.fillStyle = Picture.colour(op.rgb);
        c.fill();
        if (op.filled && inner > 0) {
            c.beginPath();
            c.arc(x, y, inner, 0, 2 * Math.PI);
            c.fillStyle = Picture.colour(op.fillRgb);
            c.fill();
        }
    }
}

const picture = new Picture($('picture'));

// The window at the largest size that the viewport holds, centred, by the
// core's rule, from a phone to a projector; its controls and text scale as
// vectors, the picture is drawn again at the new size.
function fitWindow() {
    if (!core)
        return;
    const root = document.documentElement, message = $('linkMessage');
    // Below a link's message, while it stands.
    const above = message.hidden ? 0 : message.offsetHeight;
    core._zrcadlo_fit(frontHandle, root.clientWidth, root.clientHeight - above, window.devicePixelRatio || 1);
    const scale = core._zrcadlo_scale(frontHandle);
    win.style.setProperty('--scale', String(scale));
    win.style.setProperty('--left', core._zrcadlo_left(frontHandle) + 'px');
    win.style.setProperty('--top', core._zrcadlo_top(frontHandle) + above + 'px');
    picture.fit(scale);
}
// Viewport pixels per window CSS pixel, for input that comes in the former.
const windowScale = () => picture.scale;

// A zoom or a move to another screen changes the ratio; a rotation, full
// screen or a zoom the viewport.
(function watchRatio() {
    matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
        fitWindow();
        watchRatio();
    }, { once: true });
})();
window.addEventListener('resize', fitWindow);
// Paper gets the picture at print resolution, the screen its own back.
const PRINT_SCALE = 2;
window.addEventListener('beforeprint', () => picture.fit(PRINT_SCALE));
window.addEventListener('afterprint', fitWindow);

// What the core asks of the page.
const front = {
    line(x1, y1, x2, y2, rgb, width) { picture.paint({ kind: 'line', x1, y1, x2, y2, rgb, width }); },
    circle(x, y, r, rgb, width, filled, fillRgb) {
        picture.paint({ kind: 'circle', x, y, r, rgb, width, filled, fillRgb });
    },
    label(index, what, value) {
        const label = $(RESULT_LABELS[index]);
        // Half pixels go to the pixel that contains them, as on the desktop.
        if (what === LABEL_LEFT)
            label.style.left = Math.floor(value) + 'px';
        else if (what === LABEL_TOP)
            label.style.top = Math.floor(value) + 'px';
        else
            label.hidden = !value;
    },
    settingText(index) { return $(SETTINGS[index]).value; },
};

// ---- Controls -------------------------------------------------------

const groups = [[op0, op250], [op1, op2]];
const groupOf = (option) => groups.find((g) => g.includes(option));
const handlers = new Map([[op0, op0_Click], [op250, op250_Click], [op1, op1_Click], [op2, op2_Click]]);

function setChecked(option) {
    for (const other of groupOf(option)) {
        other.setAttribute('aria-checked', String(other === option));
        // Only the selected option of a group is a Tab stop.
        other.tabIndex = other === option ? 0 : -1;
    }
}

// Selecting from code runs the handler at once; what is selected already
// stays as it is.
function select(option) {
    if (option.getAttribute('aria-checked') === 'true')
        return;
    setChecked(option);
    handlers.get(option)();
}

// A click selects; on the option already selected it runs the handler
// again, so that a click on "0" always brings the frequency back to 1.
function chooseOption(option) {
    const chosen = option.getAttribute('aria-checked') === 'true';
    option.focus();
    if (chosen)
        handlers.get(option)();
    else
        select(option);
}

// The option that gets the focus is chosen, as the arrow keys choose: a
// screen reader's reading mode moves the focus with its own arrows.
for (const option of handlers.keys())
    option.addEventListener('focus', () => {
        if (!pressing && !ended)
            select(option);
    });

function slowdown() { return Number(HScroll1.getAttribute('aria-valuenow')); }

function setSlowdown(value) {
    value = Math.min(SLOWDOWN_MAX, Math.max(SLOWDOWN_MIN, value));
    if (value === slowdown())
        return;
    HScroll1.setAttribute('aria-valuenow', String(value));
    const trough = HScroll1.querySelector('.trough'), thumb = HScroll1.querySelector('.thumb');
    const room = trough.clientWidth - thumb.offsetWidth;
    thumb.style.left = Math.round(room * (value - SLOWDOWN_MIN) / (SLOWDOWN_MAX - SLOWDOWN_MIN)) + 'px';
    HScroll1_Change();
}

// One step for an arrow click and a trough click, as for an arrow key. A
// tap on the bar's margin counts for the part above or below it.
function scrollClick(target, clientX) {
    HScroll1.focus();
    if (target === HScroll1)
        target = [...HScroll1.children].find((part) => clientX < part.getBoundingClientRect().right)
                 ?? HScroll1.lastElementChild;
    if (target.classList.contains('left'))
        setSlowdown(slowdown() - 1);
    else if (target.classList.contains('right'))
        setSlowdown(slowdown() + 1);
    else if (target.classList.contains('trough'))
        setSlowdown(slowdown() + (clientX < HScroll1.querySelector('.thumb').getBoundingClientRect().left ? -1 : 1));
}

// Dragging the thumb, by mouse, finger or pen, moves the value by whole
// steps as it goes; the window's scale turns viewport pixels into its own.
HScroll1.querySelector('.thumb').addEventListener('pointerdown', (event) => {
    const thumb = event.currentTarget, trough = HScroll1.querySelector('.trough');
    const grip = (event.clientX - thumb.getBoundingClientRect().left) / windowScale();
    HScroll1.focus();
    thumb.setPointerCapture(event.pointerId);
    const drag = (e) => {
        const x = (e.clientX - trough.getBoundingClientRect().left) / windowScale() - grip;
        const room = trough.clientWidth - thumb.offsetWidth;
        setSlowdown(Math.round(SLOWDOWN_MIN + (SLOWDOWN_MAX - SLOWDOWN_MIN) * x / room));
    };
    const stop = () => {
        thumb.removeEventListener('pointermove', drag);
        thumb.removeEventListener('pointerup', stop);
        thumb.removeEventListener('pointercancel', stop);
    };
    thumb.addEventListener('pointermove', drag);
    thumb.addEventListener('pointerup', stop);
    thumb.addEventListener('pointercancel', stop);
});

// Full screen for a projector, where the browser allows it; Esc is the
// browser's way out. A frame that does not allow it (a lesson's frame
// without allowfullscreen) gets a word instead of a silent refusal.
const fullScreenAllowed = () => document.fullscreenEnabled ?? document.webkitFullscreenEnabled ?? false;
const NO_FULL_SCREEN = 'Celou obrazovku tento rám nedovoluje. Otevřete Zrcadlo samostatně, v nové kartě, '
    + 'a tam ji zapnete klávesou F nebo dvojklikem na obraz.';
function note(text) {
    $('note').textContent = text;
}
function toggleFullScreen() {
    if (!fullScreenAllowed())
        return note(NO_FULL_SCREEN);
    const root = document.documentElement;
    const exit = document.exitFullscreen ?? document.webkitExitFullscreen;
    const enter = root.requestFullscreen ?? root.webkitRequestFullscreen;
    const current = document.fullscreenElement ?? document.webkitFullscreenElement;
    const call = current ? exit?.call(document) : enter?.call(root);
    call?.catch?.(() => {}); // refused: the page stays as it is
}

// ---- Handlers, named after their control and event ------------------

function hideResultLabels() {
    for (const id of RESULT_LABELS)
        $(id).hidden = true;
}

function Form_Load() {
    select(op0);
    nPosun.value = '0';
    nKmitocet.value = '1';
    nSpomaleni.value = '1';
    hideResultLabels();
}

function op0_Click() {
    nPosun.value = '0';
    select(op1);
    hideResultLabels();
    followAddress();
}

function op250_Click() {
    nPosun.value = '250';
    hideResultLabels();
    followAddress();
}

function op1_Click() {
    nKmitocet.value = '1';
    hideResultLabels();
    followAddress();
}

function op2_Click() {
    nKmitocet.value = '2';
    hideResultLabels();
    followAddress();
}

function HScroll1_Change() {
    nSpomaleni.value = String(slowdown());
    followAddress();
}

// ---- A teacher's link ------------------------------------------------

// The settings of the page's address (#posun=250&kmitocet=2&zpomaleni=5,
// or the same after ?), chosen as a user would choose them, before the
// window is first shown; what is wrong with it, said above the window.
function openLink() {
    const query = location.hash.slice(1) || location.search.slice(1);
    if (query) {
        const size = core.lengthBytesUTF8(query) + 1, text = core._malloc(size);
        core.stringToUTF8(query, text, size);
        core._zrcadlo_link(frontHandle, text);
        core._free(text);
        const posun = core._zrcadlo_link_posun(frontHandle), kmitocet = core._zrcadlo_link_kmitocet(frontHandle);
        const zpomaleni = core._zrcadlo_link_zpomaleni(frontHandle), errors = core._zrcadlo_link_errors(frontHandle);
        if (posun >= 0)
            select($('op' + posun));
        if (kmitocet >= 0)
            select($('op' + kmitocet));
        if (zpomaleni > 0)
            setSlowdown(zpomaleni);
        if (errors) {
            $('linkMessage').textContent = core.UTF8ToString(errors);
            $('linkMessage').hidden = false;
        }
    }
    following = true;
}
// The message goes with the user's next action; the window takes its room.
function dropLinkMessage() {
    if ($('linkMessage').hidden)
        return;
    $('linkMessage').hidden = true;
    fitWindow();
}
document.addEventListener('click', dropLinkMessage, true);
document.addEventListener('keydown', dropLinkMessage, true);

// The address follows the settings, so that it is a link to what is on
// the screen; in place, no new history entry.
let following = false;
function followAddress() {
    if (!following)
        return;
    const fragment = core.UTF8ToString(core._zrcadlo_link_for(frontHandle, Number(nPosun.value),
                                                              Number(nKmitocet.value), Number(nSpomaleni.value)));
    try {
        history.replaceState(history.state, '', '#' + fragment);
    } catch {
        // A sandboxed frame may not: the settings stand all the same.
    }
}

function cmdKonec_Click() {
    ended = true;
    window.close();
    // A tab the user opened stays open: the program ends in the page, and
    // says so where the focus was.
    win.hidden = true;
    $('ended').hidden = false;
    $('ended').focus();
}

let core = null;
let frontHandle = 0; // the core's side of the page
let pressing = false;
let ended = false;
const waiting = []; // input that came during a press, in order

function cmdStart_Click() {
    // Never a press inside a press; nor one before the core is there.
    if (pressing || !core) {
        waiting.push({ type: 'start' });
        return;
    }
    pressing = true;
    win.classList.add('busy');
    busy.hidden = false;
    core._zrcadlo_start(frontHandle, performance.now());
    picture.begin();
    pressOn();
}

// Draws up to the next pause and waits for it on a timer until the core's
// deadline; pauses of no length follow at once. The marks time the pauses
// for the benchmark.
function pressOn() {
    performance.mark('zrcadlo-step');
    // Not every way of changing the ratio tells the page: a press looks.
    picture.fit();
    for (;;) {
        const pause = core._zrcadlo_step(frontHandle);
        describe();
        if (pause < 0)
            break;
        if (pause > 0) {
            performance.mark('zrcadlo-wait');
            const due = core._zrcadlo_pause_due(frontHandle, pause, performance.now());
            setTimeout(pressOn, due - performance.now());
            return;
        }
    }
    pressing = false;
    busy.hidden = true;
    win.classList.remove('busy');
    describe();
    takeWaitingInput();
}

// The picture's description is always what it shows; the live region
// says what the core decides is worth saying, on the page's clock. A
// result held for the message before it is said when the core asks; a new
// press drops it.
let heldResult = 0;
function describe() {
    core._zrcadlo_narrate(frontHandle, performance.now());
    const description = core._zrcadlo_narration_description(frontHandle);
    if (description)
        $('pictureDescription').textContent = core.UTF8ToString(description);
    const said = core._zrcadlo_narration_say(frontHandle);
    if (said)
        $('announcer').textContent = core.UTF8ToString(said);
    clearTimeout(heldResult);
    const again = core._zrcadlo_narration_again(frontHandle);
    if (again >= 0 && !pressing)
        heldResult = setTimeout(describe, again - performance.now());
}

// ---- Input -----------------------------------------------------------

function click(target, clientX) {
    if (ended || !target)
        return;
    const option = target.closest('.option');
    if (option)
        return chooseOption(option);
    if (target.closest('#HScroll1'))
        return scrollClick(target, clientX);
    const button = target.closest('button');
    if (button) {
        button.focus();
        if (button === cmdStart)
            cmdStart_Click();
        else if (button === cmdKonec)
            cmdKonec_Click();
    }
}

// The design's focus stops; of an option group, the one that takes Tab.
function focusOrder() {
    return DESIGN.controls.filter((c) => c.tab > 0).sort((a, b) => a.tab - b.tab).map((c) => $(c.name))
        .filter((e) => !e.classList.contains('option') || e.tabIndex === 0);
}

// What a key does to the control with the focus. Tab is the browser's,
// except for keys that waited for a press: the page moves the focus then,
// and past the last control gives it up rather than trap it.
function key(event, replayed) {
    if (ended)
        return false;
    const target = document.activeElement;
    if (isFullScreenKey(event)) {
        toggleFullScreen();
        return true;
    }
    if (event.key === 'Tab') {
        if (!replayed)
            return false;
        const order = focusOrder();
        const next = order.indexOf(target) + (event.shiftKey ? -1 : 1);
        if (next >= 0 && next < order.length)
            order[next].focus();
        else if (target)
            target.blur();
        return true;
    }
    if (target && target.classList.contains('option')) {
        const group = groupOf(target);
        const i = group.indexOf(target);
        if (event.key === ' ') {
            chooseOption(target);
            return true;
        }
        const move = { ArrowRight: 1, ArrowDown: 1, ArrowLeft: -1, ArrowUp: -1 }[event.key];
        if (move) {
            const other = group[(i + move + group.length) % group.length];
            other.focus();
            select(other);
            return true;
        }
        return false;
    }
    if (target === HScroll1) {
        const to = { ArrowRight: 1, ArrowDown: 1, PageDown: 1, ArrowLeft: -1, ArrowUp: -1, PageUp: -1 }[event.key];
        if (to) {
            setSlowdown(slowdown() + to);
            return true;
        }
        if (event.key === 'Home' || event.key === 'End') {
            setSlowdown(event.key === 'Home' ? SLOWDOWN_MIN : SLOWDOWN_MAX);
            return true;
        }
        return false;
    }
    if (target instanceof HTMLButtonElement && (event.key === ' ' || event.key === 'Enter')) {
        if (replayed)
            click(target);
        return replayed;
    }
    return false;
}

// After a press, what waited, in order; a Start among it presses again,
// and what follows waits for that press.
function takeWaitingInput() {
    while (waiting.length && !pressing && !ended) {
        const input = waiting.shift();
        if (input.type === 'start')
            cmdStart_Click();
        else if (input.type === 'click') {
            // Where the control it was aimed at stands now: the viewport may
            // have turned or gone full screen meanwhile.
            const x = core._zrcadlo_window_x(frontHandle, input.x), y = core._zrcadlo_window_y(frontHandle, input.y);
            click(document.elementFromPoint(x, y), x);
        }
        else
            key(input, true);
    }
}

win.addEventListener('click', (event) => {
    // Held at its place in the window's design, not in the viewport.
    if (event.target === busy)
        waiting.push({ type: 'click', x: core._zrcadlo_design_x(frontHandle, event.clientX),
                       y: core._zrcadlo_design_y(frontHandle, event.clientY) });
    else if (!pressing)
        click(event.target, event.clientX);
});
function isFullScreenKey(event) {
    return event.key.toLowerCase() === 'f' && !event.ctrlKey && !event.altKey && !event.metaKey;
}
function doubleClick(target) {
    if (!ended && target?.id === 'picture')
        toggleFullScreen();
}
// Full screen changes how the page is shown, not the program's state, so
// it is taken at once, also during a press: later the browser would no
// longer count it as the user's gesture.
win.addEventListener('dblclick', (event) => {
    const under = event.target === busy
        ? document.elementsFromPoint(event.clientX, event.clientY).find((e) => e !== busy) : event.target;
    doubleClick(under);
});
// Clicks that the browser turns into focus or selection do nothing else.
win.addEventListener('mousedown', (event) => event.preventDefault());

// The note goes with the user's next action.
document.addEventListener('pointerdown', () => note(''), true);
// Tab on the last focus stop and Shift+Tab on the first are the browser's,
// also during a press: the focus may leave the page or its frame.
function leavesPage(event) {
    const order = focusOrder(), at = order.indexOf(document.activeElement);
    return event.key === 'Tab' && !event.ctrlKey && !event.altKey && !event.metaKey
        && (event.shiftKey ? at === 0 : at === order.length - 1);
}
const MODIFIERS = ['Shift', 'Control', 'Alt', 'Meta'];
document.addEventListener('keydown', (event) => {
    note('');
    // A modifier alone does nothing, and stopping it would lose it for the
    // key it goes with (WebKit's Shift for a Tab that leaves).
    if (leavesPage(event) || MODIFIERS.includes(event.key))
        return;
    if (pressing) {
        event.preventDefault();
        event.stopImmediatePropagation();
        if (isFullScreenKey(event) && !ended)
            toggleFullScreen();
        else {
            const { key, shiftKey, ctrlKey, altKey, metaKey } = event;
            waiting.push({ type: 'key', key, shiftKey, ctrlKey, altKey, metaKey });
        }
        return;
    }
    if (key(event, false))
        event.preventDefault();
}, true);
document.addEventListener('keyup', (event) => {
    if (pressing) {
        event.preventDefault();
        event.stopImmediatePropagation();
    }
}, true);

// ---- Start-up --------------------------------------------------------

Form_Load();
// The core sets itself up at once from the script and calls back when
// ready. Whatever goes wrong on the way, the window says so in words
// rather than stand there looking ready.
try {
    const created = createZrcadloCore({ front, onRuntimeInitialized() { coreReady(this); } });
    // This Emscripten hands back the module with a promise in `ready`.
    Promise.resolve(created.ready ?? created).catch(coreFailed);
} catch (error) {
    coreFailed(error);
}
function coreReady(module) {
    try {
        core = module;
        frontHandle = core._zrcadlo_create();
        openLink();
        fitWindow();
        describe();
    } catch (error) {
        return coreFailed(error);
    }
    win.classList.remove('loading');
    win.removeAttribute('aria-busy');
    // At top level the focus starts on Start, nothing scrolled; in a frame
    // it stays where the user has it.
    if (!framed)
        cmdStart.focus({ preventScroll: true });
    if (!fullScreenAllowed())
        $('picture').removeAttribute('title');
    performance.mark('zrcadlo-ready');
    takeWaitingInput();
}
function coreFailed(error) {
    core = null;
    win.classList.add('unfitted');
    win.removeAttribute('aria-busy');
    $('failed').hidden = false;
    console.error('Zrcadlo:', error);
}
// Last: the script has run to its end, which the page's guard looks for.
win.classList.remove('unscripted');
})();
