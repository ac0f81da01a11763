"""Building blocks for the test documents: a small python-docx document whose
body is written as WordprocessingML fragments, extra parts with their
relationships, and a byte-stable save.

python-docx writes the package (content types, relationships, core
properties); the body and the parts it has no API for (numbering, OLE
objects, VML, Office Math) are written here as XML, so that each document
holds exactly the construct it tests.
"""

import io
import zipfile

from docx import Document
from docx.opc.constants import RELATIONSHIP_TYPE as RT
from docx.opc.packuri import PackURI
from docx.opc.part import Part
from lxml import etree

NAMESPACES = {
    "w": "http://schemas.openxmlformats.org/wordprocessingml/2006/main",
    "r": "http://schemas.openxmlformats.org/officeDocument/2006/relationships",
    "wp": "http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing",
    "a": "http://schemas.openxmlformats.org/drawingml/2006/main",
    "pic": "http://schemas.openxmlformats.org/drawingml/2006/picture",
    "v": "urn:schemas-microsoft-com:vml",
    "o": "urn:schemas-microsoft-com:office:office",
    "m": "http://schemas.openxmlformats.org/officeDocument/2006/math",
    "mc": "http://schemas.openxmlformats.org/markup-compatibility/2006",
    "w14": "http://schemas.microsoft.com/office/word/2010/wordml",
    "wps": "http://schemas.microsoft.com/office/word/2010/wordprocessingShape",
    "asvg": "http://schemas.microsoft.com/office/drawing/2016/SVG/main",
}
NAMESPACE_DECLARATIONS = " ".join(
    f'xmlns:{prefix}="{uri}"' for prefix, uri in NAMESPACES.items())

CONTENT_TYPE_NUMBERING = (
    "application/vnd.openxmlformats-officedocument.wordprocessingml.numbering+xml")
CONTENT_TYPE_OLE_OBJECT = (
    "application/vnd.openxmlformats-officedocument.oleObject")

# The template's own styles run to 800 KB with their Word 2010 copy; a
# document needs none of them to be read, so a small sheet stands in.
MINIMAL_STYLES = f"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<w:styles {NAMESPACE_DECLARATIONS}>
  <w:docDefaults>
    <w:rPrDefault><w:rPr>
      <w:rFonts w:ascii="Times New Roman" w:hAnsi="Times New Roman" w:cs="Times New Roman"/>
      <w:sz w:val="24"/><w:lang w:val="ru-RU"/>
    </w:rPr></w:rPrDefault>
    <w:pPrDefault/>
  </w:docDefaults>
  <w:style w:type="paragraph" w:default="1" w:styleId="Normal">
    <w:name w:val="Normal"/><w:qFormat/>
  </w:style>
  <w:style w:type="character" w:default="1" w:styleId="DefaultParagraphFont">
    <w:name w:val="Default Paragraph Font"/><w:uiPriority w:val="1"/><w:semiHidden/>
  </w:style>
  <w:style w:type="table" w:default="1" w:styleId="TableNormal">
    <w:name w:val="Normal Table"/><w:semiHidden/>
    <w:tblPr><w:tblInd w:w="0" w:type="dxa"/><w:tblCellMar>
      <w:left w:w="108" w:type="dxa"/><w:right w:w="108" w:type="dxa"/>
    </w:tblCellMar></w:tblPr>
  </w:style>
