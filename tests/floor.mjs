// SPDX-FileCopyrightText: 2026 Velimor
// SPDX-License-Identifier: GPL-3.0-or-later

// The page's scripts parse in the oldest browsers it names (Chrome and Edge
// 80, Firefox 78, Safari 14: ECMAScript 2020), and its guard, which tells a
// browser older than that so, in any browser at all (ECMAScript 5).
//   node tests/floor.mjs build-web/zrcadlo.html
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { createRequire } from 'node:module';
import { test } from 'node:test';

// Debian's acorn, which its Emscripten brings.
const { parse } = createRequire(import.meta.url)('/usr/share/nodejs/acorn');
const page = readFileSync(process.argv[2], 'utf8');
const scripts = [...page.matchAll(/<script>([\s\S]*?)<\/script>/g)].map((m) => m[1]);
const LEVELS = [['the program', 2020], ['the guard', 5]];

test('each script at its language level', () => {
    assert.equal(scripts.length, LEVELS.length);
    for (const [i, [name, ecmaVersion]] of LEVELS.entries())
        assert.doesNotThrow(() => parse(scripts[i], { ecmaVersion, sourceType: 'script' }), name);
});
