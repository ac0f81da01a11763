#!/usr/bin/python3
"""Makes the Word documents the document reader is tested on, each with the
task text it must read from it (NAME.expected.txt), and the refused ones
with a phrase of their error (NAME.expected-error.txt, see hostile.py).

Run from anywhere: ./make_documents.py [--no-hostile]
Writes into the folder of this script. Needs python3-docx, python3-lxml,
python3-pil, and LibreOffice for the two documents it saves itself.
"""

import io
import os
import re
import sys

from docx.opc.constants import RELATIONSHIP_TYPE as RT
from PIL import Image, ImageDraw

import hostile
from docx_writer import (CONTENT_TYPE_OLE_OBJECT, NAMESPACES, WordDocument,
                         drawing_graphic, emu, escape, inline_picture, paragraph,
                         rewrite_package, run, text_paragraph, write_expected)
from numbering_xml import (abstract_numbering, level, numbering_instance,
                           numbering_part)
from wmf import metafile

HERE = os.path.dirname(os.path.abspath(__file__))
EXAMPLES = os.path.join(HERE, "..", "..", "..", "examples")


def out(name):
    return os.path.join(HERE, name)


def save(document, name, expected_lines):
    document.save(out(name + ".docx"))
    write_expected(out(name + ".expected.txt"), expected_lines)


def small_png(colour, size=(40, 30)):
    """A small picture with a frame, distinct by its colour."""
    image = Image.new("RGB", size, colour)
    ImageDraw.Draw(image).rectangle([0, 0, size[0] - 1, size[1] - 1],
                                    outline=(0, 0, 0))
    buffer = io.BytesIO()
    image.save(buffer, "PNG", optimize=True)
    return buffer.getvalue()


def picture_size_points(data):
    """The size Word gives a picture of no stated resolution: 96 pixels an
    inch, 72 points an inch."""
    width, height = Image.open(io.BytesIO(data)).size
    return width * 0.75, height * 0.75


def read_example(name):
    with open(os.path.join(EXAMPLES, name), "rb") as f:
        return f.read()


# --- the bundled sample ---------------------------------------------------

def make_sample():
    """examples/sample.txt as Word would hold it: one paragraph a line, an
    empty paragraph between tasks, and each [picture] line of the text as
    that picture inline, in a media part under its own name."""
    with open(os.path.join(EXAMPLES, "sample.txt"), encoding="utf-8-sig") as f:
        lines = f.read().splitlines()
    content_types = {".jpg": "image/jpeg", ".png": "image/png"}
    document = WordDocument()
    for shape_id, line in enumerate(lines, start=1):
        marker = line[:1] if line[:1] in ("+", "-") else ""
        bracketed = line[len(marker):]
        if bracketed.startswith("[") and bracketed.endswith("]"):
            name = bracketed[1:-1]
            data = read_example(name)
            rel_id = document.add_picture_part(
                f"/word/media/{name}", content_types[os.path.splitext(name)[1]], data)
            picture = inline_picture(rel_id, shape_id, name, *picture_size_points(data))
            document.add(paragraph((run(marker) if marker else "") + picture))
        else:
            document.add(text_paragraph(line))
    save(document, "sample", lines)


# --- automatic numbering ------------------------------------------------

