// The page's controls: the dropped or chosen files, the text among them, and
// the three commands, all through window.TextToXML.
"use strict";

(() => {
  const $ = (id) => document.getElementById(id);
  // Every dropped or chosen file under its path inside what was dropped.
  let files = [];

  const stageNames = {
    converting: "Преобразование…",
    checking: "Проверка…",
    check: "Проверка…",
    preview: "Подготовка просмотра…",
  };

  function folderOf(path) {
    const slash = path.lastIndexOf("/");
    return slash < 0 ? "" : path.slice(0, slash + 1);
  }

  // The XML's name as the command line gives it: the extension replaced by
  // ".xml" (a leading dot starts no extension).
  function xmlName(name) {
    const dot = name.lastIndexOf(".");
    return (dot <= 0 ? name : name.slice(0, dot)) + ".xml";
  }

  // The request for the chosen text: the text's folder is the root, so
  // every file in it or below becomes a picture under its relative name.
  async function currentRequest() {
    const text = files[Number($("text-file").value)];
    const root = folderOf(text.path);
    const pictures = {};
    for (const entry of files) {
      if (entry !== text && entry.path.startsWith(root)) {
        pictures[entry.path.slice(root.length)] = new Uint8Array(await entry.file.arrayBuffer());
      }
    }
    return {
      name: text.path.slice(root.length),
      text: new Uint8Array(await text.file.arrayBuffer()),
      pictures,
      encoding: $("encoding").value,
      onProgress: (stage) => { $("stage").textContent = stageNames[stage] || ""; },
    };
  }

  function showFiles() {
    const select = $("text-file");
    select.replaceChildren();
    // A Word document is read by its content wherever it is chosen; the
    // names only decide what is offered first.
    const isText = (entry) => /\.(txt|docx)$/i.test(entry.path);
    const candidates = files.some(isText) ? files.filter(isText) : files;
    for (const entry of candidates) {
      select.append(new Option(entry.path, String(files.indexOf(entry))));
    }
    const none = candidates.length === 0;
    select.disabled = none;
    for (const id of ["convert", "check", "preview"]) $(id).disabled = none;
    $("chosen").textContent = none ? "Файлы не выбраны."
        : `Выбрано файлов: ${files.length}.`;
  }

  function clearResult() {
    for (const id of ["error", "summary", "findings", "saved", "preview-frame"]) $(id).hidden = true;
  }

  function showFindings(findings) {
    const body = $("findings").tBodies[0];
    body.replaceChildren();
    for (const finding of findings) {
      const row = body.insertRow();
      // A Word document's finding stands at a paragraph, which its first
      // words help to find in Word.
      row.insertCell().textContent = finding.paragraph === undefined ? String(finding.line)
          : `абзац ${finding.paragraph} («${finding.words}»)`;
      const severity = row.insertCell();
      severity.textContent = finding.severity === "warning" ? "предупреждение" : "примечание";
      severity.className = finding.severity;
      row.insertCell().textContent = finding.message;
    }
    $("findings").hidden = findings.length === 0;
    $("summary").textContent = findings.length === 0 ? "Замечаний нет."
        : `Замечаний: ${findings.length}.`;
    $("summary").hidden = false;
  }

  function download(bytes, name) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(new Blob([bytes], {type: "application/xml"}));
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  const actions = {
    async convert(request) {
      const {xml, findings} = await window.TextToXML.convert(request);
      showFindings(findings);
      const name = xmlName(request.name);
      download(xml, name);
      $("saved").textContent = `Сохранён файл ${name} (${xml.length} байт).`;
      $("saved").hidden = false;
    },
    async check(request) {
      showFindings((await window.TextToXML.check(request)).findings);
    },
    async preview(request) {
      $("preview-frame").srcdoc = await window.TextToXML.preview(request);
      $("preview-frame").hidden = false;
    },
  };

  async function runAction(name) {
    clearResult();
    const buttons = ["convert", "check", "preview"].map($);
    buttons.forEach((button) => { button.disabled = true; });
    $("progress").hidden = false;
    try {
      await actions[name](await currentRequest());
    } catch (error) {
      $("error").textContent = error.message;
      $("error").hidden = false;
    } finally {
      $("progress").hidden = true;
      buttons.forEach((button) => { button.disabled = false; });
    }
  }

  function choose(fileList) {
    files = Array.from(fileList, (file) => ({path: file.webkitRelativePath || file.name, file}));
    clearResult();
    showFiles();
  }

  // A dropped folder arrives as entries to walk; its files keep their paths.
  async function entryFiles(entry) {
    if (entry.isFile) {
      const file = await new Promise((resolve, reject) => entry.file(resolve, reject));
      return [{path: entry.fullPath.replace(/^\//, ""), file}];
    }
    const reader = entry.createReader();
    const found = [];
    for (;;) {
      const batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject));
      if (batch.length === 0) return found;
      for (const child of batch) found.push(...await entryFiles(child));
    }
  }

  async function drop(event) {
    event.preventDefault();
    $("files").classList.remove("over");
    const entries = Array.from(event.dataTransfer.items, (item) => item.webkitGetAsEntry())
        .filter(Boolean);
    files = [];
    for (const entry of entries) files.push(...await entryFiles(entry));
    clearResult();
    showFiles();
  }

  $("choose-files").addEventListener("change", (event) => choose(event.target.files));
  $("choose-folder").addEventListener("change", (event) => choose(event.target.files));
  $("files").addEventListener("dragover", (event) => {
    event.preventDefault();
    $("files").classList.add("over");
  });
  $("files").addEventListener("dragleave", () => $("files").classList.remove("over"));
  $("files").addEventListener("drop", drop);
  for (const name of Object.keys(actions)) {
    $(name).addEventListener("click", () => runAction(name));
  }
})();
