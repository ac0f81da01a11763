// The page's whole action against the command line's `convert`, side by
// side: for each input, a page that is ready (its converter made and warmed
// up, as it is while a teacher finds the files in the file dialog) is
// given the files, and the time is the page's own share from there to the
// whole download on disk: from the files chosen to the button ready, and
// from pressing «Преобразовать и сохранить XML» to the file written. The
// command line converts the same files into a file. Prints a Markdown
// table: wall times, the page's stages, peak memory (the page's processes'
// proportional set size above an idle page, sampled on a thread of its own
// so that sampling never delays the timing; the command line's resident
// set), and the ratios. The median of RUNS runs (default 3).
//   node benchmark.mjs [sample] [20000] [100000] [pictures] [54mb] [300mb]
import {execFileSync, spawnSync} from "node:child_process";
import {readdir, stat} from "node:fs/promises";
import path from "node:path";
import {performance} from "node:perf_hooks";
import {setTimeout as sleep} from "node:timers/promises";
import {Worker} from "node:worker_threads";
import {launch, openPage, root} from "./browser.mjs";
import {cliPath} from "./cli.mjs";
import {generatedTasks, pictureFolder, removeTempFolders, tempFolder, textFolder} from "./texts.mjs";

const runs = Number(process.env.RUNS ?? 3);
const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];

// Each input: a folder, the text in it, the files a teacher chooses.
const inputs = {
  async sample() {
    const folder = path.join(root, "examples");
    return {folder, text: "sample.txt", files: ["sample.txt", "Pushkin.jpg", "formula1.png",
                                                "formula2.png", "formula3.png"]};
  },
  async 20000() { return taskInput(20000); },
  async 100000() { return taskInput(100000); },
  async pictures() {
    const made = await tempFolder();
    execFileSync("/usr/bin/python3", [path.join(root, "bench/make_pictures.py"), made]);
    const sources = (await readdir(made)).sort().map((name) => path.join(made, name));
    const folder = await pictureFolder(sources);
    return {folder, text: "pictures.txt", files: await readdir(folder)};
  },
  async "54mb"() { return taskInput(500000); },
  async "300mb"() { return taskInput(2800000); },
};

async function taskInput(count) {
  const folder = await textFolder("tasks.txt", generatedTasks(count));
  return {folder, text: "tasks.txt", files: ["tasks.txt"]};
}

// Seconds and peak resident megabytes of `texttoxml convert` (the default
// command, findings included) writing a file; time's line comes last on
// standard error, after the findings.
function runCommandLine(input, output) {
  const start = performance.now();
  const result = spawnSync("/usr/bin/time", ["-f", "%M", cliPath, "convert", input.text, "-o",
                                             output], {cwd: input.folder});
  const wall = (performance.now() - start) / 1000;
  if (result.status !== 0) throw new Error(`texttoxml failed: ${result.stderr}`);
  const kilobytes = Number(result.stderr.toString().trim().split("\n").pop());
  return {wall, megabytes: kilobytes / 1024};
}

// Samples the proportional set size of the browser and all its children,
// in MB, every 100 ms on a thread of its own; `stop()` gives the peak.
function memorySampler(pid) {
  const code = `
    const {readFileSync} = require("node:fs");
    const {parentPort, workerData} = require("node:worker_threads");
    function children(pid) {
      try {
        return readFileSync("/proc/" + pid + "/task/" + pid + "/children", "utf8")
            .split(" ").filter(Boolean).map(Number);
      } catch {
        return [];
      }
    }
    function megabytes() {
      const pids = [workerData];
      for (let i = 0; i < pids.length; ++i) pids.push(...children(pids[i]));
      let kilobytes = 0;
      for (const each of pids) {
        try {
          const rollup = readFileSync("/proc/" + each + "/smaps_rollup", "utf8");
          kilobytes += Number(/^Pss:\\s+(\\d+)/m.exec(rollup)?.[1] ?? 0);
        } catch {
          // gone
        }
      }
      return kilobytes / 1024;
    }
    let peak = megabytes();
    parentPort.postMessage({idle: peak});
    const timer = setInterval(() => { peak = Math.max(peak, megabytes()); }, 100);
    parentPort.on("message", () => {
      clearInterval(timer);
      parentPort.postMessage({peak: Math.max(peak, megabytes())});
    });`;
  const thread = new Worker(code, {eval: true, workerData: pid});
  const message = () => new Promise((resolve) => thread.once("message", resolve));
  const started = message();
  return {
    idle: async () => (await started).idle,
    async stop() {
      const stopped = message();
      thread.postMessage("stop");
      const {peak} = await stopped;
      await thread.terminate();
      return peak;
    },
  };
}