def make_numbering():
    abstracts = [
        abstract_numbering(0, level(0, "decimal", "%1.")),
        abstract_numbering(1, level(0, "decimal", "%1.", suffix="space")),
        abstract_numbering(2, level(0, "lowerLetter", "%1)")),
        abstract_numbering(3, level(0, "lowerRoman", "%1.")),
        abstract_numbering(4, level(0, "upperRoman", "%1)", start=9)),
        abstract_numbering(5, level(0, "decimal", "%1."),
                           level(1, "decimal", "%1.%2")),
        abstract_numbering(6, level(0, "lowerLetter", "%1)", suffix="nothing")),
        abstract_numbering(7, level(0, "decimal", "%1)")),
    ]
    questions, ordering, ordering_restarted, letters = 1, 2, 3, 4
    roman, roman_from_nine, multilevel, from_five = 5, 6, 7, 8
    letters_no_suffix, ordering_continued = 9, 10
    instances = [
        numbering_instance(questions, 0),
        numbering_instance(ordering, 1),
        # Word restarts a list by a new instance whose start is overridden...
        numbering_instance(ordering_restarted, 1, {0: 1}),
        numbering_instance(letters, 2),
        numbering_instance(roman, 3),
        numbering_instance(roman_from_nine, 4),
        numbering_instance(multilevel, 5),
        numbering_instance(from_five, 7, {0: 5}),
        numbering_instance(letters_no_suffix, 6),
        # ...while a new instance of the same abstract numbering without an
        # override goes on counting where the other one stopped.
        numbering_instance(ordering_continued, 1),
    ]
    document = WordDocument()
    document.add_numbering(numbering_part(abstracts, instances))

    # Each line: (text, numbering or None, what Word shows).
    blocks = [
        [("Какой месяц идет после марта?", (questions, 0), "1.\t"),
         ("- январь", None, ""),
         ("+ апрель", None, "")],
        [("Укажите порядок следования месяцев:", (questions, 0), "2.\t"),
         ("январь", (ordering, 0), "1. "),
         ("февраль", (ordering, 0), "2. "),
         ("март", (ordering, 0), "3. ")],
        [("Продолжите порядок:", (questions, 0), "3.\t"),
         ("апрель", (ordering_continued, 0), "4. "),
         ("май", (ordering_continued, 0), "5. ")],
        [("Укажите порядок летних месяцев:", (questions, 0), "4.\t"),
         ("июнь", (ordering_restarted, 0), "1. "),
         ("июль", (ordering_restarted, 0), "2. ")],
        [("Какие месяцы летние?", (questions, 0), "5.\t"),
         ("+ июнь", (letters, 0), "a)\t"),
         ("- май", (letters, 0), "b)\t"),
         ("+ август", (letters, 0), "c)\t")],
        [("Сколько пунктов в списке?", None, ""),
         ("первый", (roman, 0), "i.\t"),
         ("второй", (roman, 0), "ii.\t"),
         ("третий", (roman, 0), "iii.\t"),
         ("четвёртый", (roman, 0), "iv.\t"),
         ("девятый", (roman_from_nine, 0), "IX)\t"),
         ("десятый", (roman_from_nine, 0), "X)\t"),
         ("одиннадцатый", (roman_from_nine, 0), "XI)\t"),
         # numId 0 takes a paragraph out of any list.
         ("= 7", (0, 0), "")],
        [("Сколько месяцев названо?", (questions, 0), "6.\t"),
         ("весна", (multilevel, 0), "1.\t"),
         ("март", (multilevel, 1), "1.1\t"),
         ("апрель", (multilevel, 1), "1.2\t"),
         ("лето", (multilevel, 0), "2.\t"),
         ("июнь", (multilevel, 1), "2.1\t"),
         # A numbering instance that is not defined shows no label.
         ("= 3", (99, 0), "")],
        [("Какой номер у пятого пункта?", (questions, 0), "7.\t"),
         ("пятый", (from_five, 0), "5)\t"),
         ("шестой", (from_five, 0), "6)\t"),
         ("= 5", None, "")],
        [("Какой месяц первый?", (questions, 0), "8.\t"),
         ("январь", (letters_no_suffix, 0), "a)"),
         ("февраль", (letters_no_suffix, 0), "b)"),
         ("= a", None, "")],
    ]
    save_blocks(document, "numbering", blocks)


def save_blocks(document, name, blocks):
    """Writes blocks of numbered lines as paragraphs with an empty one
    between blocks; the expected text has each label but a question's."""
    expected = []
    for index, block in enumerate(blocks):
        if index:
            document.add(paragraph())
            expected.append("")
        for position, (text, numbering, label) in enumerate(block):
            document.add(text_paragraph(text, numbering))
            expected.append(text if position == 0 else label + text)
    save(document, name, expected)


# Word's Russian letters: the alphabet without ё, й, ъ, ы, ь; past the last
# one the letters are doubled (аа, бб, ...), then tripled.
RUSSIAN_LETTERS = "абвгдежзиклмнопрстуфхцчшщэюя"


