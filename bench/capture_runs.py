#!/usr/bin/env python3
"""Timed quillon-cli capture runs over loopback servers.

1. The Italian three-page search with its e-mail lookups, the listing host answering each
   listing page after a fixed delay: --lookup-concurrency 1 (one after another) against the
   default 8. Both runs must write the same rows.
2. A result page heavy with slow images (--site auto): --load-images against the default,
   which skips them. Both runs must write the same rows.

    python3 bench/capture_runs.py [--cli build/src/quillon-cli] [--delay 0.2] [--runs 3]
"""

import argparse
import functools
import http.server
import json
import os
import pathlib
import re
import statistics
import subprocess
import tempfile
import threading
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
FIXTURES = ROOT / "tests" / "fixtures"


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    delay = 0.0

    def log_message(self, *args):
        pass

    def do_GET(self):
        if self.delay:
            time.sleep(self.delay)
        super().do_GET()


class HeavyPageHandler(QuietHandler):
    """The auto fixture's first page with many images, each answered after a delay."""

    page = b""
    image_delay = 0.5

    def do_GET(self):
        if self.path.startswith("/slow/"):
            time.sleep(self.image_delay)
            body = bytes.fromhex("47494638396101000100800000000000ffffff21f90401000000002c00000000010001000002024401003b")
            self.send_response(200)
            self.send_header("Content-Type", "image/gif")
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)
        elif self.path == "/heavy.html":
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(self.page)))
            self.end_headers()
            self.wfile.write(self.page)
        else:
            super().do_GET()


def serve(handler, directory, **attributes):
    handler = type("Handler", (handler,), attributes)
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(handler, directory=str(directory)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


def timed_capture(cli, args, output):
    environment = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    if os.geteuid() == 0:
        environment["QTWEBENGINE_DISABLE_SANDBOX"] = "1"
    start = time.monotonic()
    subprocess.run([cli, "capture", *args, "--output", output], check=True,
                   env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    elapsed = time.monotonic() - start
    with open(output, encoding="utf-8") as rows:
        return elapsed, json.load(rows)


def compare(cli, label_a, args_a, label_b, args_b, runs, folder):
    times = {label_a: [], label_b: []}
    rows = {}
    for run in range(runs):
        for label, args in ((label_a, args_a), (label_b, args_b)):
            elapsed, table = timed_capture(cli, args, os.path.join(folder, f"{run}.json"))
            times[label].append(elapsed)
            rows.setdefault(label, table)
            if table != rows[label]:
                raise SystemExit(f"{label}: run {run} wrote other rows than run 0")
    if rows[label_a] != rows[label_b]:
        raise SystemExit(f"{label_a} and {label_b} wrote different rows")
    for label, values in times.items():
        print(f"  {label:<34} median {statistics.median(values):6.2f} s  "
              f"(min {min(values):.2f}, max {max(values):.2f}, {runs} runs)")
    print(f"  same rows: yes ({len(rows[label_a])} rows, "
          f"{sum(1 for row in rows[label_a] if len(row) > 9 and row[9])} with an e-mail)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--cli", default=str(ROOT / "build" / "src" / "quillon-cli"))
    parser.add_argument("--delay", type=float, default=0.2,
                        help="seconds before the listing host answers a listing page")
    parser.add_argument("--images", type=int, default=60)
    parser.add_argument("--image-delay", type=float, default=0.5)
    parser.add_argument("--runs", type=int, default=3)
    options = parser.parse_args()

    pages = serve(QuietHandler, FIXTURES)
    listings = serve(QuietHandler, FIXTURES / "it" / "www.paginegialle.it", delay=options.delay)
    first = f"http://127.0.0.1:{pages.server_port}/it/page1.html"
    route = ["--connect-to", f"www.paginegialle.it:80:127.0.0.1:{listings.server_port}"]
    with tempfile.TemporaryDirectory() as folder:
        print(f"Italian search, 3 pages, listing pages answered after {options.delay:.2f} s:")
        compare(options.cli,
                "lookups one after another (N=1)", ["--site", "it", first, *route,
                                                    "--lookup-concurrency", "1"],
                "lookups at once (N=8, default)", ["--site", "it", first, *route],
                options.runs, folder)

        page = (FIXTURES / "auto" / "page1.html").read_text(encoding="utf-8")
        images = "".join(f'<img src="/slow/{n}.gif" width="40" height="40">'
                         for n in range(options.images))
        page = re.sub(r"</body>", images + "</body>", page, count=1, flags=re.I)
        heavy = serve(HeavyPageHandler, FIXTURES / "auto", page=page.encode("utf-8"),
                      image_delay=options.image_delay)
        address = f"http://127.0.0.1:{heavy.server_port}/heavy.html"
        print(f"\nA page with {options.images} images, each answered after "
              f"{options.image_delay:.2f} s (--site auto, one page):")
        compare(options.cli,
                "images loaded (--load-images)", ["--site", "auto", address, "--max-pages", "1",
                                                  "--load-images"],
                "images skipped (default)", ["--site", "auto", address, "--max-pages", "1"],
                options.runs, folder)


if __name__ == "__main__":
    main()