async function runPage(session, input, downloads) {
  const tab = await openPage(session.browser);
  const cdp = await tab.page.createCDPSession();
  await cdp.send("Browser.setDownloadBehavior", {behavior: "allow", downloadPath: downloads});
  await tab.page.evaluate(() => window.TextToXML.ready());
  const sampler = memorySampler(session.browser.process().pid);
  const idle = await sampler.idle();
  const chooser = await tab.page.$("#choose-files");
  const chosen = performance.now();
  await chooser.uploadFile(...input.files.map((name) => path.join(input.folder, name)));
  await tab.page.waitForFunction(() => !document.getElementById("convert").disabled,
                                 {polling: 10});
  const choosing = performance.now() - chosen;
  await tab.page.select("#text-file", await tab.page.$eval("#text-file", (select, text) =>
      Array.from(select.options).find((option) => option.text === text).value, input.text));
  const start = performance.now();
  await tab.page.click("#convert");
  const xmlName = input.text.replace(/\.[^.]*$/, ".xml");
  await tab.page.waitForFunction(() => document.getElementById("progress").hidden &&
      performance.getEntriesByName("texttoxml:end").length > 0, {timeout: 0, polling: 10});
  for (;;) {
    const names = await readdir(downloads);
    if (names.includes(xmlName) && !names.some((name) => name.endsWith(".crdownload"))) break;
    await sleep(10);
  }
  const whole = (choosing + performance.now() - start) / 1000;
  const marks = await tab.page.evaluate(() => Object.fromEntries(
      performance.getEntriesByType("mark").map((mark) => [mark.name.slice(10), mark.startTime])));
  const peak = await sampler.stop();
  const error = await tab.page.$eval("#error", (pre) => (pre.hidden ? "" : pre.textContent));
  if (error) throw new Error(`the page failed: ${error}`);
  const size = (await stat(path.join(downloads, xmlName))).size;
  await tab.page.close();
  const span = (from, to) => (marks[to] - marks[from]) / 1000;
  return {
    whole, size, extra: peak - idle,
    stages: {
      choose: choosing / 1000, handOver: span("start", "started"),
      prepare: span("started", "converting"),
      convert: span("converting", "handing"), handBack: span("handing", "received"),
      download: span("received", "end"),
    },
  };
}

const chosen = process.argv.slice(2).length > 0 ? process.argv.slice(2) : Object.keys(inputs);
console.log("| input | CLI s | page s | ratio | page stages: choose / hand over / prepare / convert / " +
            "hand back / download s | CLI MB | page extra MB | ratio |");
console.log("|---|---|---|---|---|---|---|---|");
for (const key of chosen) {
  const input = await inputs[key]();
  const scratch = await tempFolder();
  const cli = [];
  const page = [];
  for (let run = 0; run < runs; ++run) {
    cli.push(runCommandLine(input, path.join(scratch, `cli${run}.xml`)));
    const session = await launch();
    const downloads = await tempFolder();
    try {
      page.push(await runPage(session, input, downloads));
    } finally {
      await session.close();
    }
  }
  const cliWall = median(cli.map((each) => each.wall));
  const cliMb = median(cli.map((each) => each.megabytes));
  const pageWhole = median(page.map((each) => each.whole));
  const pageMb = median(page.map((each) => each.extra));
  const stage = (name) => median(page.map((each) => each.stages[name])).toFixed(2);
  const sizes = await Promise.all(input.files.map(async (name) =>
      (await stat(path.join(input.folder, name))).size));
  const inputBytes = sizes.reduce((total, size) => total + size, 0);
  console.log(`| ${key} (${(inputBytes / 1e6).toFixed(1)} MB) | ${cliWall.toFixed(2)} | ` +
              `${pageWhole.toFixed(2)} | ${(pageWhole / cliWall).toFixed(2)} | ` +
              `${["choose", "handOver", "prepare", "convert", "handBack", "download"].map(stage).join(" / ")} | ` +
              `${cliMb.toFixed(0)} | ${pageMb.toFixed(0)} | ${(pageMb / cliMb).toFixed(2)} |`);
}
await removeTempFolders();
