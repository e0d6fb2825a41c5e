// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs after the page's script, in the oldest JavaScript there is: where
// that script could not be parsed or stopped before its end, the window's
// place says so in words rather than stand there grey and dead. A browser
// below the page's floor lacks what the floor browsers all have; any other
// browser met a script that was changed or blocked.
(function () {
    var win = document.getElementById('Zrcadlo');
    if (!win || !/(^|\s)unscripted(\s|$)/.test(win.className))
        return;
    var floor = typeof BigInt === 'function' && typeof globalThis === 'object'
        && typeof Promise.allSettled === 'function' && typeof String.prototype.matchAll === 'function';
    win.removeAttribute('aria-busy');
    document.getElementById(floor ? 'changed' : 'tooOld').removeAttribute('hidden');
}());
