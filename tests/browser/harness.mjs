// The bench of the browser tests: the service's pages served on 127.0.0.1:443 and :80 under
// their real names (a test CA), the real program and host under Wine in a fresh program folder,
// and Chromium or Firefox ESR with the extension of the tree's bin/Browser, driven by puppeteer.
import { execFile, spawn } from "node:child_process";
import fs from "node:fs/promises";
import http from "node:http";
import https from "node:https";
import path from "node:path";
import { setTimeout as sleep } from "node:timers/promises";
import { promisify } from "node:util";
import puppeteer from "puppeteer-core";

const run = promisify(execFile);
const top = path.resolve(import.meta.dirname, "../..");
export const kTitle = 'Web Site Promotion - Clicks4U delivers Quality Web Site Promotion - "BRILLIANT! Quite simply, it works"';
export const kLogin = "https://www.clicks4u.example/login";
const kHttpsNames = ["www.clicks4u.example", "www.clicks4u-login.example", "login.www.clicks4u.example", "www.framer.example"];
const kHostName = "com.tavrik.rateline";
const kFillMemberId = 32811;
const kExit = 105;

// Polls check() until it returns a truthy value; fails after ms.
export async function waitFor(what, check, ms) {
    const end = Date.now() + ms;
    for (;;) {
        const result = await check();
        if (result) return result;
        if (Date.now() > end) throw new Error(`timed out after ${ms} ms waiting for ${what}`);
        await sleep(25);
    }
}

const escapeHtml = (text) => text.replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/"/g, "&quot;");

// A login page: inputs named `fields` with the values `prefill`, and a listener of the page's
// own that records every input event it sees.
export function loginPage({ title = kTitle, fields = ["member", "site", "password"], prefill = [] } = {}) {
    const inputs = fields.map((name, i) => `<input name="${name}" value="${escapeHtml(prefill[i] ?? "")}">`);
    return `<!doctype html><title>${escapeHtml(title)}</title><form>${inputs.join("")}</form><script>
window.seen = []; document.addEventListener("input", (e) => seen.push(e.target.name + "=" + e.target.value));
</script>`;
}

// The CA, the server's certificate for every test name, and the NSS databases that trust the CA.
async function makeCertificates(dir, nssDirs) {
    const ec = ["-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"];
    await run("openssl", ["req", "-x509", ...ec, "-subj", "/CN=Rateline Test CA", "-days", "2", "-keyout", `${dir}/ca.key`,
        "-out", `${dir}/ca.crt`, "-addext", "basicConstraints=critical,CA:TRUE", "-addext", "keyUsage=critical,keyCertSign"]);
    await run("openssl", ["req", ...ec, "-subj", `/CN=${kHttpsNames[0]}`, "-keyout", `${dir}/server.key`, "-out", `${dir}/server.csr`]);
    await fs.writeFile(`${dir}/server.ext`, `subjectAltName=${kHttpsNames.map((n) => `DNS:${n}`).join(",")}\nextendedKeyUsage=serverAuth\n`);
    await run("openssl", ["x509", "-req", "-in", `${dir}/server.csr`, "-CA", `${dir}/ca.crt`, "-CAkey", `${dir}/ca.key`,
        "-CAcreateserial", "-days", "2", "-extfile", `${dir}/server.ext`, "-out", `${dir}/server.crt`]);
    for (const nss of nssDirs) {
        await fs.mkdir(nss, { recursive: true });
        await run("certutil", ["-d", `sql:${nss}`, "-N", "--empty-password"]);
        await run("certutil", ["-d", `sql:${nss}`, "-A", "-t", "C,,", "-n", "rateline-test-ca", "-i", `${dir}/ca.crt`]);
    }
}

