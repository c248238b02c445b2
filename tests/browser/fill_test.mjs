// Usage: node fill_test.mjs chromium|firefox ARCH TREE
// "Fill Member ID" as a member meets it: the real program, its host and the extension in a real
// browser, with the service's pages and their look-alikes open in tabs. Each row is a page and
// the values its inputs must hold afterwards (null: untouched); the page's own input listener
// must have seen exactly the values written.
import assert from "node:assert/strict";
import { Bench, kLogin, kTitle, loginPage, waitFor } from "./harness.mjs";

const [browserName, arch, tree] = process.argv.slice(2);
const profile = { member: "M1207", site: "55123", password: "sesame 7!" };
const { member, site, password } = profile;
const untouched = [null, null, null];
const rows = [
    { name: "login page", url: `${kLogin}?a`, expect: [member, site, password] },
    { name: "second login tab, title in capitals", url: `${kLogin}?b`, page: { title: kTitle.toUpperCase() },
      expect: [member, site, password] },
    { name: "look-alike origin", url: "https://www.clicks4u-login.example/login", expect: untouched },
    { name: "http copy", url: "http://www.clicks4u.example/login", expect: untouched },
    { name: "frame of the real origin", url: "https://www.framer.example/frame", frame: `${kLogin}?framed`,
      expect: untouched },
    { name: "title one blank short", url: `${kLogin}?title`, page: { title: kTitle.replace("- \"", "-\"") },
      expect: untouched },
    { name: "subdomain copy", url: "https://login.www.clicks4u.example/login", expect: untouched, chromium: true },
    { name: "fields out of order, a fourth match", url: `${kLogin}?order`, chromium: true,
      page: { fields: ["PASSWORD", "memberid", "Site", "member", "member"] },
      expect: [password, null, site, member, null] },
];
const toolbarRow = { name: "toolbar button, empty site ID", url: `${kLogin}?toolbar`, page: { prefill: ["", "old", ""] },
    expect: [member, "", password] };

// What a row's inputs hold and what its listener saw, and whether that is what the row expects.
async function check(bench, row) {
    const page = bench.tabs.get(row);
    const frame = row.frame ? page.frames().find((f) => f.url() === row.frame) : page.mainFrame();
    const got = await frame.evaluate(() => ({
        values: [...document.querySelectorAll("input")].map((i) => i.value),
        seen: window.seen,
    }));
    const fields = row.page?.fields ?? ["member", "site", "password"];
    const want = {
        values: row.expect.map((v, i) => v ?? row.page?.prefill?.[i] ?? ""),
        seen: row.expect.flatMap((v, i) => (v === null ? [] : [`${fields[i]}=${v}`])),
    };
    return { row: row.name, got, want, ok: JSON.stringify(got) === JSON.stringify(want) };
}

async function checkAll(bench, rowsToCheck) {
    return Promise.all(rowsToCheck.map((row) => check(bench, row)));
}

function serve(bench, row) {
    if (row.frame) {
        bench.pages.set(row.url, `<!doctype html><title>${kTitle}</title><iframe src="${row.frame}"></iframe>`);
        bench.pages.set(row.frame, loginPage());
    } else {
        bench.pages.set(row.url, loginPage(row.page));
    }
}

const bench = new Bench(browserName, Number(arch), tree);
const active = rows.filter((row) => browserName === "chromium" || !row.chromium);
let problems;
try {
    for (const row of [...active, toolbarRow]) serve(bench, row);
    await bench.prepare();
    await bench.writeProfile(profile);
    await bench.startProgram();
    await bench.launchBrowser();
    bench.tabs = new Map();
    for (const row of active) bench.tabs.set(row, await bench.open(row.url));
    if (browserName === "firefox") {
        // Longer than the idle time set for the background: the open port has to keep it.
        await new Promise((resolve) => setTimeout(resolve, 4000));
    }
    await waitFor("the browser to start the host", async () => (await bench.hostProcesses()).length, 10000);
    // The host connects to the program's pipe within half a second of its start: the command
    // is posted again until a first page is filled.
    const filled = active.filter((row) => row.expect.some((v) => v !== null));
    await waitFor("the first fill", async () => {
        await bench.fill();
        return waitFor("", async () => (await check(bench, filled[0])).ok, 2000).catch(() => false);
    }, 20000);
    const results = await waitFor("every row", async () => {
        const all = await checkAll(bench, active);
        return all.every((r) => r.ok) && all;
    }, 5000).catch(() => checkAll(bench, active));
    for (const r of results) console.log(`${r.ok ? "ok  " : "FAIL"} ${browserName}: ${r.row}`, r.ok ? "" : JSON.stringify(r));
    assert.ok(results.every((r) => r.ok), "a row of the program's fill failed");

    if (browserName === "chromium") {
        // The toolbar button fills the current tab alone, with the profile read at that moment.
        await bench.writeProfile({ ...profile, site: "" });
        const page = await bench.open(toolbarRow.url);
        bench.tabs.set(toolbarRow, page);
        await page.bringToFront();
        const extension = (await bench.browser.extensions()).get(bench.extensionId);
        await page.triggerExtensionAction(extension);
        const toolbar = await waitFor("the toolbar's fill", async () => {
            const r = await check(bench, toolbarRow);
            return r.ok && r;
        }, 6000).catch(() => check(bench, toolbarRow));
        const others = await checkAll(bench, active);
        for (const r of [toolbar, ...others.filter((o) => !o.ok)])
            console.log(`${r.ok ? "ok  " : "FAIL"} ${browserName}: ${r.row}`, r.ok ? "" : JSON.stringify(r));
        assert.ok(toolbar.ok && others.every((r) => r.ok), "the toolbar button's fill failed");
    }
} finally {
    problems = await bench.close();
}
assert.deepEqual(problems, []);
console.log(`${browserName}: every row as expected`);
