// The worker side of the page: each request mounts the text and its
// pictures, as the files the page was given, read-only in a fresh folder of
// the module's file system and runs the command line there (the text's
// folder is the current folder, as when a teacher runs `texttoxml` beside
// the text). A file is read only when the command line opens it, so a
// picture the text does not name is never read. Nothing here reaches the
// network.
"use strict";

// One module serves every request, made as the page opens so that it is
// ready when the teacher presses a button; one that had to grow large is
// replaced after its request, so that a tab that converted a huge text (or
// ran out of memory) gives the memory back.
const kKeptMemory = 512 * 1024 * 1024;
let modulePromise = readyModule();

// V8 first runs WebAssembly as quickly made code and optimises a function
// only once it is hot, so the first conversion of a large text would spend
// most of its time in code several times slower. Converting a small text
// of every kind of task, and a small bitmap, as the module starts makes the
// hot functions optimised before the teacher has chosen the files.
function warmUp(Module) {
  const kinds = [
    (n) => `Вопрос ${n}?\r\n- нет\r\n+ да ${n}\r\n- другой`,
    (n) => `Вопрос ${n}: отметьте.\r\n+ первый\r\n- второй\r\n+ третий ${n}`,
    (n) => `Вопрос ${n}: по порядку.\r\n1. один\r\n3. три\r\n2. два`,
    (n) => `Вопрос ${n}: сколько?\r\n= ${n}`,
    (n) => `Вопрос ${n}: слово.\r\n= {слово:} слово${n}`,
    (n) => `Рисунок ${n}?\r\n+[warm.bmp]\r\n- нет`,
  ];
  const tasks = Array.from({length: 600}, (_, n) => kinds[n % kinds.length](n));
  const blobs = [{name: "warm.txt", data: new Blob([tasks.join("\r\n\r\n")])},
                 {name: "warm.bmp", data: new Blob([smallBitmap(48, 32)])}];
  for (let round = 0; round < 2; ++round) {
    withFiles(Module, blobs, () => run(Module, ["convert", "--format", "json", "-o", "-", "warm.txt"], {asBlobs: true}));
  }
}

// A 24-bit bottom-up bitmap of a colour gradient.
function smallBitmap(width, height) {
  const row = Math.ceil(width * 3 / 4) * 4;
  const bytes = new Uint8Array(54 + row * height);
  const view = new DataView(bytes.buffer);
  bytes.set([0x42, 0x4d]);
  view.setUint32(2, bytes.length, true);
  view.setUint32(10, 54, true);
  view.setUint32(14, 40, true);
  view.setInt32(18, width, true);
  view.setInt32(22, height, true);
  view.setUint16(26, 1, true);
  view.setUint16(28, 24, true);
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) bytes.set([x * 5, y * 7, (x + y) * 3], 54 + y * row + x * 3);
  }
  return bytes;
}

async function readyModule() {
  const Module = await createTextToXML();
  warmUp(Module);
  return Module;
}
let jobs = 0;

// A name as the file system must hold it: relative, and inside the folder.
function checkRelativeName(name) {
  const parts = name.split("/");
  const bad = name.startsWith("/") || name.includes("\0") ||
      parts.some((part) => part === "" || part === "." || part === "..");
  if (bad) throw new Error(`${name}: not a file name inside the text's folder`);
  return parts;
}

const asBlob = (data) => (data instanceof Blob ? data : new Blob([data]));

// Runs the command line; returns its exit status, what it wrote to standard
// output (as pieces: Blobs when `asBlobs`, so that a document is copied out
// of the module once, else Uint8Arrays) and its messages. `progress` is
// told of the tasks converted.
function run(Module, args, {progress = () => {}, asBlobs = false} = {}) {
  const output = [];
  let messages = "";
  Module.takeOutput = (view) => output.push(asBlobs ? new Blob([view]) : view.slice());
  Module.takeMessages = (text) => { messages += text; };
  Module.takeProgress = (done, total) => progress("converting", done, total);
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
    status = Module.ccall("texttoxml_run", "number", ["number", "number"], [buffer, size]);
  } catch (error) {
    Module.broken = true;  // aborted, most likely out of memory: never used again
    throw error;
  } finally {
    if (!Module.broken) Module._free(buffer);
  }
  return {status, output, messages};
}

// The command line's message, without the line break it ends with. A full
// path names the folder of this request, which means nothing to the
// teacher; the file's name inside what was dropped does.
function failure(Module, messages) {
  return new Error(messages.replace(/\n+$/, "").split(Module.FS.cwd() + "/").join(""));
}

// The page speaks Russian, and its advice names its own controls (the
// encoding list) rather than the command line's options.
function commonOptions(request) {
  return ["--lang", "ru", "--advice", "page", "--encoding", request.encoding || "auto"];
}

