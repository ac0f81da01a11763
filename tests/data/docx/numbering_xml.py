"""numbering.xml written by hand: python-docx has no API for it.

An abstract numbering holds the levels (format, label text, start, suffix);
a numbering instance (w:num) points at one and may override a level's
start. Paragraphs name an instance and a level.
"""

from docx_writer import NAMESPACE_DECLARATIONS, escape


def level(ilvl, number_format, text, start=1, suffix=None, font=None):
    """One w:lvl. suffix is "space" or "nothing"; None leaves Word's tab."""
    suffix_xml = f'<w:suff w:val="{suffix}"/>' if suffix else ""
    font_xml = ""
    if font:
        font_xml = (f'<w:rPr><w:rFonts w:ascii="{font}" w:hAnsi="{font}" '
                    f'w:hint="default"/></w:rPr>')
    indent = 720 * (ilvl + 1)
    return (f'<w:lvl w:ilvl="{ilvl}"><w:start w:val="{start}"/>'
            f'<w:numFmt w:val="{number_format}"/>{suffix_xml}'
            f'<w:lvlText w:val="{escape(text)}"/><w:lvlJc w:val="left"/>'
            f'<w:pPr><w:ind w:left="{indent}" w:hanging="360"/></w:pPr>'
            f'{font_xml}</w:lvl>')


def abstract_numbering(abstract_id, *levels):
    kind = "multilevel" if len(levels) > 1 else "singleLevel"
    return (f'<w:abstractNum w:abstractNumId="{abstract_id}">'
            f'<w:multiLevelType w:val="{kind}"/>{"".join(levels)}'
            f'</w:abstractNum>')


def numbering_instance(num_id, abstract_id, start_overrides=None):
    """A w:num; start_overrides maps a level to the value it restarts at."""
    overrides = "".join(
        f'<w:lvlOverride w:ilvl="{ilvl}"><w:startOverride w:val="{start}"/>'
        f'</w:lvlOverride>'
        for ilvl, start in (start_overrides or {}).items())
    return (f'<w:num w:numId="{num_id}"><w:abstractNumId w:val="{abstract_id}"/>'
            f'{overrides}</w:num>')


def numbering_part(abstracts, instances):
    """The whole part: every abstract numbering comes before the instances."""
    return ('<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
            f'<w:numbering {NAMESPACE_DECLARATIONS}>'
            f'{"".join(abstracts)}{"".join(instances)}</w:numbering>')
