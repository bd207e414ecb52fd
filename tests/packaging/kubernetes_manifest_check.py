#!/usr/bin/env python3
"""Checks the Kubernetes manifests under packaging/kubernetes against the program they run.

    kubernetes_manifest_check.py QUILLON-CLI BATCH.yaml MERGE.yaml

Each file must be valid YAML. The batch file must hold an Indexed Job whose pods each read
one shard (--shard from JOB_COMPLETION_INDEX, SHARDS equal to the completions) and resume
their journal when started again; the merge file a Job that runs "quillon-cli merge". Every
quillon-cli command that a pod's script runs, and each of its long options, must be one
that the program's --help names; the scripts must be valid shell. Prints each problem and
exits 1 if there is one.
"""

import re
import subprocess
import sys

import yaml

_CALL = re.compile(r"quillon-cli\s+([a-z]+)((?:\\\n|[^\n])*)")
_OPTION = re.compile(r"(?<![\w-])--[A-Za-z0-9][A-Za-z0-9-]*")


def documents(path):
    with open(path, encoding="utf-8") as stream:
        return [doc for doc in yaml.safe_load_all(stream) if doc is not None]


def help_of(program, command):
    run = subprocess.run([program, command, "--help"], capture_output=True, text=True)
    return run.stdout if run.returncode == 0 else None


def only_job(path, problems):
    jobs = [doc for doc in documents(path) if doc.get("kind") == "Job"]
    if len(jobs) != 1 or jobs[0].get("apiVersion") != "batch/v1":
        problems.append(f"{path}: one batch/v1 Job expected, found {len(jobs)}")
        return None
    return jobs[0]


def script_of(job, path, problems):
    """The pod's container and the shell script it runs."""
    container = job["spec"]["template"]["spec"]["containers"][0]
    if container.get("command") != ["/bin/sh", "-c"] or len(container.get("args", [])) != 1:
        problems.append(f"{path}: the container does not run one script with /bin/sh -c")
        return container, ""
    return container, container["args"][0]


def check_calls(program, path, script, expected, problems):
    calls = _CALL.findall(script)
    if expected not in {command for command, _ in calls}:
        problems.append(f"{path}: no 'quillon-cli {expected}' in the pod's script")
    for command, rest in calls:
        text = help_of(program, command)
        if text is None:
            problems.append(f"{path}: quillon-cli has no command '{command}'")
            continue
        for option in sorted(set(_OPTION.findall(rest)) - set(_OPTION.findall(text))):
            problems.append(f"{path}: 'quillon-cli {command} --help' names no {option}")
    shell = subprocess.run(["/bin/sh", "-n", "-c", script], capture_output=True, text=True)
    if shell.returncode != 0:
        problems.append(f"{path}: the pod's script is not valid shell: {shell.stderr.strip()}")


def check_batch(program, path, problems):
    job = only_job(path, problems)
    if job is None:
        return
    desired = job["spec"]  # Kubernetes' name for an object's desired state
    if desired.get("completionMode") != "Indexed":
        problems.append(f"{path}: the Job is not an Indexed Job")
    container, script = script_of(job, path, problems)
    shards = {e["name"]: e.get("value") for e in container.get("env", [])}.get("SHARDS")
    if shards is None or int(shards) != desired.get("completions"):
        problems.append(f"{path}: SHARDS ({shards}) is not the completions "
                        f"({desired.get('completions')})")
    if job["spec"]["template"]["spec"].get("restartPolicy") != "Never":
        problems.append(f"{path}: a pod that fails must be started anew (restartPolicy Never)")
    for needed in ("JOB_COMPLETION_INDEX", "--shard", "--journal", "--resume", "--output"):
        if needed not in script:
            problems.append(f"{path}: the pod's script does not use {needed}")
    check_calls(program, path, script, "capture", problems)


def check_merge(program, path, problems):
    job = only_job(path, problems)
    if job is None:
        return
    _, script = script_of(job, path, problems)
    check_calls(program, path, script, "merge", problems)


def main(argv):
    if len(argv) != 4:
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    program, batch, merge = argv[1:]
    problems = []
    try:
        check_batch(program, batch, problems)
        check_merge(program, merge, problems)
    except (yaml.YAMLError, KeyError, IndexError, TypeError, ValueError) as error:
        problems.append(f"not the expected manifest: {error}")
    for problem in problems:
        print(problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
