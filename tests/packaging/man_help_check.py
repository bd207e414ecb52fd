#!/usr/bin/env python3
"""Checks a manual page against its program's --help, so that the two cannot drift apart.

    man_help_check.py PROGRAM MANPAGE

Runs "PROGRAM --help" and, for every command that its "Commands:" list names,
"PROGRAM COMMAND --help". Then, comparing long options (--name) and commands:
  - the commands listed by --help are the ".SS" subsections under ".SH COMMANDS";
  - every option in a command's help is in that command's subsection or under OPTIONS,
    and every option in a subsection is in that command's help or the program's;
  - every option in the program's help is under OPTIONS, and the other way round;
  - every option anywhere in the page (examples too) is in some help.
Prints each disagreement and exits 1 if there is one.
"""

import re
import subprocess
import sys
from dataclasses import dataclass, field
from pathlib import Path

_OPTION = re.compile(r"(?<![\w-])--[A-Za-z0-9][A-Za-z0-9-]*")
_COMMAND_LINE = re.compile(r"^\s{2,}([a-z][a-z0-9-]*)(?:\s{2,}\S|\s*$)")


def long_options(text):
    """The long options (--name) that a text mentions."""
    return set(_OPTION.findall(text))


def help_commands(help_text):
    """The command names under the "Commands:" heading of a help text; None without one."""
    lines = help_text.splitlines()
    for i, line in enumerate(lines):
        if line.strip().lower() == "commands:":
            names = []
            for entry in lines[i + 1:]:
                match = _COMMAND_LINE.match(entry)
                if not match:
                    break
                names.append(match.group(1))
            return names
    return None


def roff_text(line):
    """A roff line as plain text: escapes resolved, fonts dropped, the macro name removed."""
    line = re.sub(r"\\f(\[[^]]*\]|\(..|.)", "", line)
    line = line.replace(r"\-", "-").replace(r"\(aq", "'").replace(r"\&", "").replace(r"\e", "\\")
    if line.startswith((".", "'")):
        parts = line[1:].split(None, 1)
        line = parts[1] if len(parts) > 1 else ""
    return line


@dataclass
class ManPage:
    """The parts of a manual page that the check compares, as plain text."""
    whole: str = ""
    options_section: str = ""
    commands: dict = field(default_factory=dict)  # name -> text of its subsection


def parse_man_page(source):
    page = ManPage()
    section = None
    command = None
    for raw in source.splitlines():
        if raw.startswith(('.\\"', "'\\\"")):
            continue
        if raw.startswith(".SH"):
            section = raw[3:].strip().strip('"').upper()
            command = None
            continue
        if raw.startswith(".SS") and section == "COMMANDS":
            command = raw[3:].strip().strip('"').split()[0]
            page.commands[command] = ""
            continue
        text = roff_text(raw) + "\n"
        page.whole += text
        if command is not None:
            page.commands[command] += text
        elif section == "OPTIONS":
            page.options_section += text
    return page


def compare(program, top_help, command_helps, man_source, man_name):
    """The disagreements between the help texts and a manual page, one message each.

    command_helps maps each command that top_help lists to its own --help text."""
    page = parse_man_page(man_source)
    problems = []
    listed = help_commands(top_help)
    if listed is None and page.commands:
        problems.append(f"'{program} --help' has no 'Commands:' list, but {man_name} describes "
                        f"commands: {', '.join(sorted(page.commands))}")
    for name in listed or []:
        if name not in page.commands:
            problems.append(f"command '{name}' of '{program} --help' has no '.SS {name}' "
                            f"under '.SH COMMANDS' in {man_name}")
    for name in page.commands:
        if listed is not None and name not in listed:
            problems.append(f"command '{name}' in {man_name} is not listed by '{program} --help'")

    top_options = long_options(top_help)
    general = long_options(page.options_section)
    for option in sorted(top_options - general):
        problems.append(f"option {option} of '{program} --help' is not under OPTIONS in {man_name}")
    for option in sorted(general - top_options):
        problems.append(f"option {option} under OPTIONS in {man_name} is not in '{program} --help'")

    for name, text in command_helps.items():
        if name not in page.commands:
            continue
        in_help = long_options(text)
        in_section = long_options(page.commands[name])
        for option in sorted(in_help - in_section - general):
            problems.append(f"option {option} of '{program} {name} --help' is not in the "
                            f"'{name}' section (nor under OPTIONS) of {man_name}")
        for option in sorted(in_section - in_help - top_options):
            problems.append(f"option {option} in the '{name}' section of {man_name} is not in "
                            f"'{program} {name} --help'")

    every_help = top_options.union(*(long_options(text) for text in command_helps.values()))
    for option in sorted(long_options(page.whole) - every_help):
        problems.append(f"option {option} in {man_name} is in no --help of {program}")
    return problems


def run_help(program, *args):
    """The standard output of "program ARGS... --help"; raises when it fails."""
    done = subprocess.run([program, *args, "--help"], capture_output=True, timeout=120,
                          stdin=subprocess.DEVNULL)
    text = done.stdout.decode("utf-8", "replace")
    if done.returncode != 0 or not text.strip():
        raise RuntimeError(f"'{' '.join([Path(program).name, *args, '--help'])}' exited with "
                           f"{done.returncode} and printed:\n{text}"
                           f"{done.stderr.decode('utf-8', 'replace')}")
    return text


def main(argv):
    if len(argv) != 3:
        print("usage: man_help_check.py PROGRAM MANPAGE", file=sys.stderr)
        return 2
    program, man_path = argv[1], Path(argv[2])
    name = Path(program).name
    try:
        top_help = run_help(program)
        command_helps = {command: run_help(program, command)
                         for command in help_commands(top_help) or []}
    except (RuntimeError, OSError, subprocess.TimeoutExpired) as error:
        print(f"man_help_check: {error}", file=sys.stderr)
        return 1
    problems = compare(name, top_help, command_helps, man_path.read_text(encoding="utf-8"),
                       man_path.name)
    for problem in problems:
        print(problem)
    if problems:
        print(f"{man_path}: {len(problems)} disagreement(s) with {name}'s --help")
        return 1
    print(f"{man_path.name}: agrees with '{name} --help' ({len(command_helps)} commands)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
