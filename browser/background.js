// Fills the service's login form with the member's profile, which the native messaging host
// reads from the program's settings: when the program's "Fill Member ID" runs (the host sends
// a "fill" message), and when the toolbar button is pressed on the service's page (the
// extension asks the host for the profile). It shows, logs and stores nothing: any error or
// closed port means the host is unavailable, and the login data lives only in the variables
// of one fill.
//
// CMake writes the product's facts into the quoted constants below (configure_file).
const kHostName = "@RTLN_HOST_NAME@";
const kServiceOrigin = "@RTLN_SERVICE_ORIGIN@";
const kLoginPageTitle = "@RTLN_LOGIN_PAGE_TITLE@";

// How long the toolbar button waits for the host's answer.
const kProfileTimeoutMs = 5000;
// Reconnecting after the port closes: a second after a port that lived a while, then twice as
// long after each port that closed soon, so that a host that cannot start is not started again
// and again.
const kFirstRetryMs = 1000;
const kLastRetryMs = 5 * 60 * 1000;
const kStablePortMs = 10 * 1000;
const kMaxRequestId = 2147483647;

// An open port keeps the host running and, with it, this background context alive.
let port = null;
let portOpenedAt = 0;
let retryMs = kFirstRetryMs;
let retryTimer = null;
let lastRequestId = -1;
// Requests waiting for the host's answer: id -> function taking the answer (null: none).
const pendingProfiles = new Map();

// Runs in the page's main frame (isolated world), so it must be self-contained. It fills only
// the top-level document of the exact origin whose title is the login page's (letters A to Z
// in either case, everything else exactly); inputs named member, site or password (whole name,
// A to Z in either case), in document order, at most three fills, empty values too.
function fillLoginForm(origin, title, member, site, password) {
    const lowerAscii = (text) => text.replace(/[A-Z]/g, (c) => String.fromCharCode(c.charCodeAt(0) + 32));
    if (window.top !== window || location.origin !== origin) return;
    if (lowerAscii(document.title) !== lowerAscii(title)) return;
    const values = new Map([["member", member], ["site", site], ["password", password]]);
    // The prototype's setter, as typing sets the value, whatever the page defines on the input.
    const setValue = Object.getOwnPropertyDescriptor(HTMLInputElement.prototype, "value").set;
    let fills = 0;
    for (const input of document.querySelectorAll("input")) {
        if (fills === 3) break;
        const value = values.get(lowerAscii(input.name));
        if (value === undefined) continue;
        fills += 1;
        setValue.call(input, value);
        input.dispatchEvent(new Event("input", { bubbles: true }));
        input.dispatchEvent(new Event("change", { bubbles: true }));
    }
}

function isServicePage(tab) {
    if (!tab || tab.id === undefined || !tab.url) return false;
    try {
        return new URL(tab.url).origin === kServiceOrigin;
    } catch {
        return false;
    }
}

function fillTab(tab, profile) {
    if (!isServicePage(tab)) return Promise.resolve();
    return chrome.scripting
        .executeScript({
            target: { tabId: tab.id, frameIds: [0] },
            func: fillLoginForm,
            args: [kServiceOrigin, kLoginPageTitle, profile.member, profile.site, profile.password],
        })
        .catch(() => {});
}

// The host's profile fields, or null when a message is not one.
function profileOf(message) {
    const { member, site, password } = message;
    if (typeof member !== "string" || typeof site !== "string" || typeof password !== "string") return null;
    return { member, site, password };
}

async function fillServiceTabs(profile) {
    // Without the tabs permission, only the service's tabs come with their address.
    const tabs = await chrome.tabs.query({}).catch(() => []);
    await Promise.all(tabs.map((tab) => fillTab(tab, profile)));
}

function onHostMessage(message) {
    if (!message || typeof message !== "object") return;
    if (message.kind === "fill") {
        const profile = profileOf(message);
        if (profile) fillServiceTabs(profile);
    } else if ((message.kind === "profile" || message.kind === "error") && pendingProfiles.has(message.id)) {
        const answer = pendingProfiles.get(message.id);
        pendingProfiles.delete(message.id);
        answer(message.kind === "profile" ? profileOf(message) : null);
    }
}

function onHostDisconnect() {
    // Reading lastError marks it as seen, so the browser logs nothing about it.
    void chrome.runtime.lastError;
    port = null;
    for (const answer of pendingProfiles.values()) answer(null);
    pendingProfiles.clear();
    retryMs = Date.now() - portOpenedAt >= kStablePortMs ? kFirstRetryMs : Math.min(retryMs * 2, kLastRetryMs);
    clearTimeout(retryTimer);
    retryTimer = setTimeout(connectHost, retryMs);
}

function connectHost() {
    clearTimeout(retryTimer);
    retryTimer = null;
    if (port) return port;
    try {
        port = chrome.runtime.connectNative(kHostName);
    } catch {
        port = null;
        return null;
    }
    portOpenedAt = Date.now();
    port.onMessage.addListener(onHostMessage);
    port.onDisconnect.addListener(onHostDisconnect);
    return port;
}

// The profile read fresh by the host, or null after kProfileTimeoutMs or on any error.
function requestProfile() {
    const hostPort = connectHost();
    if (!hostPort) return Promise.resolve(null);
    lastRequestId = lastRequestId >= kMaxRequestId ? 0 : lastRequestId + 1;
    const id = lastRequestId;
    return new Promise((resolve) => {
        const timer = setTimeout(() => {
            pendingProfiles.delete(id);
            resolve(null);
        }, kProfileTimeoutMs);
        pendingProfiles.set(id, (profile) => {
            clearTimeout(timer);
            resolve(profile);
        });
        try {
            hostPort.postMessage({ kind: "profile", id });
        } catch {
            pendingProfiles.get(id)?.(null);
            pendingProfiles.delete(id);
        }
    });
}

async function onToolbarButton(tab) {
    if (!isServicePage(tab)) return;
    const profile = await requestProfile();
    if (profile) await fillTab(tab, profile);
}

chrome.action.onClicked.addListener(onToolbarButton);
// Listening to these makes the browser start the background at its own start and after an
// update; the port is opened below in either case.
chrome.runtime.onStartup.addListener(() => {});
chrome.runtime.onInstalled.addListener(() => {});
connectHost();
