#!/usr/bin/env python3
"""Unit tests of man_help_check: the agreement rules on small help texts and pages."""

import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from man_help_check import compare, help_commands, long_options  # noqa: E402

TOP_HELP = """Usage: tool COMMAND [ARGS...]

Commands:
  walk      walk a page
  rows      print rows

Run 'tool COMMAND --help' for its arguments; 'tool --version' prints the version.
"""
HELPS = {
    "walk": "Usage: tool walk --site S [--no-reveal]\n\n  --no-reveal   keep the page\n",
    "rows": "Usage: tool rows --site S [--output FILE]\n",
}
PAGE = r""".TH TOOL 1
.\" "tool --secret" in a comment is no option of the page.
.SH SYNOPSIS
.B tool
.RB [ \-\-help | \-\-version ]
.SH OPTIONS
.TP
.B \-\-help
.TP
.B \-\-version
.SH COMMANDS
.SS walk
.TP
.BI \-\-site " S"
.TP
.B \-\-no\-reveal
.SS rows
\fB\-\-site\fR and \fB\-\-output\fP \fIFILE\fR
.SH EXAMPLES
tool rows \-\-site es \-\-output a.csv
"""


def problems(page=PAGE, top=TOP_HELP, helps=None):
    return compare("tool", top, HELPS if helps is None else helps, page, "tool.1")


class HelpTextTest(unittest.TestCase):
    def test_long_options_are_words_after_two_dashes(self):
        self.assertEqual(long_options("a --x-y [--z2] -v --- x--y --"), {"--x-y", "--z2"})

    def test_commands_are_the_indented_names_under_the_heading(self):
        self.assertEqual(help_commands(TOP_HELP), ["walk", "rows"])
        self.assertIsNone(help_commands("Usage: tool [--help]\n"))


class CompareTest(unittest.TestCase):
    def test_a_matching_page_has_no_problems(self):
        self.assertEqual(problems(), [])

    def test_an_option_missing_from_its_command_section(self):
        found = problems(PAGE.replace(".B \\-\\-no\\-reveal\n", ""))
        self.assertEqual(len(found), 1)
        self.assertIn("--no-reveal of 'tool walk --help'", found[0])

    def test_an_option_the_help_no_longer_has(self):
        helps = dict(HELPS, rows="Usage: tool rows --site S\n")
        found = problems(helps=helps)
        self.assertTrue(any("--output in the 'rows' section" in p for p in found), found)
        self.assertTrue(any("--output in tool.1 is in no --help" in p for p in found), found)

    def test_an_option_only_in_an_example(self):
        found = problems(PAGE + "tool walk \\-\\-slow\n")
        self.assertEqual(found, ["option --slow in tool.1 is in no --help of tool"])

    def test_a_global_option_need_not_be_repeated_in_each_command(self):
        helps = {name: text + "  --help   print this\n" for name, text in HELPS.items()}
        self.assertEqual(problems(helps=helps), [])

    def test_a_program_option_must_be_under_options(self):
        found = problems(PAGE.replace(".B \\-\\-version\n", ""))
        self.assertIn("option --version of 'tool --help' is not under OPTIONS in tool.1", found)

    def test_commands_missing_on_either_side(self):
        found = problems(PAGE.replace(".SS rows", ".SS export"),
                         helps={"walk": HELPS["walk"]})
        self.assertIn("command 'rows' of 'tool --help' has no '.SS rows' under '.SH COMMANDS' "
                      "in tool.1", found)
        self.assertIn("command 'export' in tool.1 is not listed by 'tool --help'", found)

    def test_a_help_without_its_command_list(self):
        found = problems(top="Usage: tool [--help] [--version]\n", helps={})
        self.assertTrue(any("has no 'Commands:' list" in p for p in found), found)


if __name__ == "__main__":
    unittest.main()
