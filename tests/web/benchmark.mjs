// The page against the command line on a generated text of COUNT tasks
// (default 10,000): the median of RUNS conversions each (default 5), the
// page's measured inside the page around window.TextToXML.convert, the
// command line's as the whole process. Prints one Markdown table row.
//   node benchmark.mjs [COUNT]
import {performance} from "node:perf_hooks";
import {launch, openPage} from "./browser.mjs";
import {runCli} from "./cli.mjs";
import {callPage, filesUnder} from "./page_calls.mjs";
import {generatedTasks, removeTempFolders, textFolder} from "./texts.mjs";

const count = Number(process.argv[2] ?? 10000);
const runs = Number(process.env.RUNS ?? 5);
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];

const folder = await textFolder("large.txt", generatedTasks(count));
const files = await filesUnder(folder);
const args = ["convert", "--date", "2013-07-24T15:04:05", "-o", "-", "large.txt"];

const session = await launch();
const {page} = await openPage(session.browser);
await callPage(page, "check", "large.txt", {"large.txt": Buffer.from("В?\r\n= 1")});  // module ready
const pageTimes = [];
const cliTimes = [];
for (let run = 0; run < runs; ++run) {
  const start = performance.now();
  runCli(args, folder);
  cliTimes.push(performance.now() - start);
  pageTimes.push(await page.evaluate(async (text) => {
    const bytes = Uint8Array.from(atob(text), (c) => c.charCodeAt(0));
    const start = performance.now();
    await window.TextToXML.convert({name: "large.txt", text: bytes, date: "2013-07-24T15:04:05"});
    return performance.now() - start;
  }, files["large.txt"].toString("base64")));
}
await session.close();
await removeTempFolders();
const cli = median(cliTimes) / 1000;
const web = median(pageTimes) / 1000;
console.log(`| ${count} tasks (${(files["large.txt"].length / 1e6).toFixed(2)} MB) | ${cli.toFixed(3)} | ${web.toFixed(3)} | ${(web / cli).toFixed(2)} |`);
