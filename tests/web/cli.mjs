// The command-line converter that the page must match byte for byte.
import {spawnSync} from "node:child_process";
import path from "node:path";
import {root} from "./browser.mjs";

export const cliPath = path.resolve(process.env.TEXTTOXML_CLI ?? path.join(root, "build/src/cli/texttoxml"));

// The options the page gives every command: Russian, with advice in the
// page's terms.
export const pageOptions = ["--lang", "ru", "--advice", "page"];

// Runs `texttoxml COMMAND ARGS` in the folder `cwd` as the page runs it.
export function runCli([command, ...args], cwd) {
  const result = spawnSync(cliPath, [command, ...pageOptions, ...args], {cwd, maxBuffer: 1 << 30});
  if (result.error) throw result.error;
  return {status: result.status, stdout: result.stdout, stderr: result.stderr.toString("utf8")};
}

// The findings of `check --format json` for one text.
export function cliFindings(name, cwd, encoding = "auto") {
  const {stdout} = runCli(["check", "--format", "json", "--encoding", encoding, "--", name], cwd);
  return JSON.parse(stdout.toString("utf8")).files[0].findings;
}
