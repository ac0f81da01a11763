// The page's scripting interface against the command line: for the same
// files and date, window.TextToXML.convert gives the bytes of
// `texttoxml convert`, its findings are those of `check --format json`, its
// failures carry the command line's message, and the page asks the network
// for nothing.
import assert from "node:assert/strict";
import {mkdir, readFile, readdir, writeFile} from "node:fs/promises";
import path from "node:path";
import {after, before, describe, test} from "node:test";
import {launch, openPage, root} from "./browser.mjs";
import {cliFindings, runCli} from "./cli.mjs";
import {callPage, filesUnder, withoutGuids} from "./page_calls.mjs";
import {generatedTasks, pictureFolder, removeTempFolders, textFolder, warningText} from "./texts.mjs";

const date = "2013-07-24T15:04:05";
const pictures = path.join(root, "tests/data/pictures");

let session;
let tab;
before(async () => {
  session = await launch();
  tab = await openPage(session.browser);
});
after(async () => {
  await session.close();
  await removeTempFolders();
  assert.deepEqual(tab.errors, []);
  // The page itself, its worker's blob: address and data: pictures, nothing else.
  assert.deepEqual(tab.requests.filter((url) => !/^(file|blob|data):/.test(url)), []);
});

// Converts NAME in FOLDER both ways and compares; returns the page's answer.
async function convertsAsCli(folder, name, encoding = "auto") {
  const cli = runCli(["convert", "--quiet", "--encoding", encoding, "--date", date, "-o", "-", "--", name], folder);
  assert.equal(cli.status, 0, cli.stderr);
  const answer = await callPage(tab.page, "convert", name, await filesUnder(folder), {encoding, date});
  assert.equal(answer.error, undefined);
  assert.equal(withoutGuids(answer.result.xml), withoutGuids(cli.stdout));
  assert.deepEqual(answer.result.findings, cliFindings(name, folder, encoding));
  return answer.result;
}

// Fails NAME in FOLDER both ways; the page's message is the command line's.
async function failsAsCli(folder, name, options = {}) {
  const args = ["convert", "--quiet", "--encoding", options.encoding ?? "auto",
                "--date", options.date ?? date, "-o", "-", "--", name];
  const cli = runCli(args, folder);
  assert.notEqual(cli.status, 0);
  const answer = await callPage(tab.page, "convert", name, await filesUnder(folder),
                                {encoding: "auto", date, ...options});
  assert.equal(answer.result, undefined);
  // The page names files inside the dropped folder, the command line by full path.
  assert.equal(answer.error, cli.stderr.replace(/\n+$/, "").split(folder + "/").join(""));
}

describe("convert gives the command line's bytes", () => {
  test("a picture named in other letter case, as Windows allows", async () => {
    const folder = await textFolder("case.txt", "Кто это?\r\n[Pushkin.JPG]\r\n= Пушкин\r\n");
    await writeFile(path.join(folder, "pushkin.jpg"),
                    (await filesUnder(path.join(root, "examples")))["Pushkin.jpg"]);
    const result = await convertsAsCli(folder, "case.txt");
    assert.match(result.xml.toString("utf8"), /<QuestionImage FileName="[0-9A-F-]{36}\.jpg">/);
  });

  test("the bundled sample with its pictures", async () => {
    const result = await convertsAsCli(path.join(root, "examples"), "sample.txt");
    assert.match(result.xml.toString("utf8"), /<QuestionImage FileName="[0-9A-F-]{36}\.jpg">/);
  });

  test("a Word document, with the pictures it holds", async () => {
    const document = await readFile(path.join(root, "tests/data/docx/sample.docx"));
    const result = await convertsAsCli(await textFolder("sample.docx", document), "sample.docx");
    assert.match(result.xml.toString("utf8"), /<Title>sample\.docx<\/Title>/);
    assert.equal((result.xml.toString("utf8").match(/<FormattedText>/g) ?? []).length, 3);
  });

  test("every picture kind, as question picture and as variant", async () => {
    const folders = ["pngsuite", "bmpsuite/g", "gif", "kinds"].map((folder) => path.join(pictures, folder));
    const sources = [];
    for (const folder of folders) {
      for (const name of await readdir(folder)) {
        // The PNG suite's x*.png are broken on purpose.
        if (/\.(png|bmp|gif|jpe?g|ico|tiff?)$/i.test(name) && !/^x.*\.png$/.test(name)) {
          sources.push(path.join(folder, name));
        }
      }
    }
    const result = await convertsAsCli(await pictureFolder(sources), "pictures.txt");
    assert.equal((result.xml.toString("utf8").match(/<FormattedText>/g) ?? []).length, sources.length);
  });

  test("pictures in a subfolder, and a windows-1251 text read both ways", async () => {
    // "Вопрос:" in windows-1251.
    const question = Buffer.from([0xc2, 0xee, 0xef, 0xf0, 0xee, 0xf1, 0x3a]);
    const folder = await textFolder("задания.txt", Buffer.concat([
        question, Buffer.from("\r\n[sub/formula1.png]\r\n+[sub/formula2.png]\r\n- 1\r\n")]));
    const examples = await filesUnder(path.join(root, "examples"));
    await mkdir(path.join(folder, "sub"));
    for (const name of ["formula1.png", "formula2.png"]) {
      await writeFile(path.join(folder, "sub", name), examples[name]);
    }
    await convertsAsCli(folder, "задания.txt", "cp1251");
    await convertsAsCli(folder, "задания.txt", "auto");
  });

  test("a text with warnings keeps them as findings", async () => {
    const result = await convertsAsCli(await textFolder("tasks.txt", warningText), "tasks.txt");
    assert.ok(result.findings.length >= 6);
    assert.ok(result.findings.every((finding) => finding.line > 0 && finding.severity === "warning"));
  });

  test("a generated text of 10,000 tasks", async () => {
    await convertsAsCli(await textFolder("large.txt", generatedTasks(10000)), "large.txt");
  });
});

