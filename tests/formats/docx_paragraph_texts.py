#!/usr/bin/python3
"""Prints the paragraph texts of the main document of word-processing packages, read with
python-docx (an independent reader), for comparison with the editor's reader.

Usage: docx_paragraph_texts.py FILE...

For each file prints "=== FILE", then one line per paragraph of the body (table cells and content
controls included) in document order, or one line "!!! reason" when the package cannot be read.
In a paragraph's text: tabs are "\\t", breaks "\\n", backslashes "\\\\"; deleted text, field codes
and the content of drawings and alternate-content choices are left out.
"""

import sys

from docx.opc.package import OpcPackage
from docx.oxml import parse_xml

WORD_NAMESPACES = {
    "http://schemas.openxmlformats.org/wordprocessingml/2006/main",
    "http://purl.oclc.org/ooxml/wordprocessingml/main",
}
MARKUP_COMPATIBILITY = "http://schemas.openxmlformats.org/markup-compatibility/2006"
# Subtrees that are not the paragraph's own text (a ruby's "rt" is a phonetic guide over the text).
SKIPPED = {"del", "moveFrom", "pPr", "rPr", "drawing", "pict", "object", "instrText", "delText", "delInstrText",
           "txbxContent", "sdtPr", "sdtEndPr", "footnoteReference", "endnoteReference", "rt", "rubyPr"}


def split_name(element):
    tag = element.tag
    if not isinstance(tag, str) or not tag.startswith("{"):
        return None, None
    namespace, _, local = tag[1:].partition("}")
    return namespace, local


class FieldState:
    """Text between a field's begin and separate characters is its code, not its text."""

    def __init__(self):
        self.fields = []  # per open field: True while in its code

    def in_code(self):
        return any(self.fields)

    def char(self, kind):
        if kind == "begin":
            self.fields.append(True)
        elif kind == "separate" and self.fields:
            self.fields[-1] = False
        elif kind == "end" and self.fields:
            self.fields.pop()


def paragraph_text(paragraph, fields):
    pieces = []

    def walk(element):
        namespace, local = split_name(element)
        if namespace == MARKUP_COMPATIBILITY:
            if local == "AlternateContent":
                for child in element:
                    if split_name(child) == (MARKUP_COMPATIBILITY, "Fallback"):
                        for grandchild in child:
                            walk(grandchild)
            return
        if namespace not in WORD_NAMESPACES or local in SKIPPED:
            return
        if local == "fldChar":
            for name, value in element.attrib.items():
                if name.endswith("}fldCharType") or name == "fldCharType":
                    fields.char(value)
            return
        if local == "fldSimple":
            fields.fields.append(False)
            for child in element:
                walk(child)
            fields.fields.pop()
            return
        if not fields.in_code():
            if local == "t":
                pieces.append(element.text or "")
            elif local == "tab" and split_name(element.getparent())[1] == "r":
                pieces.append("\t")
            elif local in ("br", "cr"):
                pieces.append("\n")
            elif local == "noBreakHyphen":
                pieces.append("\u2011")
            elif local == "softHyphen":
                pieces.append("\u00ad")
            elif local == "sym":
                for name, value in element.attrib.items():
                    if name.endswith("}char"):
                        try:
                            pieces.append(chr(int(value, 16)))
                        except ValueError:
                            pass
        for child in element:
            walk(child)

    for child in paragraph:
        walk(child)
    return "".join(pieces)


def body_paragraphs(element, found):
    """The paragraphs of a block container, in order, through tables and wrappers."""
    for child in element:
        namespace, local = split_name(child)
        if namespace == MARKUP_COMPATIBILITY and local == "AlternateContent":
            for branch in child:
                if split_name(branch) == (MARKUP_COMPATIBILITY, "Fallback"):
                    body_paragraphs(branch, found)
            continue
        if namespace not in WORD_NAMESPACES or local in SKIPPED:
            continue
        if local == "p":
            found.append(child)
        else:
            body_paragraphs(child, found)


def escape(text):
    return text.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\n")


def print_file(path):
    print("=== " + path)
    try:
        package = OpcPackage.open(path)
        root = parse_xml(package.main_document_part.blob)
    except Exception as error:  # any failure: this reader cannot say what the text is
        print("!!! " + type(error).__name__)
        return
    bodies = [child for child in root if split_name(child)[1] == "body"]
    paragraphs = []
    for body in bodies:
        body_paragraphs(body, paragraphs)
    fields = FieldState()
    for paragraph in paragraphs:
        print(escape(paragraph_text(paragraph, fields)))


def main():
    for path in sys.argv[1:]:
        print_file(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
