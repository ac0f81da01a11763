// The page's controls: the dropped or chosen files, the text among them, and
// the three commands, all through window.TextToXML.
"use strict";

(() => {
  const $ = (id) => document.getElementById(id);
  // Every dropped or chosen file under its path inside what was dropped.
  let files = [];

  const stageNames = {
    started: "Подготовка…",
    converting: "Преобразование…",
    handing: "Сохранение…",
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
  // every file in it or below may be a picture under its relative name. The
  // files go to the worker unread; it reads the text and only the pictures
  // the text names.
  function currentRequest() {
    const text = files[Number($("text-file").value)];
    const root = folderOf(text.path);
    const pictures = {};
    for (const entry of files) {
      if (entry !== text && entry.path.startsWith(root)) {
        pictures[entry.path.slice(root.length)] = entry.file;
      }
    }
    return {
      name: text.path.slice(root.length),
      text: text.file,
      pictures,
      encoding: $("encoding").value,
      onProgress: (stage) => {
        performance.mark(`texttoxml:${stage}`);
        $("stage").textContent = stageNames[stage] || "";
      },
    };
  }

  // The text offered first: the only task text at the top of what was
  // chosen; among several the teacher chooses.
  function firstText(candidates) {
    const depth = (entry) => entry.path.split("/").length;
    const top = Math.min(...candidates.map(depth));
    const atTop = candidates.filter((entry) => depth(entry) === top);
    return atTop.length === 1 ? atTop[0] : undefined;
  }

  function enableActions() {
    const chosen = $("text-file").value !== "";
    for (const id of ["convert", "check", "preview"]) $(id).disabled = !chosen;
  }

  function showFiles() {
    const select = $("text-file");
    select.replaceChildren();
    // A Word document is read by its content wherever it is chosen; the
    // names only decide what is offered first.
    const isText = (entry) => /\.(txt|docx)$/i.test(entry.path);
    const candidates = files.some(isText) ? files.filter(isText) : files;
    const first = candidates.length === 0 ? undefined : firstText(candidates);
    if (candidates.length > 0 && first === undefined) {
      select.append(new Option("— выберите файл —", "", true, true));
    }
    for (const entry of candidates) {
      select.append(new Option(entry.path, String(files.indexOf(entry)), false, entry === first));
    }
    select.disabled = candidates.length === 0;
    enableActions();
    $("chosen").textContent = candidates.length === 0 ? "Файлы не выбраны."
        : `Выбрано файлов: ${files.length}.`;
  }

  // Settles the question of saving a text with warnings, if one is open.
  let answerSave = () => {};

  function clearResult() {
    answerSave(false);
    for (const id of ["error", "summary", "findings", "saved", "ask-save", "preview-frame"]) {
      $(id).hidden = true;
    }
  }

  function showError(message) {
    $("error").textContent = message;
    $("error").hidden = false;
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
  }

  const kindNames = [
    ["single_choice", "одиночный выбор"], ["multiple_choice", "множественный выбор"],
    ["ordering", "упорядочение"], ["number_entry", "ввод числа"], ["text_entry", "ввод текста"],
    ["not_a_task", "не задание"],
  ];

  // What the text holds, as the command line's summary says it.
  function summaryText(report) {
    const kinds = kindNames.filter(([key]) => report.tasks[key] > 0)
        .map(([key, name]) => `${name} — ${report.tasks[key]}`);
    return `Заданий: ${report.tasks.total}` + (kinds.length > 0 ? ` (${kinds.join(", ")})` : "") +
        `. Рисунков найдено: ${report.pictures.found}, не найдено: ${report.pictures.missing}.` +
        ` Предупреждений: ${report.warnings}, примечаний: ${report.notes}.`;
  }

  function showReport(report) {
    showFindings(report.findings);
    $("summary").textContent = report.findings.length === 0
        ? `Замечаний нет. ${summaryText(report)}` : summaryText(report);
    $("summary").hidden = false;
  }

  // Asks whether to save a text with warnings; resolves to the answer.
  function askSave(warnings) {
    $("ask-save-text").textContent = `Проверка нашла предупреждений: ${warnings}. ` +
        "Файл XML ещё не сохранён: исправьте текст по замечаниям ниже или сохраните его как есть.";
    $("ask-save").hidden = false;
    $("progress").hidden = true;
    $("save-anyway").focus();
    return new Promise((resolve) => {
      answerSave = (save) => {
        answerSave = () => {};
        $("ask-save").hidden = true;
        resolve(save);
      };
    });
  }

  function download(blob, name) {
    const link = document.createElement("a");
    link.href = URL.createObjectURL(blob);
    link.download = name;
    link.click();
    setTimeout(() => URL.revokeObjectURL(link.href), 60000);
  }

  // A text that holds no task is not saved; one with warnings only when
  // the teacher says so, after seeing them.
  const actions = {
    async convert(request) {
      const {xml, report} = await window.TextToXML.convert(request);
      performance.mark("texttoxml:received");
      showReport(report);
      if (report.tasks.total === report.tasks.not_a_task) {
        showError("В тексте не найдено ни одного задания, поэтому XML не сохранён. " +
            "Задания отделяются пустой строкой; ответы начинаются с «+», «-», «=» или номера.");
        return;
      }
      if (report.warnings > 0 && !await askSave(report.warnings)) return;
      const name = xmlName(request.name);
      download(xml, name);
      $("saved").textContent = `Сохранён файл ${name} (${xml.size} байт).`;
      $("saved").hidden = false;
    },
    async check(request) {
      showReport(await window.TextToXML.check(request));
    },
    async preview(request) {
      $("preview-frame").srcdoc = await window.TextToXML.preview(request);
      $("preview-frame").hidden = false;
    },
  };

  // Each action marks its start, the worker's stages and its end, which
  // the benchmark reads to tell where the time goes.
  async function runAction(name) {
    performance.clearMarks();
    performance.mark("texttoxml:start");
    clearResult();
    for (const id of ["convert", "check", "preview"]) $(id).disabled = true;
    $("progress").hidden = false;
    try {
      await actions[name](currentRequest());
    } catch (error) {
      showError(error.message);
    } finally {
      $("progress").hidden = true;
      enableActions();
      performance.mark("texttoxml:end");
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
  $("text-file").addEventListener("change", () => {
    clearResult();
    enableActions();
  });
  $("save-anyway").addEventListener("click", () => answerSave(true));
  $("go-back").addEventListener("click", () => answerSave(false));
  for (const name of Object.keys(actions)) {
    $(name).addEventListener("click", () => runAction(name));
  }
})();