describe("a long conversion", () => {
  test("reports its stages while the page keeps running", async () => {
    const text = Buffer.from(generatedTasks(10000)).toString("base64");
    const {stages, ticks} = await tab.page.evaluate(async (text) => {
      const bytes = Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
      const stages = [];
      let ticks = 0;
      let done = false;
      const tick = () => { if (!done) { ++ticks; setTimeout(tick, 0); } };
      tick();
      await window.TextToXML.convert({name: "large.txt", text: bytes,
                                      onProgress: (...report) => stages.push(report)});
      done = true;
      return {stages, ticks};
    }, text);
    assert.deepEqual([...new Set(stages.map(([stage]) => stage))], ["started", "converting", "handing"]);
    // The tasks written, in whole hundredths of the text, up to all of them.
    const shares = stages.filter(([, , total]) => typeof total === "number");
    assert.ok(shares.length >= 100 && shares.length <= 101, `${shares.length} reports`);
    assert.ok(shares.every(([, done, total], i) => total === 10000 && (i === 0 || done > shares[i - 1][1])));
    assert.deepEqual(shares.at(-1), ["converting", 10000, 10000]);
    // The conversion runs in the worker: timers on the page go on firing.
    assert.ok(ticks > 10, `only ${ticks} timer ticks during the conversion`);
  });
});

describe("failures carry the command line's message", () => {
  test("a picture variant of an extension no picture kind takes", async () => {
    const folder = await textFolder("bad.txt", "Что это?\r\n+[notes.xyz]\r\n- ничего\r\n");
    await writeFile(path.join(folder, "notes.xyz"), "not a picture");
    await failsAsCli(folder, "bad.txt");
  });

  test("a broken PNG variant", async () => {
    const folder = await textFolder("png.txt", "Что это?\r\n+[broken.png]\r\n- ничего\r\n");
    await writeFile(path.join(folder, "broken.png"), (await filesUnder(path.join(pictures, "pngsuite")))["xc1n0g08.png"]);
    await failsAsCli(folder, "png.txt");
  });

  test("a damaged JPEG variant", async () => {
    const folder = await textFolder("jpeg.txt", "Что это?\r\n+[cut.jpg]\r\n- ничего\r\n");
    const jpeg = (await filesUnder(path.join(root, "examples")))["Pushkin.jpg"];
    await writeFile(path.join(folder, "cut.jpg"), jpeg.subarray(0, 40));
    await failsAsCli(folder, "jpeg.txt");
  });

  test("a blank text, UTF-16 without a byte order mark, a bad date", async () => {
    await failsAsCli(await textFolder("blank.txt", "\r\n  \r\n"), "blank.txt");
    await failsAsCli(await textFolder("utf16.txt", Buffer.from("Вопрос\r\n= 1\r\n", "utf16le")), "utf16.txt");
    await failsAsCli(path.join(root, "examples"), "sample.txt", {date: "24.07.2013"});
  });

  test("a file that is not a task text: RTF, PDF", async () => {
    await failsAsCli(await textFolder("letter.txt", "{\\rtf1\\ansi Hello}"), "letter.txt");
    await failsAsCli(await textFolder("paper.txt", "%PDF-1.4\n%\xe2\xe3\n1 0 obj"), "paper.txt");
  });

  test("names outside the text's folder are refused", async () => {
    const answer = await callPage(tab.page, "convert", "a.txt", {"a.txt": Buffer.from("В?\r\n= 1"), "../up.png": Buffer.from("x")});
    assert.match(answer.error, /not a file name inside the text's folder/);
  });
});

describe("check and preview", () => {
  test("check reports as check --format json does", async () => {
    const folder = await textFolder("tasks.txt", warningText);
    const answer = await callPage(tab.page, "check", "tasks.txt", await filesUnder(folder));
    const cli = JSON.parse(runCli(["check", "--format", "json", "tasks.txt"], folder).stdout.toString("utf8"));
    assert.deepEqual(answer.result, cli.files[0]);
  });

  test("preview gives the command line's page", async () => {
    const folder = path.join(root, "examples");
    const answer = await callPage(tab.page, "preview", "sample.txt", await filesUnder(folder));
    assert.equal(answer.result, runCli(["preview", "sample.txt", "-o", "-"], folder).stdout.toString("utf8"));
  });
});
