#!/usr/bin/env python3
"""The manifest check finds what it is there to find: run against faulty copies.

    kubernetes_manifest_check_test.py QUILLON-CLI BATCH.yaml MERGE.yaml
"""

import pathlib
import subprocess
import sys
import tempfile

CHECK = pathlib.Path(__file__).with_name("kubernetes_manifest_check.py")


def problems(program, batch_text, merge_text):
    with tempfile.TemporaryDirectory() as folder:
        batch = pathlib.Path(folder, "batch.yaml")
        merge = pathlib.Path(folder, "merge.yaml")
        batch.write_text(batch_text, encoding="utf-8")
        merge.write_text(merge_text, encoding="utf-8")
        run = subprocess.run([sys.executable, str(CHECK), program, str(batch), str(merge)],
                             capture_output=True, text=True)
        return run.returncode, run.stdout


def main(argv):
    program, batch, merge = argv[1], pathlib.Path(argv[2]).read_text(), pathlib.Path(argv[3]).read_text()
    faults = {
        "an option the program lacks": (batch.replace("--shard ", "--part "), merge, "--part"),
        "a command the program lacks": (batch, merge.replace("cli merge", "cli join"), "join"),
        "not an Indexed Job": (batch.replace("completionMode: Indexed", "completionMode: NonIndexed"),
                               merge, "not an Indexed Job"),
        "shards unlike completions": (batch.replace('value: "4"', 'value: "3"'), merge, "SHARDS"),
        "a script that is not shell": (batch.replace("      fi\n", "      \n"), merge, "not valid shell"),
        "YAML that does not parse": (batch + "\n  - : [", merge, "not the expected manifest"),
    }
    failed = False
    status, said = problems(program, batch, merge)
    if status != 0:
        print(f"the shipped manifests are refused:\n{said}")
        failed = True
    for fault, (faulty_batch, faulty_merge, expected) in faults.items():
        status, said = problems(program, faulty_batch, faulty_merge)
        if status != 1 or expected not in said:
            print(f"{fault}: not found (status {status}):\n{said}")
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