def russian_label(number, upper):
    letters = RUSSIAN_LETTERS.upper() if upper else RUSSIAN_LETTERS
    index, repeat = (number - 1) % len(letters), (number - 1) // len(letters) + 1
    return letters[index] * repeat


def make_cyrillic():
    abstracts = [
        abstract_numbering(0, level(0, "russianLower", "%1)")),
        abstract_numbering(1, level(0, "russianUpper", "%1.")),
    ]
    instances = [numbering_instance(1, 0), numbering_instance(2, 1)]
    document = WordDocument()
    document.add_numbering(numbering_part(abstracts, instances))
    count = 30
    blocks = [
        [("Отметьте пункты строчными буквами:", None, "")]
        + [(f"пункт {n}", (1, 0), russian_label(n, False) + ")\t")
           for n in range(1, count + 1)],
        [("Отметьте пункты заглавными буквами:", None, "")]
        + [(f"пункт {n}", (2, 0), russian_label(n, True) + ".\t")
           for n in range(1, count + 1)],
    ]
    save_blocks(document, "cyrillic", blocks)


# --- bullets ----------------------------------------------------------------

def make_bullets():
    # (bullet text in the numbering, its font, the character Word shows)
    bullets = [
        ("\u2013", None, "\u2013"),           # en dash, plain text
        ("\uF0B7", "Symbol", "\u2022"),       # bullet
        ("\uF0A7", "Wingdings", "\u25AA"),    # small black square
        ("\uF0D8", "Wingdings", "\u27A2"),    # arrowhead
        ("\uF0FC", "Wingdings", "\u2713"),    # check mark
        ("o", "Courier New", "o"),            # Word's second-level bullet
    ]
    abstracts = [abstract_numbering(i, level(0, "bullet", text, font=font))
                 for i, (text, font, _) in enumerate(bullets)]
    instances = [numbering_instance(i + 1, i) for i in range(len(bullets))]
    document = WordDocument()
    document.add_numbering(numbering_part(abstracts, instances))

    def item(text, bullet_index):
        return (text, (bullet_index + 1, 0), bullets[bullet_index][2] + "\t")

    blocks = [
        [("Какой месяц идет после марта?", None, ""),
         item("январь", 0), ("+ апрель", None, ""), item("июнь", 0)],
        [("Какие месяцы весенние?", None, ""),
         item("март", 1), item("июль", 1)],
        [("Отметьте весенние месяцы:", None, ""),
         item("март", 2), item("апрель", 3), item("май", 4), item("вложенный пункт", 5)],
    ]
    save_blocks(document, "bullets", blocks)


# --- text inside paragraphs -------------------------------------------------

def make_breaks():
    document = WordDocument()
    link_id = document.part.relate_to("https://example.org/months", RT.HYPERLINK,
                                      is_external=True)
    hidden = "<w:vanish/>"
    complex_field = (
        '<w:r><w:fldChar w:fldCharType="begin"/></w:r>'
        '<w:r><w:instrText xml:space="preserve"> = 2+3 </w:instrText></w:r>'
        '<w:r><w:fldChar w:fldCharType="separate"/></w:r>'
        + run("5") +
        '<w:r><w:fldChar w:fldCharType="end"/></w:r>')
    revision = 'w:author="Учитель" w:date="2024-01-01T00:00:00Z"'
    alternate = (
        '<mc:AlternateContent><mc:Choice Requires="w14">' + run("Москва") +
        '</mc:Choice><mc:Fallback>' + run("Москва") + '</mc:Fallback></mc:AlternateContent>')
    paragraphs_and_lines = [
        (run("Какой ") + run("ме") + run("сяц") + run(" идет после")
         + "<w:r><w:br/></w:r>" + run("марта?"),
         ["Какой месяц идет после", "марта?"]),
        ('<w:r><w:t>-</w:t><w:tab/><w:t>январь</w:t></w:r>', ["-\tянварь"]),
        (run("+ ") + f'<w:hyperlink r:id="{link_id}">{run("апрель")}</w:hyperlink>',
         ["+ апрель"]),
        (run("- ") + '<w:sdt><w:sdtPr><w:alias w:val="Ответ"/></w:sdtPr>'
         f'<w:sdtContent>{run("июнь")}</w:sdtContent></w:sdt>', ["- июнь"]),
        (run("- ") + '<w:smartTag w:uri="urn:schemas-microsoft-com:office:smarttags" '
         f'w:element="date">{run("ноябрь")}</w:smartTag>', ["- ноябрь"]),
        ("", [""]),
        (run("Вопрос на странице ")
         + f'<w:fldSimple w:instr=" PAGE ">{run("1")}</w:fldSimple>'
         + run(": чему равно 2+3?"),
         ["Вопрос на странице 1: чему равно 2+3?"]),
        (run("= ") + complex_field, ["= 5"]),
        ("", [""]),
        (run("Какой месяц идет ") + run("(подсказка: осень) ", hidden)
         + run("после августа?"), ["Какой месяц идет после августа?"]),
        (run("= ") + f'<w:del w:id="1" {revision}><w:r><w:delText>октябрь</w:delText></w:r></w:del>'
         + f'<w:ins w:id="2" {revision}>{run("сентябрь")}</w:ins>', ["= сентябрь"]),
        ("", [""]),
        (run("Какой город — столица России?"), ["Какой город — столица России?"]),
        (run("= ") + alternate, ["= Москва"]),
    ]
    expected = []
    for content, lines in paragraphs_and_lines:
        document.add(paragraph(content))
        expected.extend(lines)
    save(document, "breaks", expected)


