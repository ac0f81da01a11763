#!/usr/bin/python3
"""Writes a Word document of N_TASKS tasks holding N_PICTURES pictures, for
the benchmark of reading a document against reading its text.

    bench/make_docx.py [N_TASKS [N_PICTURES]] OUT.docx

Beside OUT.docx it writes OUT.txt, the task text the document reads to
(UTF-8 with a byte order mark, CR LF), and every picture under the name the
text gives it, so that the text converts with the same picture files.
Defaults: 2,000 tasks, 300 pictures. The pictures are PNG, JPEG and BMP
files of a few KB to about 100 KB, each used once: as a question picture
(a paragraph of the picture alone) or as a picture variant ("+" or "-"
followed by the picture). The same arguments give the same files.

Needs python3-docx, python3-lxml and python3-pil (scripts/install-deps.sh
--testdata).
"""

import io
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                "..", "tests", "data", "docx"))

from PIL import Image  # noqa: E402

from docx_writer import (WordDocument, inline_picture, paragraph, run,  # noqa: E402
                         text_paragraph)

DEFAULT_TASKS = 2000
DEFAULT_PICTURES = 300
PICTURE_KINDS = [("png", "PNG", "image/png"), ("jpg", "JPEG", "image/jpeg"),
                 ("bmp", "BMP", "image/bmp")]
MONTHS = ["январь", "февраль", "март", "апрель", "май", "июнь", "июль",
          "август", "сентябрь", "октябрь", "ноябрь", "декабрь"]
SPRING = [2, 3, 4]
VARIANTS_PER_PICTURE_TASK = 3


def picture(rng, kind):
    """A picture whose size in its file ranges from a few KB to about
    100 KB: a gradient with noise over part of it, since noise is what
    PNG and JPEG cannot compress."""
    _, format_name, _ = kind
    side_limit = 180 if format_name != "JPEG" else 260
    width, height = rng.randint(60, side_limit), rng.randint(60, side_limit)
    size = (width, height)
    vertical = Image.linear_gradient("L").resize(size)
    horizontal = Image.linear_gradient("L").transpose(Image.Transpose.ROTATE_90).resize(size)
    image = Image.merge("RGB", (vertical, horizontal, Image.new("L", size, rng.randint(0, 255))))
    noisy_rows = int(height * rng.uniform(0.2, 1.0))
    noise = Image.frombytes("RGB", (width, noisy_rows), rng.randbytes(width * noisy_rows * 3))
    image.paste(noise, (0, 0))
    buffer = io.BytesIO()
    options = {"quality": 90} if format_name == "JPEG" else {}
    image.save(buffer, format_name, **options)
    return buffer.getvalue(), (width, height)


def make_pictures(count, rng):
    """(name, content type, bytes, pixel size) for each picture, the kinds
    taking turns."""
    pictures = []
    for index in range(count):
        kind = PICTURE_KINDS[index % len(PICTURE_KINDS)]
        data, size = picture(rng, kind)
        pictures.append((f"p{index + 1:04d}.{kind[0]}", kind[2], data, size))
    return pictures


def text_task(number, rng):
    """A task without pictures, of one of the five kinds the syntax has.
    Questions start with a word: a digit would start an answer."""
    month = number % 12
    kind = number % 5
    if kind == 0:
        wrong = rng.sample([m for i, m in enumerate(MONTHS) if i != (month + 1) % 12], 4)
        variants = [f"+ {MONTHS[(month + 1) % 12]}"] + [f"- {m}" for m in wrong]
        rng.shuffle(variants)
        return [f"Вопрос {number}. Какой месяц идет после месяца {MONTHS[month]}?"] + variants
    if kind == 1:
        spring = rng.sample(SPRING, rng.randint(1, len(SPRING)))
        others = rng.sample([i for i in range(12) if i not in SPRING], 5 - len(spring))
        return ([f"Вопрос {number}. Отметьте весенние месяцы."]
                + [f"{'+' if i in SPRING else '-'} {MONTHS[i]}"
                   for i in sorted(spring + others)])
    if kind == 2:
        order = rng.sample(range(1, 6), 5)
        return ([f"Вопрос {number}. Укажите порядок следования месяцев:"]
                + [f"{position}. {MONTHS[position - 1]}" for position in order])
    if kind == 3:
        return [f"Вопрос {number}. Каким по счету идет месяц {MONTHS[month]}?", f"= {month + 1}"]
    return [f"Вопрос {number}. Какой месяц идет после месяца {MONTHS[month]}?",
            f"= {MONTHS[(month + 1) % 12]}"]


