// Headless Chromium of the system with a fresh, empty profile, and the page
// opened from its file: address. The switches keep a machine without a
// network from stalling the browser on its own background requests.
import {mkdtemp, rm} from "node:fs/promises";
import {tmpdir} from "node:os";
import path from "node:path";
import {fileURLToPath, pathToFileURL} from "node:url";
import puppeteer from "puppeteer-core";

export const root = fileURLToPath(new URL("../..", import.meta.url));
export const pagePath = path.resolve(process.env.TEXTTOXML_PAGE ?? path.join(root, "build-web/texttoxml.html"));

export async function launch() {
  const profile = await mkdtemp(path.join(tmpdir(), "texttoxml-chromium-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM ?? "/usr/bin/chromium",
    headless: true,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
           "--disable-background-networking", "--disable-component-update", "--disable-sync",
           `--user-data-dir=${profile}`],
  });
  return {
    browser,
    async close() {
      await browser.close();
      await rm(profile, {recursive: true, force: true});
    },
  };
}

// A tab with the page loaded and its scripting interface ready. Every
// request the page makes is recorded, so that a test can prove there is none.
export async function openPage(browser) {
  const page = await browser.newPage();
  const requests = [];
  page.on("request", (request) => requests.push(request.url()));
  const errors = [];
  page.on("pageerror", (error) => errors.push(error.message));
  await page.goto(pathToFileURL(pagePath).href);
  await page.waitForFunction(() => window.TextToXML !== undefined);
  return {page, requests, errors};
}