# --- tables and text boxes -------------------------------------------------

def table(rows):
    """A table of rows of cells, each cell a list of paragraph texts."""
    columns = max(len(row) for row in rows)
    grid = "".join('<w:gridCol w:w="4500"/>' for _ in range(columns))
    body = "".join(
        "<w:tr>" + "".join(
            '<w:tc><w:tcPr><w:tcW w:w="4500" w:type="dxa"/></w:tcPr>'
            + "".join(text_paragraph(text) for text in cell) + "</w:tc>"
            for cell in row) + "</w:tr>"
        for row in rows)
    return (f'<w:tbl><w:tblPr><w:tblW w:w="0" w:type="auto"/></w:tblPr>'
            f"<w:tblGrid>{grid}</w:tblGrid>{body}</w:tbl>")


def text_box(text):
    """A text box as Word 2010 writes it: a DrawingML shape, with a VML
    copy for older readers."""
    content = f"<w:txbxContent>{text_paragraph(text)}</w:txbxContent>"
    return f"""<w:r><mc:AlternateContent><mc:Choice Requires="wps"><w:drawing>
<wp:anchor distT="0" distB="0" distL="114300" distR="114300" simplePos="0" relativeHeight="1" behindDoc="0" locked="0" layoutInCell="1" allowOverlap="1">
<wp:simplePos x="0" y="0"/><wp:positionH relativeFrom="column"><wp:posOffset>3000000</wp:posOffset></wp:positionH>
<wp:positionV relativeFrom="paragraph"><wp:posOffset>0</wp:posOffset></wp:positionV>
<wp:extent cx="1500000" cy="400000"/><wp:wrapSquare wrapText="bothSides"/><wp:docPr id="1" name="Text Box 1"/>
<a:graphic><a:graphicData uri="http://schemas.microsoft.com/office/word/2010/wordprocessingShape">
<wps:wsp><wps:cNvSpPr txBox="1"/><wps:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="1500000" cy="400000"/></a:xfrm>
<a:prstGeom prst="rect"><a:avLst/></a:prstGeom></wps:spPr><wps:txbx>{content}</wps:txbx><wps:bodyPr/></wps:wsp>
</a:graphicData></a:graphic></wp:anchor></w:drawing></mc:Choice>
<mc:Fallback><w:pict><v:shape id="Text Box 1" style="position:absolute;margin-left:236pt;width:118pt;height:31.5pt" type="#_x0000_t202">
<v:textbox>{content}</v:textbox></v:shape></w:pict></mc:Fallback></mc:AlternateContent></w:r>"""


