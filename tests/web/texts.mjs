// Task texts the tests write: one that warns, and a large generated one.
import {cp, mkdtemp, rm, writeFile} from "node:fs/promises";
import {tmpdir} from "node:os";
import path from "node:path";

const folders = [];

export async function tempFolder() {
  const folder = await mkdtemp(path.join(tmpdir(), "texttoxml-web-"));
  folders.push(folder);
  return folder;
}

export async function removeTempFolders() {
  for (const folder of folders.splice(0)) await rm(folder, {recursive: true, force: true});
}

// Slips that check reports: a question starting with a number, answers
// without positions, a choice without "+", a duplicate position, a
// non-number entry answer, a missing picture, an eleventh answer.
export const warningText = [
  "Сколько будет 2 + 2?", "2 четыре", "- три", "+ пять", "",
  "Выберите верное:", "- да", "- нет", "",
  "Расставьте по порядку:", "1. один", "1. два", "",
  "Сколько лап у кошки?", "= 4", "= четыре", "",
  "Кто изображен на портрете?", "[Pushkin.jpeg]", "= Пушкин", "",
  "Одиннадцать ответов:", ...Array.from({length: 11}, (_, i) => `- ответ ${i + 1}`), "",
].join("\r\n");

// COUNT tasks, every kind in turn, the same text on every run.
export function generatedTasks(count) {
  const kinds = [
    (n) => [`Вопрос ${n}: какой ответ верный?`, "- неверный", `+ верный ${n}`, "- другой", "- ещё"],
    (n) => [`Вопрос ${n}: отметьте верные.`, `+ первый ${n}`, "- второй", `+ третий ${n}`],
    (n) => [`Вопрос ${n}: расставьте по порядку.`, "1. один", "3. три", "2. два", "4. четыре"],
    (n) => [`Вопрос ${n}: сколько будет ${n} + 1?`, `= ${n + 1}`],
    (n) => [`Вопрос ${n}: площадь и периметр.`, `= {площадь:} ${n * 2}`, `= {периметр:} ${n + 6}`],
    (n) => [`Вопрос ${n}: какое слово задумано?`, `= слово${n}`],
  ];
  const lines = [];
  for (let n = 1; n <= count; ++n) lines.push(...kinds[n % kinds.length](n), "");
  return lines.join("\r\n");
}

// A folder with one text that names every picture given, each as the
// question picture of one task and as a picture variant of another.
export async function pictureFolder(pictures) {
  const folder = await tempFolder();
  const lines = [];
  for (const [index, source] of pictures.entries()) {
    const name = `${index}-${path.basename(source)}`;
    await cp(source, path.join(folder, name));
    lines.push(`Рисунок ${index}:`, `[${name}]`, "= да", "");
    lines.push(`Какой рисунок ${index}?`, `+[${name}]`, "- никакой", "");
  }
  await writeFile(path.join(folder, "pictures.txt"), lines.join("\r\n"));
  return folder;
}

export async function textFolder(name, text) {
  const folder = await tempFolder();
  await writeFile(path.join(folder, name), text);
  return folder;
}
