"""Documents the reader must refuse, each with NAME.expected-error.txt: a
short phrase that its one error message must contain.

Most are a small valid package with one part replaced or entries added, so
that nothing but the fault they carry stops them.
"""

import base64
import hashlib
import io
import os
import shutil
import struct
import subprocess
import tempfile
import zipfile

from compound_file import compound_file
from docx_writer import FIXED_ZIP_TIME, NAMESPACES, WordDocument, text_paragraph

BOMB_SIZE = 2 << 30
DEPTH = 100_000
ENTRY_COUNT = 100_000
DOCUMENT_PART = "word/document.xml"
W = NAMESPACES["w"]


def base_package():
    """A one-paragraph document, the healthy rest of each hostile one."""
    document = WordDocument()
    document.add(text_paragraph("Какой месяц идет после марта?"), text_paragraph("= апрель"))
    return zipfile.ZipFile(io.BytesIO(document.to_bytes()))


def entry(name, compress_type=zipfile.ZIP_DEFLATED):
    info = zipfile.ZipInfo(name, FIXED_ZIP_TIME)
    info.compress_type = compress_type
    return info


def write_with_replaced_part(path, name, content, extra_entries=()):
    """The base package with part name holding content (bytes), then
    extra_entries (name, bytes) stored as they are."""
    base = base_package()
    with zipfile.ZipFile(path, "w") as target:
        for info in base.infolist():
            data = content if info.filename == name else base.read(info)
            target.writestr(entry(info.filename), data)
        for extra_name, data in extra_entries:
            target.writestr(entry(extra_name, zipfile.ZIP_STORED), data)


def document_xml(body_xml, prolog=""):
    return (f'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n{prolog}'
            f'<w:document xmlns:w="{W}"><w:body>{body_xml}</w:body></w:document>'
            ).encode()


def make_not_a_zip(path, sample_docx):
    with open(path, "w", encoding="utf-8") as f:
        f.write("Какой месяц идет после марта?\n- январь\n+ апрель\n")


def make_no_main_part(path, sample_docx):
    """The document part is there, but no package relationship names it: a
    reader that goes by part names instead of relationships would read it."""
    relationships = (
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
        '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
        '<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/package/2006/'
        'relationships/metadata/core-properties" Target="docProps/core.xml"/>'
        "</Relationships>").encode()
    write_with_replaced_part(path, "_rels/.rels", relationships)


