// The worker side of the page: each request puts the text and its pictures
// into a fresh folder of the in-memory file system, runs the command line
// there (the text's folder is the current folder, as when a teacher runs
// `texttoxml` beside the text), reads back what it wrote and removes the
// folder again. Nothing here reaches the network.
"use strict";

const modulePromise = createTextToXML();
let jobs = 0;

// A name as the file system must hold it: relative, and inside the folder.
function checkRelativeName(name) {
  const parts = name.split("/");
  const bad = name.startsWith("/") || name.includes("\0") ||
      parts.some((part) => part === "" || part === "." || part === "..");
  if (bad) throw new Error(`${name}: not a file name inside the text's folder`);
  return parts;
}

function writeFile(FS, root, name, bytes) {
  const parts = checkRelativeName(name);
  let folder = root;
  for (const part of parts.slice(0, -1)) {
    folder += "/" + part;
    if (!FS.analyzePath(folder).exists) FS.mkdir(folder);
  }
  FS.writeFile(`${root}/${name}`, bytes);
}

function removeTree(FS, path) {
  if (FS.isDir(FS.lstat(path).mode)) {
    for (const entry of FS.readdir(path)) {
      if (entry !== "." && entry !== "..") removeTree(FS, `${path}/${entry}`);
    }
    FS.rmdir(path);
  } else {
    FS.unlink(path);
  }
}

// Runs the command line; returns its exit status, standard output and messages.
function run(Module, args) {
  const encoder = new TextEncoder();
  const encoded = args.map((arg) => encoder.encode(arg + "\0"));
  const size = encoded.reduce((total, bytes) => total + bytes.length, 0);
  const buffer = Module._malloc(size);
  let at = buffer;
  for (const bytes of encoded) {
    Module.HEAPU8.set(bytes, at);
    at += bytes.length;
  }
  let status;
  try {
    status = Module.ccall("texttoxml_run", "number", ["number", "number", "string", "string"],
                          [buffer, size, "/run.out", "/run.messages"]);
  } finally {
    Module._free(buffer);
  }
  const output = Module.FS.readFile("/run.out");
  const messages = Module.FS.readFile("/run.messages", {encoding: "utf8"});
  Module.FS.unlink("/run.out");
  Module.FS.unlink("/run.messages");
  return {status, output, messages};
}

// The command line's message, without the line break it ends with. A full
// path names the folder of this request, which means nothing to the
// teacher; the file's name inside what was dropped does.
function failure(Module, result) {
  const message = result.messages.replace(/\n+$/, "").split(Module.FS.cwd() + "/").join("");
  return new Error(message);
}

function commonOptions(request) {
  return ["--encoding", request.encoding || "auto"];
}

// The one input's entry of the command line's JSON report: check's on its
// standard output, convert's with its messages.
function reportOf(Module, result, json) {
  try {
    return JSON.parse(json).files[0];
  } catch {
    throw failure(Module, result);  // a usage error or the program's own end
  }
}

const commands = {
  check(Module, request) {
    const result = run(Module, ["check", "--format", "json", ...commonOptions(request), "--",
                                request.name]);
    const report = reportOf(Module, result, new TextDecoder().decode(result.output));
    if (report.error !== undefined) {
      throw failure(Module, {messages: `${request.name}: ${report.error}`});
    }
    return report;
  },
  preview(Module, request) {
    const result = run(Module, ["preview", ...commonOptions(request), "-o", "-", "--",
                                request.name]);
    if (result.status !== 0) throw failure(Module, result);
    return new TextDecoder().decode(result.output);
  },
  // The findings come from the reading that wrote the XML.
  convert(Module, request) {
    const date = request.date ? ["--date", request.date] : [];
    const result = run(Module, ["convert", "--format", "json", ...commonOptions(request), ...date,
                                "-o", "-", "--", request.name]);
    const report = reportOf(Module, result, result.messages);
    if (report.error !== undefined) throw failure(Module, {messages: report.error});
    return {xml: result.output, findings: report.findings, report};
  },
};

async function handle(request, progress) {
  const Module = await modulePromise;
  const FS = Module.FS;
  if (!commands.hasOwnProperty(request.command)) {
    throw new Error(`unknown command ${request.command}`);
  }
  checkRelativeName(request.name);
  if (request.name.includes("/")) throw new Error(`${request.name}: a text's name has no folder`);
  const root = `/job${++jobs}`;
  FS.mkdir(root);
  try {
    for (const [name, bytes] of Object.entries(request.pictures || {})) {
      writeFile(FS, root, name, bytes);
    }
    writeFile(FS, root, request.name, request.text);
    FS.chdir(root);
    progress(request.command === "convert" ? "converting" : request.command);
    return commands[request.command](Module, request, progress);
  } finally {
    FS.chdir("/");
    removeTree(FS, root);
  }
}

self.onmessage = async (event) => {
  const {id} = event.data;
  const progress = (stage) => self.postMessage({id, progress: stage});
  try {
    const result = await handle(event.data, progress);
    const transfer = result && result.xml ? [result.xml.buffer] : [];
    self.postMessage({id, result}, transfer);
  } catch (error) {
    self.postMessage({id, error: error.message});
  }
};