def make_table():
    document = WordDocument()
    rows = [
        [["Какой месяц идет после марта?"], ["- январь", "+ апрель"]],
        [["- июнь"], ["- ноябрь"]],
    ]
    document.add(table(rows), paragraph())
    document.add(paragraph(run("Какой месяц идет после августа?") + text_box("Подсказка: осень")),
                 text_paragraph("= сентябрь"))
    expected = ["Какой месяц идет после марта?", "- январь", "+ апрель",
                "- июнь", "- ноябрь", "",
                "Какой месяц идет после августа?", "= сентябрь"]
    save(document, "table", expected)


# --- pictures -----------------------------------------------------------------

def ole_compound_stub():
    """Stands for the equation's native data, which a reader does not open:
    the compound file signature and an empty header sector."""
    return bytes.fromhex("D0CF11E0A1B11AE1") + bytes(504)


def ole_object(document, shape_id, wmf_name, wmf, width_pt, height_pt):
    """An old equation: an OLE object shown through its WMF preview."""
    picture_id = document.add_picture_part(f"/word/media/{wmf_name}",
                                           "image/x-wmf", wmf)
    object_id = document.add_part(f"/word/embeddings/oleObject{shape_id}.bin",
                                  CONTENT_TYPE_OLE_OBJECT, ole_compound_stub(),
                                  RT.OLE_OBJECT)
    return f"""<w:r><w:object w:dxaOrig="{int(width_pt * 20)}" w:dyaOrig="{int(height_pt * 20)}">
<v:shapetype id="_x0000_t75" coordsize="21600,21600" o:spt="75" o:preferrelative="t" path="m@4@5l@4@11@9@11@9@5xe" filled="f" stroked="f"/>
<v:shape id="_x0000_i10{shape_id:02}" type="#_x0000_t75" style="width:{width_pt}pt;height:{height_pt}pt" o:ole="">
<v:imagedata r:id="{picture_id}" o:title=""/></v:shape>
<o:OLEObject Type="Embed" ProgID="Equation.3" ShapeID="_x0000_i10{shape_id:02}" DrawAspect="Content" ObjectID="_14000000{shape_id:02}" r:id="{object_id}"/>
</w:object></w:r>"""


def make_ole_equation():
    document = WordDocument()
    # 1440 logical units an inch: the placeable one is 1 x 1/3 inch, as shown.
    placeable = metafile(1440, 480, placeable=True)
    bare = metafile(1440, 480, placeable=False)
    bare_question = metafile(2000, 600, placeable=False)
    document.add(
        text_paragraph("Какая формула описывает закон Ома?"),
        paragraph(run("+") + ole_object(document, 1, "image1.wmf", placeable, 72, 24)),
        paragraph(run("-") + ole_object(document, 2, "image2.wmf", bare, 72, 24)),
        text_paragraph("- U = R / I"),
        paragraph(),
        text_paragraph("Чему равно значение выражения?"),
        paragraph(ole_object(document, 3, "image3.wmf", bare_question, 100, 30)),
        text_paragraph("= 2"))
    save(document, "ole_equation",
         ["Какая формула описывает закон Ома?", "+[image1.wmf]", "-[image2.wmf]",
          "- U = R / I", "", "Чему равно значение выражения?", "[image3.wmf]", "= 2"])


def math_run(text):
    return f"<m:r><m:t>{escape(text)}</m:t></m:r>"


def math_fraction(numerator, denominator):
    return f"<m:f><m:num>{numerator}</m:num><m:den>{denominator}</m:den></m:f>"


def math_root(radicand):
    return (f'<m:rad><m:radPr><m:degHide m:val="1"/></m:radPr><m:deg/>'
            f"<m:e>{radicand}</m:e></m:rad>")


def math_superscript(base, exponent):
    return f"<m:sSup><m:e>{base}</m:e><m:sup>{exponent}</m:sup></m:sSup>"


def math_subscript(base, index):
    return f"<m:sSub><m:e>{base}</m:e><m:sub>{index}</m:sub></m:sSub>"


