// Calls into window.TextToXML from Node: bytes cross into the page as
// base64 text, since puppeteer passes JSON values only.
import {readdir, readFile} from "node:fs/promises";
import path from "node:path";

// Every file under `folder`, keyed by its path relative to `folder`.
export async function filesUnder(folder, prefix = "") {
  const files = {};
  for (const entry of await readdir(folder, {withFileTypes: true})) {
    const name = prefix + entry.name;
    const full = path.join(folder, entry.name);
    if (entry.isDirectory()) Object.assign(files, await filesUnder(full, name + "/"));
    else files[name] = await readFile(full);
  }
  return files;
}

function toBase64(files) {
  return Object.fromEntries(Object.entries(files).map(([name, bytes]) => [name, bytes.toString("base64")]));
}

// Runs COMMAND on the text NAME of `files` (the text and its pictures);
// resolves to {result} or {error: message}, with XML bytes as a Buffer.
export async function callPage(page, command, name, files, options = {}) {
  const answer = await page.evaluate(async (command, name, files, options) => {
    const bytes = (text) => Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
    const pictures = {};
    for (const [key, value] of Object.entries(files)) if (key !== name) pictures[key] = bytes(value);
    try {
      const result = await window.TextToXML[command]({name, text: bytes(files[name]), pictures, ...options});
      if (command !== "convert") return {result};
      const xml = new Uint8Array(await result.xml.arrayBuffer());
      let binary = "";
      for (let at = 0; at < xml.length; at += 0x8000) {
        binary += String.fromCharCode(...xml.subarray(at, at + 0x8000));
      }
      return {result: {xml: btoa(binary), findings: result.findings}};
    } catch (error) {
      return {error: error instanceof Error ? error.message : `not an Error: ${error}`};
    }
  }, command, name, toBase64(files), options);
  if (answer.result && answer.result.xml !== undefined) answer.result.xml = Buffer.from(answer.result.xml, "base64");
  return answer;
}

// A question picture's file name is a fresh GUID on every conversion; the
// rest of the XML is the same from one run to the next.
export function withoutGuids(xml) {
  return xml.toString("utf8").replace(
      /FileName="[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}/g, 'FileName="GUID');
}
