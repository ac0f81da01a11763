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
import {generatedTasks, removeTempFolders, tempFolder, textFolder, warningText} from "./texts.mjs";

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
    assert.equal(await tab.page.$eval("#summary", (p) => p.textContent),
        "Замечаний нет. Заданий: 8 (одиночный выбор — 2, множественный выбор — 1, " +
        "упорядочение — 1, ввод числа — 2, ввод текста — 2). Рисунков найдено: 4, не найдено: 0. " +
        "Предупреждений: 0, примечаний: 0.");
  });

  test("the page shows the version the command line tells", async () => {
    const {stdout} = runCli(["--version"], examples);
    assert.equal(`texttoxml ${await tab.page.$eval("#version", (small) => small.textContent)}\n`, stdout.toString());
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

  test("a text with warnings is saved only when the teacher says so", async () => {
    const folder = await textFolder("warned.txt", warningText);
    await choose(path.join(folder, "warned.txt"));
    const asked = async () => tab.page.$eval("#ask-save", (div) => !div.hidden);
    await press("#convert");
    assert.ok(await asked());
    assert.equal(await tab.page.$$eval("#findings tbody tr", (rows) => rows.length),
        cliFindings("warned.txt", folder).length);
    await tab.page.click("#go-back");
    assert.ok(!await asked());
    await press("#convert");
    await tab.page.click("#save-anyway");
    const xml = await downloaded("warned.xml");
    const cli = runCli(["convert", "--quiet", "warned.txt", "-o", "-"], folder);
    assert.equal(withoutDate(xml), withoutDate(cli.stdout));
    assert.ok(!(await readdir(downloads)).includes("warned (1).xml"), "saved twice");
  });

  test("a text without a task saves nothing", async () => {
    const folder = await textFolder("years.txt", "1917 год\r\n+ да\r\n\r\n1812 год\r\n- нет\r\n");
    await choose(path.join(folder, "years.txt"));
    await press("#convert");
    assert.match(await tab.page.$eval("#error", (pre) => pre.textContent), /не найдено ни одного задания/);
    await sleep(500);
    assert.ok(!(await readdir(downloads)).includes("years.xml"));
  });

  test("of several texts at the top of a folder none is chosen for the teacher", async () => {
    const folder = await tempFolder();
    const texts = path.join(folder, "две");
    await mkdir(texts);
    for (const name of ["a.txt", "b.txt"]) await writeFile(path.join(texts, name), "Q?\r\n+ a\r\n");
    const input = await tab.page.$("#choose-folder");
    await input.uploadFile(texts);
    await tab.page.waitForFunction(() => document.getElementById("text-file").options.length === 3);
    assert.equal(await tab.page.$eval("#text-file", (select) => select.value), "");
    assert.ok(await tab.page.$eval("#convert", (button) => button.disabled));
    await tab.page.select("#text-file", "1");
    assert.ok(!await tab.page.$eval("#convert", (button) => button.disabled));
  });

  test("an error as the command line prints it", async () => {
    const folder = await textFolder("blank.txt", "\r\n");
    await choose(path.join(folder, "blank.txt"));
    await press("#convert");
    const shown = await tab.page.$eval("#error", (pre) => (pre.hidden ? "" : pre.textContent));
    assert.equal(shown, runCli(["convert", "--quiet", "blank.txt", "-o", "-"], folder).stderr.trim());
  });

  test("findings, errors and the preview speak Russian and name no folder of the page", async () => {
    const english = /\b(the|not|picture|task|answer|line|found|warning|note|choice|file)\b/i;
    const folder = await textFolder("ошибки.txt", "1917 год?\r\n+ да\r\n\r\nКартинка\r\n[Photo.png]\r\n" +
        "+ а\r\n- б\r\n\r\nВопрос?\r\n- а\r\n- б\r\n");
    await writeFile(path.join(folder, "письмо.txt"), "{\\rtf1\\ansi Привет}");
    await writeFile(path.join(folder, "cp1251.txt"), Buffer.from([0xc2, 0xee, 0xef, 0xf0, 0xee, 0xf1, 0x3f, 0x0d, 0x0a, 0x2b, 0x20, 0xe4, 0xe0]));
    const input = await tab.page.$("#choose-files");
    await input.uploadFile(...["ошибки.txt", "письмо.txt", "cp1251.txt"].map((name) => path.join(folder, name)));
    await tab.page.waitForFunction(() => document.getElementById("text-file").options.length === 4);
    await tab.page.select("#text-file", "0");
    await press("#check");
    const messages = await tab.page.$$eval("#findings tbody td:last-child", (cells) => cells.map((cell) => cell.textContent));
    assert.equal(messages.length, 3);
    for (const message of messages) assert.doesNotMatch(message, english);
    assert.match(messages[1], /рисунок «Photo\.png» не найден/);

    await press("#preview");
    // The frame shows the new page once its address is the one just set.
    const frame = await (await tab.page.$("#preview-frame")).contentFrame();
    const address = await tab.page.$eval("#preview-frame", (element) => element.src);
    while (frame.url() !== address) await sleep(20);
    await frame.waitForSelector(".task");
    const shown = await frame.$eval("body", (body) => body.innerText);
    assert.doesNotMatch(shown.replace(/Photo\.png/g, ""), english);
    assert.deepEqual(await frame.$$eval(".kind", (kinds) => kinds.map((kind) => kind.textContent)),
        ["не задание", "одиночный выбор", "одиночный выбор"]);

    const errorOf = async (index, encoding, button) => {
      await tab.page.select("#text-file", index);
      await tab.page.select("#encoding", encoding);
      await press(button);
      return tab.page.$eval("#error", (pre) => pre.textContent);
    };
    const rtf = await errorOf("1", "auto", "#convert");
    assert.match(rtf, /^письмо\.txt: Это файл с форматированием \(RTF\)/);
    for (const button of ["#check", "#convert", "#preview"]) {
      const encoding = await errorOf("2", "utf8", button);
      assert.match(encoding, /^cp1251\.txt: /);
      assert.match(encoding, /«Кодировка»/);
      assert.doesNotMatch(encoding, /\/job|--encoding/);
    }
    await tab.page.select("#encoding", "auto");
  });

  // The page's own thread is never held up long: a 20 ms timer keeps
  // firing while each action runs on a large text and its result is shown.
  test("no action holds up the page", async () => {
    const folder = await textFolder("large.txt", generatedTasks(100000));
    await choose(path.join(folder, "large.txt"));
    for (const button of ["#convert", "#check", "#preview"]) {
      await tab.page.evaluate(() => {
        window.longestGap = 0;
        let last = performance.now();
        window.gapTimer = setInterval(() => {
          const now = performance.now();
          window.longestGap = Math.max(window.longestGap, now - last);
          last = now;
        }, 20);
      });
      await press(button);
      await sleep(1000);  // what the browser does with the result
      const gap = await tab.page.evaluate(() => {
        clearInterval(window.gapTimer);
        return window.longestGap;
      });
      assert.ok(gap <= 200, `${button}: the page stood still for ${Math.round(gap)} ms`);
    }
    await downloaded("large.xml");
  });

  test("the preview of the chosen text", async () => {
    await choose(...sampleFiles);
    await press("#preview");
    // The frame is apart from the page: puppeteer reaches into it as a frame of its own.
    assert.match(await tab.page.$eval("#preview-frame", (frame) => frame.src), /^blob:/);
    await tab.page.waitForFunction(() => true);
    const frame = tab.page.frames().find((each) => each !== tab.page.mainFrame());
    await frame.waitForFunction(() => document.readyState === "complete");
    const cli = runCli(["preview", "sample.txt", "-o", "-"], examples).stdout.toString("utf8");
    assert.equal(await frame.title(), /<title>(.*)<\/title>/.exec(cli)[1]);
    assert.equal(await frame.$$eval(".task", (tasks) => tasks.length), (cli.match(/class="task/g) ?? []).length);
  });
});
