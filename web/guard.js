// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// Runs after the page's script, in the oldest JavaScript there is: where
// that script could not be parsed or stopped before its end (a browser
// older than the page's floor), the window's place says so in words
// rather than stand there grey and dead.
(function () {
    var win = document.getElementById('Zrcadlo');
    if (!win || !/(^|\s)unscripted(\s|$)/.test(win.className))
        return;
    win.removeAttribute('aria-busy');
    document.getElementById('tooOld').removeAttribute('hidden');
}());