def picture_task(number, pictures):
    """A question with a picture (one picture) or picture variants (three),
    as a list of lines and the pictures they name, in order."""
    if len(pictures) == 1:
        return [f"Вопрос {number}. Что изображено на рисунке?", "PICTURE", "= рисунок"]
    return ([f"Вопрос {number}. Какой рисунок первый?"]
            + ["+PICTURE"] + ["-PICTURE"] * (len(pictures) - 1))


def plan(task_count, pictures):
    """The tasks as lists of (line, picture or None); picture tasks are
    spread evenly, alternating one and three pictures, until every picture
    is used."""
    rng = random.Random(task_count)
    remaining = list(pictures)
    picture_tasks_needed = -(-len(remaining) // 2)
    if picture_tasks_needed > task_count:
        raise SystemExit(f"{len(remaining)} pictures need at least "
                         f"{picture_tasks_needed} tasks")
    spacing = task_count / picture_tasks_needed if picture_tasks_needed else task_count + 1
    tasks = []
    picture_tasks = 0
    next_picture_task = 0.0
    for number in range(1, task_count + 1):
        if remaining and number - 1 >= next_picture_task:
            alone = picture_tasks % 2 == 0 or len(remaining) < VARIANTS_PER_PICTURE_TASK
            want = 1 if alone else VARIANTS_PER_PICTURE_TASK
            picture_tasks += 1
            used, remaining = remaining[:want], remaining[want:]
            lines = picture_task(number, used)
            pictures_in_order = iter(used)
            tasks.append([(line, next(pictures_in_order) if "PICTURE" in line else None)
                          for line in lines])
            next_picture_task += spacing
        else:
            tasks.append([(line, None) for line in text_task(number, rng)])
    return tasks


def write(task_count, picture_count, out_path):
    rng = random.Random(picture_count)
    pictures = make_pictures(picture_count, rng)
    document = WordDocument()
    body, text_lines = [], []
    for index, task in enumerate(plan(task_count, pictures)):
        if index:
            body.append(paragraph())
            text_lines.append("")
        for line, picture_entry in task:
            if picture_entry is None:
                body.append(text_paragraph(line))
                text_lines.append(line)
                continue
            name, content_type, data, (width, height) = picture_entry
            rel_id = document.add_picture_part(f"/word/media/{name}", content_type, data)
            marker = line.replace("PICTURE", "")
            shape_id = len(text_lines) + 1
            body.append(paragraph((run(marker) if marker else "")
                                  + inline_picture(rel_id, shape_id, name,
                                                   width * 0.75, height * 0.75)))
            text_lines.append(f"{marker}[{name}]")
    document.add("".join(body))
    document.save(out_path)
    folder = os.path.dirname(os.path.abspath(out_path))
    with open(os.path.splitext(out_path)[0] + ".txt", "w", encoding="utf-8-sig",
              newline="\r\n") as text:
        text.write("".join(line + "\n" for line in text_lines))
    for name, _, data, _ in pictures:
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def main(arguments):
    if not arguments or len(arguments) > 3 or not arguments[-1].endswith(".docx"):
        raise SystemExit(__doc__)
    numbers = [int(argument) for argument in arguments[:-1]]
    task_count = numbers[0] if numbers else DEFAULT_TASKS
    picture_count = numbers[1] if len(numbers) > 1 else DEFAULT_PICTURES
    write(task_count, picture_count, arguments[-1])


if __name__ == "__main__":
    main(sys.argv[1:])
