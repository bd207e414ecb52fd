#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets (fuzz/corpus/<name>/) from the fixture
pages in tests/fixtures. Run from anywhere; the output is committed, so this is only
needed when the fixtures change. Deterministic: the same fixtures give the same files."""

import hashlib
import html.parser
import random
import shutil
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FIXTURES = ROOT / "tests" / "fixtures"
CORPUS = ROOT / "fuzz" / "corpus"
SITES = {"es": 0, "it": 1, "au": 2, "ca": 3}
LIMIT = 4096  # seeds stay small, so the fuzzer mutates them quickly


def put(target, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    data = data[:LIMIT]
    (folder / hashlib.sha1(data).hexdigest()[:16]).write_bytes(data)


def page_texts():
    for site, code in SITES.items():
        for page in sorted((FIXTURES / site).glob("page*.expected.txt")):
            yield site, code, page.read_bytes()


def blocks(text):
    """The cut of a page text into listing blocks (three characters of separator and two
    more end a block; the second of those begins the next)."""
    out = []
    while True:
        at = text.find(b"+-+")
        if at < 0:
            out.append(text)
            return out
        out.append(text[: at + 5])
        text = text[at + 4:]
        if not text:
            return out


class Snapshot(html.parser.HTMLParser):
    """Rough document snapshots of the fixture pages in the browser adapter's wire format:
    enough structure for the fuzzer to start from."""

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.elements = []  # [tag, cls, id, text parts, start offset, href]
        self.stack = []
        self.raw = ""

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        element = [tag.upper(), a.get("class") or "", a.get("id") or "", [], a.get("href") or ""]
        self.elements.append(element)
        if tag not in ("br", "img", "meta", "link", "input", "hr"):
            self.stack.append(element)

    def handle_endtag(self, tag):
        while self.stack:
            if self.stack.pop()[0] == tag.upper():
                break

    def handle_data(self, data):
        for element in self.stack:
            element[3].append(data)


def snapshot(page):
    parser = Snapshot()
    parser.feed(page.decode("utf-8", "replace"))
    elements = parser.elements
    tags = [e[0] for e in elements]
    body_start = tags.index("BODY") + 1 if "BODY" in tags else len(elements)
    parts = []

    def field(s):
        parts.append(f"{len(s.encode('utf-16-le')) // 2}:{s}")

    for tag, cls, ident, text, href in elements:
        inner = "".join(text)
        field(tag)
        field(cls)
        field(ident)
        field(" ".join(inner.split()))
        field(inner)
        field(f"<{tag.lower()} class=\"{cls}\">{inner}</{tag.lower()}>")
        field(href if tag == "A" else "")
    head = f"1,1,{body_start},{len(elements) - body_start},{len(elements)};"
    text = head + "".join(parts)
    try:
        return b"\x00" + text.encode("latin-1")
    except UnicodeEncodeError:
        return b"\x01" + text.encode("utf-16-le")


def main():
    shutil.rmtree(CORPUS, ignore_errors=True)
    rng = random.Random(20240601)

    for site, code, text in page_texts():
        put("page_cut", bytes([code]) + text)
        put("text", text[:512])
        for block in blocks(text)[:6]:
            put("listing", bytes([code]) + block)
            put("finders", block)
    put("text", "Teléfono € 😀 Đ Ā".encode("utf-8"))
    put("text", "Tel\u00e9fono \u20ac".encode("utf-16-le"))

    for page in sorted(FIXTURES.glob("it/www.paginegialle.it/**/*.html")):
        put("page_lines", page.read_bytes())
        put("finders", page.read_bytes())
    put("page_lines", b"one\r\ntwo\rthree\nfour\r\n\r\nlast")
    put("page_lines", b"before\x00after\r\n")

    for site in SITES:
        for page in sorted((FIXTURES / site).glob("page*.html"))[:2]:
            put("dom_snapshot", snapshot(page.read_bytes()))
    put("dom_snapshot", b"\x000,0,0,0,0;")
    put("dom_snapshot", b"\x001,1,1,1,2;4:BODY0:0:-----0:1:A0:0:4:next4:next19:<a>Siguiente &gt;</a>3:h:x")

    for _ in range(8):
        put("results_table", bytes(rng.randrange(256) for _ in range(rng.randrange(16, 400))))
    for row in (FIXTURES / "es" / "rows.tsv").read_bytes().split(b"\n")[:4]:
        put("writers", b"\x01\x03" + row)
    for _ in range(6):
        put("writers", bytes(rng.randrange(256) for _ in range(rng.randrange(8, 300))))
    # A cell "'" + tab: the .csv guard goes before the cell's own apostrophes.
    put("writers", b"\x01\x03\x01paromJa\xa4\x92\x93i\x90\xce\xd30\xdf\xdf\xcf'\t" + bytes(7)
        + b"5210\tA\x8c\x9c\xfe\xfe\x90\x9d\x9a\x91\x01\x03\x01\x00")


if __name__ == "__main__":
    main()