def make_truncated(path, sample_docx):
    with open(sample_docx, "rb") as f:
        data = f.read()
    with open(path, "wb") as f:
        f.write(data[:len(data) // 2])


def make_bomb(path, sample_docx):
    """document.xml of 2 GiB, almost all spaces, deflated to about 2 MB.
    Written through zlib a chunk at a time: the part never exists whole."""
    head, tail = document_xml(
        '<w:p><w:r><w:t xml:space="preserve">\0</w:t></w:r></w:p>').split(b"\0")
    spaces = BOMB_SIZE - len(head) - len(tail)
    chunk = b" " * (1 << 20)
    base = base_package()
    # Python's zipfile turns to ZIP64 fields from 2 GiB on, though the
    # 32-bit ones hold sizes up to 4 GiB; the bomb should need nothing
    # beyond a plain ZIP, so the threshold is raised to the format's.
    saved_limit = zipfile.ZIP64_LIMIT
    zipfile.ZIP64_LIMIT = 0xFFFFFFFE
    try:
        with zipfile.ZipFile(path, "w", compresslevel=9) as target:
            for info in base.infolist():
                if info.filename != DOCUMENT_PART:
                    target.writestr(entry(info.filename), base.read(info))
            info = entry(DOCUMENT_PART)
            info.file_size = BOMB_SIZE
            with target.open(info, "w") as part:
                part.write(head)
                for _ in range(spaces // len(chunk)):
                    part.write(chunk)
                part.write(b" " * (spaces % len(chunk)))
                part.write(tail)
    finally:
        zipfile.ZIP64_LIMIT = saved_limit


def make_dtd(path, sample_docx):
    """The billion laughs: ten entities, each ten of the one before."""
    entities = ['<!ENTITY lol0 "lol">'] + [
        f'<!ENTITY lol{i} "{f"&lol{i - 1};" * 10}">' for i in range(1, 10)]
    prolog = "<!DOCTYPE w:document [\n" + "\n".join(entities) + "\n]>\n"
    write_with_replaced_part(path, DOCUMENT_PART, document_xml(
        "<w:p><w:r><w:t>&lol9;</w:t></w:r></w:p>", prolog))


def make_external_entity(path, sample_docx):
    prolog = '<!DOCTYPE w:document [\n<!ENTITY secret SYSTEM "file:///etc/passwd">\n]>\n'
    write_with_replaced_part(path, DOCUMENT_PART, document_xml(
        "<w:p><w:r><w:t>&secret;</w:t></w:r></w:p>", prolog))


def make_deep(path, sample_docx):
    """Smart tags may nest, so every level is a valid element."""
    opening = '<w:smartTag w:uri="urn:x" w:element="x">' * DEPTH
    closing = "</w:smartTag>" * DEPTH
    write_with_replaced_part(path, DOCUMENT_PART, document_xml(
        f"<w:p>{opening}<w:r><w:t>глубоко</w:t></w:r>{closing}</w:p>"))


def make_many_entries(path, sample_docx):
    """Empty stored entries with the shortest names keep the file under
    10 MB: each costs its two headers, about 86 bytes."""
    extra = ((f"{n:05d}", b"") for n in range(ENTRY_COUNT))
    write_with_replaced_part(path, DOCUMENT_PART, base_package().read(DOCUMENT_PART),
                             extra)


def soffice(arguments, folder):
    """Runs LibreOffice with a profile of its own, so that it neither meets
    nor changes a running instance's."""
    profile = tempfile.mkdtemp(prefix="lo-profile-")
    try:
        subprocess.run(["soffice", f"-env:UserInstallation=file://{profile}",
                        "--headless", *arguments, "--outdir", folder],
                       check=True, stdout=subprocess.DEVNULL, timeout=300)
    finally:
        shutil.rmtree(profile, ignore_errors=True)


def save_with_libreoffice(path, sample_docx, filter_text):
    folder = tempfile.mkdtemp(prefix="docx-save-")
    try:
        soffice(["--convert-to", filter_text, sample_docx], folder)
        (saved,) = os.listdir(folder)
        shutil.move(os.path.join(folder, saved), path)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def make_word97(path, sample_docx):
    save_with_libreoffice(path, sample_docx, "doc:MS Word 97")


def pseudo_random(seed, size):
    """Bytes that look encrypted and are the same on every run."""
    blocks = (hashlib.sha256(f"{seed}{n}".encode()).digest() for n in range(-(-size // 32)))
    return b"".join(blocks)[:size]


def encryption_info():
    """Agile encryption (version 4.4): the descriptor of keys and salts,
    padded with spaces to the length of a regular stream."""
    def value(seed, size):
        return base64.b64encode(pseudo_random(seed, size)).decode()
    algorithm = ('saltSize="16" blockSize="16" keyBits="256" hashSize="64" '
                 'cipherAlgorithm="AES" cipherChaining="ChainingModeCBC" hashAlgorithm="SHA512"')
    descriptor = f"""<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<encryption xmlns="http://schemas.microsoft.com/office/2006/encryption" xmlns:p="http://schemas.microsoft.com/office/2006/keyEncryptor/password">
<keyData {algorithm} saltValue="{value("salt", 16)}"/>
<dataIntegrity encryptedHmacKey="{value("hmac key", 64)}" encryptedHmacValue="{value("hmac", 64)}"/>
<keyEncryptors><keyEncryptor uri="http://schemas.microsoft.com/office/2006/keyEncryptor/password">
<p:encryptedKey spinCount="100000" {algorithm} saltValue="{value("key salt", 16)}" encryptedVerifierHashInput="{value("input", 16)}" encryptedVerifierHashValue="{value("verifier", 64)}" encryptedKeyValue="{value("key", 32)}"/>
</keyEncryptor></keyEncryptors></encryption>""".encode()
    return struct.pack("<HHI", 4, 4, 0x40) + descriptor.ljust(4096, b" ")


def make_encrypted(path, sample_docx):
    """A password-protected .docx is no ZIP: Word wraps the encrypted
    package in an OLE compound file, beside the description of its keys.
    LibreOffice 7.4 does not save one from the command line or UNO, so it
    is made here; its bytes do not decrypt to a document."""
    with open(sample_docx, "rb") as f:
        package_size = len(f.read())
    encrypted_size = max(-(-package_size // 16) * 16, 4096)
    package = struct.pack("<Q", package_size) + pseudo_random("package", encrypted_size)
    with open(path, "wb") as f:
        f.write(compound_file([("EncryptionInfo", encryption_info()),
                               ("EncryptedPackage", package)]))


# Each document, how it is made, and the phrase its error must contain.
DOCUMENTS = {
    "not_a_zip.docx": (make_not_a_zip, "Not a Word document (.docx)"),
    "word97.doc": (make_word97, "without a password"),
    "encrypted.docx": (make_encrypted, "without a password"),
    "no_main_part.docx": (make_no_main_part, "names no Word main document"),
    "truncated.docx": (make_truncated, "corrupt"),
    "bomb.docx": (make_bomb, "more than 64 MiB"),
    "dtd.docx": (make_dtd, "DTD"),
    "external_entity.docx": (make_external_entity, "DTD"),
    "deep.docx": (make_deep, "deeper than 256"),
    "many_entries.docx": (make_many_entries, "the limit is 10000"),
}


def make_all(folder, sample_docx):
    for name, (make, phrase) in DOCUMENTS.items():
        make(os.path.join(folder, name), sample_docx)
        stem = os.path.splitext(name)[0]
        with open(os.path.join(folder, stem + ".expected-error.txt"), "w",
                  encoding="utf-8", newline="\n") as f:
            f.write(phrase + "\n")