def make_math():
    document = WordDocument()
    x_squared = math_superscript(math_run("x"), math_run("2"))
    # No character of "q" or "b" has a Unicode superscript or subscript, so
    # those are written out.
    display = (math_superscript(math_run("e"), math_run("q")) + math_run("+")
               + math_subscript(math_run("y"), math_run("b")))
    document.add(
        paragraph(run("Упростите ")
                  + f"<m:oMath>{math_fraction(x_squared, math_run('2'))}</m:oMath>"
                  + run(" при ")
                  + "<m:oMath>" + math_subscript(math_run("x"), math_run("1"))
                  + math_run("=") + math_root(math_run("4")) + "</m:oMath>"),
        text_paragraph("= 2"),
        paragraph(),
        text_paragraph("Запишите формулу:"),
        paragraph(f"<m:oMathPara><m:oMath>{display}</m:oMath></m:oMathPara>"),
        text_paragraph("= e^q+y_b"))
    save(document, "math",
         ["Упростите (x²)/(2) при x₁=√(4)", "= 2", "",
          "Запишите формулу:", "e^(q)+y_(b)", "= e^q+y_b"])


def make_vml_picture():
    document = WordDocument()
    picture_id = document.add_picture_part("/word/media/image1.png", "image/png",
                                           small_png((200, 0, 0)))
    picture = (f'<w:r><w:pict><v:shapetype id="_x0000_t75" coordsize="21600,21600" '
               f'o:spt="75" o:preferrelative="t" path="m@4@5l@4@11@9@11@9@5xe" '
               f'filled="f" stroked="f"/><v:shape id="_x0000_i1025" type="#_x0000_t75" '
               f'style="width:30pt;height:22.5pt"><v:imagedata r:id="{picture_id}" '
               f'o:title=""/></v:shape></w:pict></w:r>')
    document.add(text_paragraph("Какого цвета квадрат на рисунке?"), paragraph(picture),
                 text_paragraph("= красный"))
    save(document, "vml_picture",
         ["Какого цвета квадрат на рисунке?", "[image1.png]", "= красный"])


def make_anchored():
    document = WordDocument()
    picture_id = document.add_picture_part("/word/media/image1.png", "image/png",
                                           small_png((0, 0, 200)))
    picture = f"""<w:r><w:drawing><wp:anchor distT="0" distB="0" distL="114300" distR="114300" simplePos="0" relativeHeight="2" behindDoc="0" locked="0" layoutInCell="1" allowOverlap="1">
<wp:simplePos x="0" y="0"/><wp:positionH relativeFrom="column"><wp:posOffset>0</wp:posOffset></wp:positionH>
<wp:positionV relativeFrom="paragraph"><wp:posOffset>0</wp:posOffset></wp:positionV>
<wp:extent cx="{emu(30)}" cy="{emu(22.5)}"/><wp:wrapTopAndBottom/><wp:docPr id="1" name="Picture 1"/>
<wp:cNvGraphicFramePr/>{drawing_graphic(picture_id, "image1.png", 30, 22.5)}</wp:anchor></w:drawing></w:r>"""
    document.add(text_paragraph("Какого цвета квадрат на рисунке?"), paragraph(picture),
                 text_paragraph("= синий"))
    save(document, "anchored",
         ["Какого цвета квадрат на рисунке?", "[image1.png]", "= синий"])


SVG = b"""<svg xmlns="http://www.w3.org/2000/svg" width="40" height="30" viewBox="0 0 40 30">
<rect x="0.5" y="0.5" width="39" height="29" fill="#00a000" stroke="#000"/></svg>
"""


def make_svg():
    document = WordDocument()
    png_id = document.add_picture_part("/word/media/image1.png", "image/png",
                                       small_png((0, 160, 0)))
    svg_id = document.add_picture_part("/word/media/image2.svg", "image/svg+xml", SVG)
    svg_extension = (
        '<a:extLst><a:ext uri="{96DAC541-7B7A-43D3-8B79-37D633B846F1}">'
        f'<asvg:svgBlip r:embed="{svg_id}"/></a:ext></a:extLst>')
    document.add(text_paragraph("Какого цвета квадрат на рисунке?"),
                 paragraph(inline_picture(png_id, 1, "image1.png", 30, 22.5, svg_extension)),
                 text_paragraph("= зелёный"))
    save(document, "svg",
         ["Какого цвета квадрат на рисунке?", "[image1.png]", "= зелёный"])