</w:styles>
""".encode()

# Parts of python-docx's template that no test document uses.
UNUSED_TEMPLATE_RELATIONSHIPS = (
    "http://schemas.microsoft.com/office/2007/relationships/stylesWithEffects",
    RT.CUSTOM_XML, RT.THEME, RT.NUMBERING, RT.WEB_SETTINGS, RT.THUMBNAIL)

# Every entry gets this time, so that remaking a document gives equal bytes.
FIXED_ZIP_TIME = (2020, 1, 1, 0, 0, 0)


def xml_fragment(text):
    """Parses WordprocessingML elements written with the prefixes of
    NAMESPACES and returns them as a list."""
    root = etree.fromstring(f"<root {NAMESPACE_DECLARATIONS}>{text}</root>")
    return list(root)


def escape(text):
    return (text.replace("&", "&amp;").replace("<", "&lt;")
            .replace(">", "&gt;").replace('"', "&quot;"))


def run(text, properties=""):
    """A run of plain text; spaces at either end are kept."""
    rpr = f"<w:rPr>{properties}</w:rPr>" if properties else ""
    return f'<w:r>{rpr}<w:t xml:space="preserve">{escape(text)}</w:t></w:r>'


def paragraph(content="", numbering=None):
    """A paragraph of content given as XML (runs or other inline elements);
    numbering is (numId, ilvl)."""
    ppr = ""
    if numbering is not None:
        num_id, level = numbering
        ppr = (f'<w:pPr><w:numPr><w:ilvl w:val="{level}"/>'
               f'<w:numId w:val="{num_id}"/></w:numPr></w:pPr>')
    return f"<w:p>{ppr}{content}</w:p>"


def text_paragraph(text, numbering=None):
    return paragraph(run(text) if text else "", numbering)


class WordDocument:
    """A python-docx document reduced to what a test needs."""

    def __init__(self):
        self.document = Document()
        self.part = self.document.part
        self._drop_template_parts()
        self.part._styles_part._element = etree.fromstring(MINIMAL_STYLES)
        body = self.document.element.body
        for paragraph_element in body.findall(f"{{{NAMESPACES['w']}}}p"):
            body.remove(paragraph_element)

    def _drop_template_parts(self):
        for rels in (self.part.rels, self.part.package.rels):
            for rel_id, rel in list(rels.items()):
                if rel.reltype in UNUSED_TEMPLATE_RELATIONSHIPS:
                    del rels[rel_id]

    def add(self, *xml_texts):
        """Appends body elements (paragraphs, tables) before the section
        properties."""
        section = self.document.element.body.sectPr
        for text in xml_texts:
            for element in xml_fragment(text):
                section.addprevious(element)

    def add_part(self, name, content_type, blob, reltype):
        """Adds a part related from the main document; returns its rId."""
        part = Part(PackURI(name), content_type, blob, self.part.package)
        return self.part.relate_to(part, reltype)

    def add_picture_part(self, name, content_type, blob):
        return self.add_part(name, content_type, blob, RT.IMAGE)

    def add_external_picture(self, target):
        return self.part.relate_to(target, RT.IMAGE, is_external=True)

    def add_numbering(self, numbering_xml):
        return self.add_part("/word/numbering.xml", CONTENT_TYPE_NUMBERING,
                             numbering_xml.encode(), RT.NUMBERING)

    def to_bytes(self):
        buffer = io.BytesIO()
        self.document.save(buffer)
        return stable_zip(buffer.getvalue())

    def save(self, path):
        with open(path, "wb") as out:
            out.write(self.to_bytes())


def rewrite_package(data, transform):
    """The package data with each part's bytes passed through
    transform(part name, bytes)."""
    source = zipfile.ZipFile(io.BytesIO(data))
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as target:
        for info in source.infolist():
            entry = zipfile.ZipInfo(info.filename, FIXED_ZIP_TIME)
            entry.compress_type = zipfile.ZIP_DEFLATED
            target.writestr(entry, transform(info.filename, source.read(info)))
    return buffer.getvalue()


def stable_zip(data):
    """The same ZIP with fixed entry times, so that the bytes depend on the
    content alone."""
    return rewrite_package(data, lambda name, content: content)


def emu(points):
    """DrawingML lengths are English Metric Units: 12,700 a point."""
    return int(points * 12700)


def drawing_graphic(rel_id, name, width_pt, height_pt, blip_extra=""):
    """The a:graphic of a picture, shared by inline and anchored drawings."""
    return f"""<a:graphic><a:graphicData uri="http://schemas.openxmlformats.org/drawingml/2006/picture">
<pic:pic><pic:nvPicPr><pic:cNvPr id="0" name="{name}"/><pic:cNvPicPr/></pic:nvPicPr>
<pic:blipFill><a:blip r:embed="{rel_id}">{blip_extra}</a:blip><a:stretch><a:fillRect/></a:stretch></pic:blipFill>
<pic:spPr><a:xfrm><a:off x="0" y="0"/><a:ext cx="{emu(width_pt)}" cy="{emu(height_pt)}"/></a:xfrm>
<a:prstGeom prst="rect"><a:avLst/></a:prstGeom></pic:spPr></pic:pic>
</a:graphicData></a:graphic>"""


def inline_picture(rel_id, shape_id, name, width_pt, height_pt, blip_extra=""):
    """A run holding an inline DrawingML picture."""
    return f"""<w:r><w:drawing><wp:inline distT="0" distB="0" distL="0" distR="0">
<wp:extent cx="{emu(width_pt)}" cy="{emu(height_pt)}"/>
<wp:docPr id="{shape_id}" name="Picture {shape_id}"/>
<wp:cNvGraphicFramePr><a:graphicFrameLocks noChangeAspect="1"/></wp:cNvGraphicFramePr>
{drawing_graphic(rel_id, name, width_pt, height_pt, blip_extra)}
</wp:inline></w:drawing></w:r>"""


def write_expected(path, lines):
    """The reader's text: one line per paragraph (or line break), UTF-8
    without a byte order mark, LF line ends."""
    with open(path, "w", encoding="utf-8", newline="\n") as out:
        out.write("".join(line + "\n" for line in lines))
