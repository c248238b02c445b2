// ESLint over the browser extension and its tests (make lint, scripts/lint.sh).
import js from "@eslint/js";
import globals from "globals";

export default [
    { ignores: ["build/", "dist/", "node_modules/"] },
    js.configs.recommended,
    {
        // The background script: a classic script, a service worker in Chrome and Edge and an
        // event page in Firefox; the function it injects runs in the page.
        files: ["browser/**/*.js"],
        languageOptions: {
            ecmaVersion: 2022,
            sourceType: "script",
            globals: { ...globals.browser, ...globals.webextensions },
        },
    },
    {
        // The tests run in node; the functions they evaluate in pages see the page's globals.
        files: ["tests/browser/**/*.mjs", "bench/**/*.mjs", "eslint.config.js"],
        languageOptions: { ecmaVersion: 2024, sourceType: "module", globals: { ...globals.node, ...globals.browser } },
    },
];
