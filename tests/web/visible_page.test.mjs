// The page as a teacher uses it: choose the files, press a button, get the
// XML as a download, the findings in the table, the error in the page.
import assert from "node:assert/strict";
import {copyFile, mkdir, readdir, readFile, writeFile} from "node:fs/promises";
import path from "node:path";
import {after, before, describe, test} from "node:test";
import {setTimeout as sleep} from "node:timers/promises";
import {launch, openPage, root} from "./browser.mjs";
import {cliFindings, runCli} from "./cli.mjs";
import {withoutGuids} from "./page_calls.mjs";
import {removeTempFolders, tempFolder, textFolder, warningText} from "./texts.mjs";

const examples = path.join(root, "examples");
const sampleFiles = ["sample.txt", "Pushkin.jpg", "formula1.png", "formula2.png", "formula3.png"]
    .map((name) => path.join(examples, name));

let session;
let tab;
let downloads;
before(async () => {
  session = await launch();
  tab = await openPage(session.browser);
  downloads = await tempFolder();
  const cdp = await tab.page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", {behavior: "allow", downloadPath: downloads});
});
after(async () => {
  await session.close();
  await removeTempFolders();
  assert.deepEqual(tab.errors, []);
  assert.deepEqual(tab.requests.filter((url) => !/^(file|blob|data):/.test(url)), []);
});

async function choose(...files) {
  await chooseWith("#choose-files", files);
}

async function chooseWith(selector, files) {
  const input = await tab.page.$(selector);
  await input.uploadFile(...files);
  await tab.page.waitForFunction(() => !document.getElementById("convert").disabled);
}

async function press(button) {
  await tab.page.click(button);
  await tab.page.waitForFunction(() => document.getElementById("progress").hidden);
}

async function downloaded(name) {
  for (let tries = 0; tries < 200; ++tries) {
    if ((await readdir(downloads)).includes(name)) return readFile(path.join(downloads, name));
    await sleep(50);
  }
  throw new Error(`${name} was not downloaded`);
}

// The page writes the current time; the command line is given the same.
function withoutDate(xml) {
  return withoutGuids(xml).replace(/<SaveDate>[^<]*<\/SaveDate>/, "<SaveDate/>");
}

describe("the visible page", () => {
  test("choose the sample and its pictures, convert, download", async () => {
    await choose(...sampleFiles);
    assert.equal(await tab.page.$eval("#text-file", (select) => select.selectedOptions[0].text), "sample.txt");
    await press("#convert");
    const xml = await downloaded("sample.xml");
    const cli = runCli(["convert", "sample.txt", "-o", "-"], examples);
    assert.equal(withoutDate(xml), withoutDate(cli.stdout));
    assert.equal(await tab.page.$eval("#summary", (p) => p.textContent), "Замечаний нет.");
  });

  test("a chosen folder: the text's folder is the root of the pictures", async () => {
    const folder = await tempFolder();
    const texts = path.join(folder, "тест");
    await mkdir(path.join(texts, "img"), {recursive: true});
    await writeFile(path.join(texts, "folder.txt"), "Что это?\r\n[img/formula1.png]\r\n+[img/formula2.png]\r\n- 1\r\n");
    for (const name of ["formula1.png", "formula2.png"]) {
      await copyFile(path.join(examples, name), path.join(texts, "img", name));
    }
    await chooseWith("#choose-folder", [texts]);
    assert.equal(await tab.page.$eval("#text-file", (select) => select.selectedOptions[0].text), "тест/folder.txt");
    await press("#convert");
    const xml = await downloaded("folder.xml");
    const cli = runCli(["convert", "folder.txt", "-o", "-"], texts);
    assert.equal(withoutDate(xml), withoutDate(cli.stdout));
    assert.match(xml.toString("utf8"), /<QuestionImage /);
  });

  test("the findings of a text with warnings, by line", async () => {
    const folder = await textFolder("tasks.txt", warningText);
    await choose(path.join(folder, "tasks.txt"));
    await press("#check");
    const rows = await tab.page.$$eval("#findings tbody tr",
        (trs) => trs.map((tr) => Array.from(tr.cells, (cell) => cell.textContent)));
    const expected = cliFindings("tasks.txt", folder).map((finding) =>
        [String(finding.line), finding.severity === "warning" ? "предупреждение" : "примечание", finding.message]);
    assert.deepEqual(rows, expected);
  });

  test("an error as the command line prints it", async () => {
    const folder = await textFolder("blank.txt", "\r\n");
    await choose(path.join(folder, "blank.txt"));
    await press("#convert");
    const shown = await tab.page.$eval("#error", (pre) => (pre.hidden ? "" : pre.textContent));
    assert.equal(shown, runCli(["convert", "--quiet", "blank.txt", "-o", "-"], folder).stderr.trim());
  });

  test("the preview of the chosen text", async () => {
    await choose(...sampleFiles);
    await press("#preview");
    const page = await tab.page.$eval("#preview-frame", (frame) => frame.srcdoc);
    assert.equal(page, runCli(["preview", "sample.txt", "-o", "-"], examples).stdout.toString("utf8"));
  });
});