// Serves pages: full URL (scheme, Host and path) -> HTML; anything else is 404.
async function startServers(dir, pages) {
    const serve = (scheme) => (request, response) => {
        const html = pages.get(`${scheme}://${request.headers.host}${request.url}`);
        response.writeHead(html ? 200 : 404, { "Content-Type": "text/html; charset=utf-8", Connection: "close" });
        response.end(html ?? "");
    };
    const [key, cert] = await Promise.all([fs.readFile(`${dir}/server.key`), fs.readFile(`${dir}/server.crt`)]);
    const servers = [https.createServer({ key, cert }, serve("https")), http.createServer(serve("http"))];
    await Promise.all(servers.map((server, i) => new Promise((resolve, reject) => {
        server.once("error", (e) => reject(new Error(`cannot listen on 127.0.0.1:${i ? 80 : 443}: ${e.message}`)));
        server.listen(i ? 80 : 443, "127.0.0.1", resolve);
    })));
    return servers;
}

const windowsPath = (p) => "Z:" + p.replace(/\//g, "\\");

export class Bench {
    constructor(browserName, arch, tree) {
        tree = path.resolve(tree);
        Object.assign(this, { browserName, arch, tree, pages: new Map(), servers: [], program: null, browser: null,
            wineRuns: 0 });
        this.work = path.join(tree, "bin", "browser-work", browserName);
        this.folder = path.join(this.work, "Rateline");
        this.home = path.join(this.work, "home");
        this.profileDir = path.join(this.work, "profile");
    }

    // Runs a Windows program to its end; its output, or null when it fails. The output goes
    // through a file: a Wine process may leave the desktop process holding its standard handles.
    async wine(args) {
        const out = path.join(this.work, `wine-${process.pid}-${++this.wineRuns}.out`);
        const file = await fs.open(out, "w");
        const child = spawn(path.join(top, "scripts/wine-run.sh"), [String(this.arch), ...args],
            { stdio: ["ignore", file.fd, "ignore"] });
        const status = await Promise.race([new Promise((resolve) => child.once("exit", resolve)), sleep(30000, undefined, { ref: false })]);
        if (status === undefined) child.kill("SIGKILL");
        await file.close();
        const text = await fs.readFile(out, "utf8");
        await fs.rm(out);
        return status === 0 ? text : null;
    }

    // The program folder, the host's wrapper and manifest, certificates and servers.
    async prepare() {
        await fs.rm(this.work, { recursive: true, force: true });
        await fs.mkdir(this.folder, { recursive: true });
        for (const file of ["rtln.exe", "rtln_host.exe", "site.qzd", "qzDigits.ttf", "qzMain.ttf"])
            await fs.copyFile(path.join(this.tree, "bin", file), path.join(this.folder, file));
        const wrapper = path.join(this.work, "rtln_host.sh");
        await fs.writeFile(wrapper, `#!/bin/sh\nunset DISPLAY\nexport WINEDEBUG=-all WINEDLLOVERRIDES=winedbg.exe=d\n` +
            `exec ${top}/scripts/wine-run.sh ${this.arch} ${this.folder}/rtln_host.exe "$@"\n`, { mode: 0o755 });
        // The browser's own host manifest of the program folder,
        // with the wrapper's absolute path: Linux browsers take no relative one.
        const own = path.join(this.tree, "bin", `rtln_host.${this.browserName === "chromium" ? "chrome" : "firefox"}.json`);
        const shipped = await fs.readFile(own);
        const manifest = JSON.stringify({ ...JSON.parse(shipped), path: wrapper });
        const manifestDir = this.browserName === "chromium"
            ? path.join(this.profileDir, "NativeMessagingHosts") : path.join(this.home, ".mozilla/native-messaging-hosts");
        await fs.mkdir(manifestDir, { recursive: true });
        await fs.writeFile(path.join(manifestDir, `${kHostName}.json`), manifest);
        const nss = this.browserName === "chromium" ? path.join(this.home, ".pki/nssdb") : this.profileDir;
        await makeCertificates(this.work, [nss]);
        this.servers = await startServers(this.work, this.pages);
    }

    // The profile as the program stores it: the password's characters each shifted by 2.
    async writeProfile({ member, site, password }) {
        const shifted = [...password].map((c) => String.fromCharCode(c.charCodeAt(0) + 2)).join("");
        const key = "HKEY_CURRENT_USER\\Software\\Tavrik\\RL\\Settings";
        const reg = path.join(this.work, "profile.reg");
        const text = (value) => `"${value.replace(/[\\"]/g, "\\$&")}"`;
        await fs.writeFile(reg, `REGEDIT4\r\n\r\n[-${key}]\r\n\r\n[${key}]\r\n"MemberID"=${text(member)}\r\n` +
            `"SiteID"=${text(site)}\r\n"Password"=${text(shifted)}\r\n`);
        if ((await this.wine(["reg", "import", windowsPath(reg)])) === null) throw new Error("reg import failed");
    }

    async startProgram() {
        this.program = spawn(path.join(top, "scripts/wine-run.sh"), [String(this.arch), path.join(this.folder, "rtln.exe")],
            { cwd: this.folder, stdio: "ignore" });
        await waitFor("the program's window", () => this.post(0), 20000);
    }

    // Posts a menu command to the program's window; the time of posting (ms since 1970), or
    // null when the window is not there.
    async post(command) {
        const posted = await this.wine([path.join(this.tree, "bin", "post_command.exe"), String(command)]);
        return posted && Number(posted);
    }

    fill() { return this.post(kFillMemberId); }

    async launchBrowser() {
        const env = { ...process.env, HOME: this.home };
        if (this.browserName === "chromium") {
            this.browser = await puppeteer.launch({ executablePath: "/usr/lib/chromium/chromium", headless: true, pipe: true,
                enableExtensions: true, userDataDir: this.profileDir, env, args: ["--no-sandbox",
                    "--host-resolver-rules=MAP * 127.0.0.1", "--disable-background-networking", "--disable-component-update",
                    "--disable-sync", "--no-first-run", "--disable-quic"] });
        } else {
            this.browser = await puppeteer.launch({ browser: "firefox", executablePath: "/usr/lib/firefox-esr/firefox-esr",
                headless: true, userDataDir: this.profileDir, env, extraPrefsFirefox: {
                    "network.dns.forceResolve": "127.0.0.1", "dom.security.https_first": false,
                    "dom.security.https_first_schemeless": false, "network.trr.mode": 5,
                    // Suspends an idle background after 2 s instead of 30 s: the open port must keep it.
                    "extensions.background.idle.timeout": 2000 } });
        }
        this.extensionId = await this.browser.installExtension(path.join(this.tree, "bin", "Browser"));
    }

    async open(url) {
        const page = await this.browser.newPage();
        await page.goto(url, { waitUntil: "load", timeout: 10000 });
        return page;
    }

    // Stops what was started, checks that the host ended with the browser's port and that
    // nothing is left.
    async close() {
        const problems = [];
        await this.browser?.close().catch((e) => problems.push(`browser close: ${e.message}`));
        for (const server of this.servers) server.closeAllConnections?.(), server.close();
        if (this.program && this.program.exitCode === null) {
            await this.post(kExit);
            const exited = new Promise((resolve) => this.program.once("exit", () => resolve(true)));
            if (!(await Promise.race([exited, sleep(10000, undefined, { ref: false }).then(() => false)]))) {
                this.program.kill("SIGKILL");
                problems.push("the program did not exit on its Exit command");
            }
        }
        const hosts = await waitFor("the host to end", () => this.hostProcesses().then((p) => (p.length ? null : [])), 5000)
            .catch(() => this.hostProcesses());
        for (const pid of hosts) process.kill(pid, "SIGKILL");
        if (hosts.length) problems.push(`${hosts.length} host process(es) still running after the browser closed`);
        return problems;
    }

    // Processes of the host of this bench's folder.
    async hostProcesses() {
        const { stdout } = await run("ps", ["-eo", "pid=,args="]);
        const host = path.join(this.folder, "rtln_host.exe");
        return stdout.split("\n").filter((line) => line.includes(host) || line.includes(windowsPath(host)))
            .map((line) => Number(line.trim().split(/\s+/)[0]));
    }
}
