#!/usr/bin/env python3
"""Writes the seed corpora of the schema.org reader's fuzz targets (fuzz/corpus/jsonld,
page_data, html_page) from the pages in tests/fixtures/auto and a few hand-made blocks. Run
from anywhere; the output is committed, so this is only needed when the fixtures change.
Deterministic: the same fixtures give the same files."""

import hashlib
import html.parser
import json
import re
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
PAGES = sorted((ROOT / "tests" / "fixtures" / "auto").glob("*.html"))
CORPUS = ROOT / "fuzz" / "corpus"
URL = "https://guia.example/a/p1.html"

# Blocks that reach what the fixture pages do not: escaped blocks, wrappers, keywords.
BLOCKS = [
    '{&quot;@type&quot;: &quot;Bakery&quot;, &quot;name&quot;: &quot;Pan&quot;, '
    '&quot;telephone&quot;: &quot;1&quot;}',
    '/*<![CDATA[*/{"@type": "Store", "name": "A", "address": "B",}/*]]>*/;',
    '{"@context": {"@vocab": "https://schema.org/"}, "@type": "Store", "name": {"@value": "V"},'
    ' "telephone": {"@list": ["1", 2, 3.5, true, null]}, "@reverse": {"x": {}}}',
    '{"@graph": [{"@id": "#a", "@type": "Dentist", "name": "D", "address": {"@id": "#b"}},'
    ' {"@id": "#b", "streetAddress": "S", "containedInPlace": {"@id": "#a"}}]}',
    '{"@type": "ItemList", "itemListElement": ["/x", {"@type": "ListItem", "url": "/y"},'
    ' {"@type": "ListItem", "item": {"@id": "https://z.example/1"}}]}',
    '[' * 20 + ']' * 20,
]


def put(target, data):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    (folder / hashlib.sha1(data).hexdigest()[:16]).write_bytes(data)


class PageData(html.parser.HTMLParser):
    """Rough page data of a fixture page in the collect script's format: enough structure
    for the fuzzer to start from."""

    VOID = {"meta", "link", "img", "br", "hr", "input", "source", "track", "embed", "area",
            "base", "col", "wbr", "param"}

    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.data = {"url": URL, "jsonLd": [], "microdata": [], "links": []}
        self.stack = []  # (tag, collected index or None, text parts)
        self.script = None

    def nearest(self):
        for _, index, _ in reversed(self.stack):
            if index is not None:
                return index
        return -1

    def handle_starttag(self, tag, attrs):
        a = {k: v or "" for k, v in attrs}
        index = None
        if "itemscope" in a or "itemprop" in a:
            index = len(self.data["microdata"])
            value = a.get("content", a.get("href", a.get("src", "")))
            self.data["microdata"].append([
                self.nearest(), tag, "itemscope" in a, a.get("itemtype", ""),
                a.get("itemprop", ""), a.get("itemref", ""), a.get("id", ""),
                "" if "itemscope" in a else value])
        if tag in ("a", "link"):
            self.data["links"].append([
                tag, a.get("rel", ""), a.get("href", ""), "", a.get("aria-label", ""),
                a.get("title", "")])
        if tag == "script" and "ld+json" in a.get("type", "").lower():
            self.script = []
        if tag not in self.VOID:
            self.stack.append((tag, index, []))

    def handle_endtag(self, tag):
        if tag == "script" and self.script is not None:
            self.data["jsonLd"].append("".join(self.script))
            self.script = None
        while self.stack:
            if self.stack.pop()[0] == tag:
                break

    def handle_data(self, data):
        if self.script is not None:
            self.script.append(data)
        elif self.stack and self.stack[-1][1] is not None:
            element = self.data["microdata"][self.stack[-1][1]]
            if not element[2] and not element[7]:
                element[7] = data.strip()


def main():
    for page in PAGES:
        raw = page.read_bytes()
        put("html_page", raw)
        reader = PageData()
        reader.feed(raw.decode("utf-8"))
        put("page_data", json.dumps(reader.data, ensure_ascii=False).encode("utf-8"))
        for block in reader.data["jsonLd"]:
            put("jsonld", block.strip().encode("utf-8"))
    for block in BLOCKS:
        put("jsonld", block.encode("utf-8"))
    put("jsonld", "\0".join(BLOCKS[:3]).encode("utf-8"))


if __name__ == "__main__":
    main()