def make_same_names():
    document = WordDocument()
    first = document.add_picture_part("/word/media/image1.png", "image/png",
                                      small_png((200, 0, 0)))
    second = document.add_picture_part("/word/media/sub/image1.png", "image/png",
                                       small_png((0, 0, 200)))
    document.add(text_paragraph("Какой квадрат красный?"),
                 paragraph(run("+") + inline_picture(first, 1, "image1.png", 30, 22.5)),
                 paragraph(run("-") + inline_picture(second, 2, "image1.png", 30, 22.5)))
    save(document, "same_names",
         ["Какой квадрат красный?", "+[image1.png]", "-[image1-2.png]"])


def make_unknown_ext():
    document = WordDocument()
    picture_id = document.add_picture_part("/word/media/image1.tmp", "image/png",
                                           small_png((200, 200, 0)))
    document.add(text_paragraph("Какого цвета квадрат на рисунке?"),
                 paragraph(inline_picture(picture_id, 1, "image1.tmp", 30, 22.5)),
                 text_paragraph("= жёлтый"))
    save(document, "unknown_ext",
         ["Какого цвета квадрат на рисунке?", "[image1.tmp]", "= жёлтый"])


def make_linked():
    """Pictures kept outside the document: one beside it, one missing."""
    with open(out("linked.png"), "wb") as f:
        f.write(small_png((120, 0, 120)))
    document = WordDocument()
    found = document.add_external_picture("linked.png")
    missing = document.add_external_picture("missing.png")

    def linked_picture(rel_id, shape_id, name):
        return inline_picture(rel_id, shape_id, name, 30, 22.5).replace(
            f'r:embed="{rel_id}"', f'r:link="{rel_id}"')

    document.add(text_paragraph("Какой квадрат фиолетовый?"),
                 paragraph(run("+") + linked_picture(found, 1, "linked.png")),
                 paragraph(run("-") + linked_picture(missing, 2, "missing.png")))
    save(document, "linked",
         ["Какой квадрат фиолетовый?", "+[linked.png]", "-[missing.png]"])


def make_findings():
    """What only a document has and check reports: bullets where markers
    belong, a correct answer marked by bold or colour alone, tasks parted
    by paragraph spacing instead of an empty paragraph, a picture in the
    middle of a sentence."""
    symbol_bullet = abstract_numbering(0, level(0, "bullet", "\uF0B7", font="Symbol"))
    document = WordDocument()
    document.add_numbering(numbering_part([symbol_bullet], [numbering_instance(1, 0)]))
    picture_id = document.add_picture_part("/word/media/image1.png", "image/png",
                                           small_png((90, 90, 90)))
    bullet = (1, 0)
    document.add(
        text_paragraph("Какой месяц идет после марта?"),
        text_paragraph("январь", bullet),
        paragraph(run("апрель", "<w:b/>"), bullet),
        paragraph(run("июнь", '<w:color w:val="FF0000"/>'), bullet),
        '<w:p><w:pPr><w:spacing w:before="240"/></w:pPr>'
        + run("Перечислите весенние месяцы.") + "</w:p>",
        text_paragraph("+ март"),
        text_paragraph("- июль"),
        paragraph(),
        paragraph(run("На рисунке ") + inline_picture(picture_id, 1, "image1.png", 30, 22.5)
                  + run(" изображен Пушкин?")),
        text_paragraph("= да"))
    save(document, "findings",
         ["Какой месяц идет после марта?", "•\tянварь", "•\tапрель", "•\tиюнь",
          "Перечислите весенние месяцы.", "+ март", "- июль", "",
          "На рисунке [image1.png] изображен Пушкин?", "= да"])


def numbered_picture_document():
    """A task with lettered variants and a picture variant: the matter of
    the documents that differ from the usual only in how their XML is
    written."""
    document = WordDocument()
    document.add_numbering(numbering_part(
        [abstract_numbering(0, level(0, "lowerLetter", "%1)"))],
        [numbering_instance(1, 0)]))
    picture_id = document.add_picture_part("/word/media/image1.png", "image/png",
                                           small_png((0, 128, 128)))
    document.add(text_paragraph("Какие месяцы весенние?"),
                 text_paragraph("+ март", (1, 0)), text_paragraph("- июль", (1, 0)),
                 paragraph(run("+") + inline_picture(picture_id, 1, "image1.png", 30, 22.5)))
    expected = ["Какие месяцы весенние?", "a)\t+ март", "b)\t- июль", "+[image1.png]"]
    return document, expected


