#!/usr/bin/env python3
"""Runs the hand-made mutations of tests/mutations.md, one at a time, and
prints the tests that kill each. Usage: tests/mutate.py [--label L] [ID ...]"""
import argparse
import pathlib
import re
import subprocess
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent


def mutations():
    for line in (ROOT / "tests/mutations.md").read_text().splitlines():
        cells = [c.strip().replace("\\|", "|") for c in re.split(r"(?<!\\)\|", line)[1:-1]]
        if len(cells) == 5 and re.fullmatch(r"M\d+", cells[0]):
            yield [cells[0]] + [c.strip("`").replace("\\n", "\n") for c in cells[1:4]]


def failed_tests(build, label):
    subprocess.run(["cmake", "--build", build], check=True, capture_output=True)
    run = subprocess.run(["ctest", "--test-dir", build, "-L", label, "-j2", "--timeout", "120"],
                         capture_output=True, text=True)
    failed = run.stdout.partition("The following tests FAILED:")[2]
    return sorted(set(re.findall(r"^\s*\d+ - (\S+)", failed, re.M)))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--preset", default="linux")
    parser.add_argument("--label", default="unit|e2e")
    parser.add_argument("ids", nargs="*")
    args = parser.parse_args()
    build = str(ROOT / "build" / args.preset)
    survivors = 0
    for ident, path, find, replace in mutations():
        if args.ids and ident not in args.ids:
            continue
        file = ROOT / path
        original = file.read_text()
        if original.count(find) != 1:
            sys.exit(f"{ident}: the text to replace is not in {path} exactly once")
        try:
            file.write_text(original.replace(find, replace))
            killers = failed_tests(build, args.label)
        except subprocess.CalledProcessError:
            killers = ["(does not build)"]
        finally:
            file.write_text(original)
        survivors += not killers
        print(f"{ident}\t{', '.join(killers) or 'SURVIVED'}", flush=True)
    subprocess.run(["cmake", "--build", build], check=True, capture_output=True)
    return 1 if survivors else 0


if __name__ == "__main__":
    sys.exit(main())