// The one input's entry of the command line's JSON report: check's on its
// standard output, convert's with its messages.
function reportOf(Module, result, json) {
  try {
    return JSON.parse(json).files[0];
  } catch {
    throw failure(Module, result.messages);  // a usage error or the program's own end
  }
}

function decodeAll(pieces) {
  const all = new Uint8Array(pieces.reduce((size, piece) => size + piece.length, 0));
  let at = 0;
  for (const piece of pieces) {
    all.set(piece, at);
    at += piece.length;
  }
  return new TextDecoder().decode(all);
}

const commands = {
  check(Module, request) {
    const result = run(Module, ["check", "--format", "json", ...commonOptions(request), "--",
                                request.name]);
    const report = reportOf(Module, result, decodeAll(result.output));
    if (report.error !== undefined) throw failure(Module, `${request.name}: ${report.error}`);
    return report;
  },
  // The page as a Blob the page shows by its address, never as one long
  // string to parse on the page's own thread.
  preview(Module, request) {
    const result = run(Module, ["preview", ...commonOptions(request), "-o", "-", "--",
                                request.name], {asBlobs: true});
    if (result.status !== 0) throw failure(Module, result.messages);
    return new Blob(result.output, {type: "text/html"});
  },
  // The findings come from the reading that wrote the XML, which reaches
  // the page as a Blob made of the pieces as they were written.
  convert(Module, request, progress) {
    const date = request.date ? ["--date", request.date] : [];
    const result = run(Module, ["convert", "--format", "json", ...commonOptions(request), ...date,
                                "-o", "-", "--", request.name], {progress, asBlobs: true});
    const report = reportOf(Module, result, result.messages);
    if (report.error !== undefined) throw failure(Module, report.error);
    progress("handing");
    const xml = new Blob(result.output, {type: "application/xml"});
    return {xml, findings: report.findings, report};
  },
};

// The request's files as the mount takes them: the text and every picture
// under its relative name.
function mountedFiles(request) {
  const blobs = [{name: request.name, data: asBlob(request.text)}];
  for (const [name, data] of Object.entries(request.pictures || {})) {
    checkRelativeName(name);
    if (name !== request.name) blobs.push({name, data: asBlob(data)});
  }
  return blobs;
}

// Megabytes as Russian writes them: "24,0".
const megabytes = (bytes) => (bytes / 1e6).toFixed(1).replace(".", ",");

// The module stopped on its own: the browser gave it no more memory. The
// teacher is told in the page's words, with the size that was too much and
// the size the memory it had would take: the conversion needs about three
// times its text (the command line's own measure).
function outOfMemory(blobs, memory) {
  const size = blobs.reduce((total, blob) => total + blob.data.size, 0);
  return new Error(`Браузеру не хватило памяти, чтобы обработать ${megabytes(size)} МБ файлов: ` +
      `он дал преобразованию ${megabytes(memory)} МБ, а этого хватает для текста примерно ` +
      `до ${megabytes(memory / 3)} МБ. Закройте другие вкладки и попробуйте ещё раз или ` +
      "преобразуйте текст программой texttoxml на компьютере.");
}

async function handle(request, progress) {
  progress("started");
  if (!commands.hasOwnProperty(request.command)) {
    throw new Error(`unknown command ${request.command}`);
  }
  checkRelativeName(request.name);
  if (request.name.includes("/")) throw new Error(`${request.name}: a text's name has no folder`);
  const blobs = mountedFiles(request);
  const Module = await modulePromise;
  try {
    return withFiles(Module, blobs, () => {
      progress(request.command === "convert" ? "converting" : request.command);
      return commands[request.command](Module, request, progress);
    });
  } catch (error) {
    if (Module.broken) throw outOfMemory(blobs, Module.HEAPU8.length);
    throw error;
  } finally {
    if (Module.broken || Module.HEAPU8.length > kKeptMemory) modulePromise = readyModule();
  }
}

// Runs `action` with `blobs` mounted in a fresh folder, the current one.
function withFiles(Module, blobs, action) {
  const FS = Module.FS;
  const root = `/job${++jobs}`;
  FS.mkdir(root);
  FS.mount(FS.filesystems.WORKERFS, {blobs}, root);
  try {
    FS.chdir(root);
    return action();
  } finally {
    FS.chdir("/");
    FS.unmount(root);
    FS.rmdir(root);
  }
}

// Resolves once the module is made and warmed up.
async function ready() {
  await modulePromise;
  return true;
}

self.onmessage = async (event) => {
  const {id} = event.data;
  const progress = (stage, done, total) => self.postMessage({id, progress: {stage, done, total}});
  try {
    const result = event.data.command === "ready" ? await ready() : await handle(event.data, progress);
    self.postMessage({id, result});
  } catch (error) {
    self.postMessage({id, error: error.message});
  }
};