# Prefixes are the writer's choice: WordprocessingML in the default
# namespace, its attributes under another prefix, the others renamed.
PREFIX_RENAMES = [
    (r'xmlns:w="', 'xmlns:q="{0}" xmlns="'.format(NAMESPACES["w"])),
    (r"<(/?)w:", r"<\1"),
    (r"(\s)w:([A-Za-z]+=)", r"\1q:\2"),
    (r'xmlns:r="', 'xmlns:rel="'),
    (r"(\s)r:([A-Za-z]+=)", r"\1rel:\2"),
    (r'xmlns:wp="', 'xmlns:dr="'),
    (r"<(/?)wp:", r"<\1dr:"),
    (r'xmlns:a="', 'xmlns:g="'),
    (r"<(/?)a:", r"<\1g:"),
    (r'xmlns:pic="', 'xmlns:pp="'),
    (r"<(/?)pic:", r"<\1pp:"),
]


def make_prefixes():
    document, expected = numbered_picture_document()

    def rename_prefixes(name, content):
        if name not in ("word/document.xml", "word/numbering.xml"):
            return content
        text = content.decode()
        for pattern, replacement in PREFIX_RENAMES:
            text = re.sub(pattern, replacement, text)
        return text.encode()

    with open(out("prefixes.docx"), "wb") as f:
        f.write(rewrite_package(document.to_bytes(), rename_prefixes))
    write_expected(out("prefixes.expected.txt"), expected)


# Strict documents name their namespaces and relationship types anew;
# the package's own (content types, relationships, core properties) stay.
STRICT_NAMESPACES = [
    ("http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties",
     "http://purl.oclc.org/ooxml/officeDocument/relationships/extendedProperties"),
    ("http://schemas.openxmlformats.org/officeDocument/2006/extended-properties",
     "http://purl.oclc.org/ooxml/officeDocument/extendedProperties"),
    ("http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes",
     "http://purl.oclc.org/ooxml/officeDocument/docPropsVTypes"),
    ("http://schemas.openxmlformats.org/officeDocument/2006/relationships",
     "http://purl.oclc.org/ooxml/officeDocument/relationships"),
    ("http://schemas.openxmlformats.org/officeDocument/2006/math",
     "http://purl.oclc.org/ooxml/officeDocument/math"),
    ("http://schemas.openxmlformats.org/wordprocessingml/2006/main",
     "http://purl.oclc.org/ooxml/wordprocessingml/main"),
    ("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing",
     "http://purl.oclc.org/ooxml/drawingml/wordprocessingDrawing"),
    ("http://schemas.openxmlformats.org/drawingml/2006/main",
     "http://purl.oclc.org/ooxml/drawingml/main"),
    ("http://schemas.openxmlformats.org/drawingml/2006/picture",
     "http://purl.oclc.org/ooxml/drawingml/picture"),
    ("http://schemas.openxmlformats.org/schemaLibrary/2006/main",
     "http://purl.oclc.org/ooxml/schemaLibrary/main"),
]


def make_strict():
    document, expected = numbered_picture_document()

    def to_strict(name, content):
        if not name.endswith((".xml", ".rels")):
            return content
        text = content.decode()
        for transitional, strict in STRICT_NAMESPACES:
            text = text.replace(transitional, strict)
        return text.replace("<w:document ", '<w:document w:conformance="strict" ').encode()

    with open(out("strict.docx"), "wb") as f:
        f.write(rewrite_package(document.to_bytes(), to_strict))
    write_expected(out("strict.expected.txt"), expected)


DOCUMENTS = [make_sample, make_numbering, make_cyrillic, make_bullets,
             make_breaks, make_table, make_ole_equation, make_math,
             make_vml_picture, make_anchored, make_svg, make_same_names,
             make_unknown_ext, make_linked, make_prefixes, make_strict,
             make_findings]


def main():
    for make in DOCUMENTS:
        make()
    if "--no-hostile" not in sys.argv[1:]:
        hostile.make_all(HERE, out("sample.docx"))


if __name__ == "__main__":
    main()
