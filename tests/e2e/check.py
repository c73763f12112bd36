#!/usr/bin/env python3
"""Runs the program on a script without a display and checks what comes out.

Each --script runs in turn on the same data folder, as the program started again on
the same device; their outputs follow one another, headed "== NAME" when there are
several. With --expected, standard output must match the file (after the machine's own paths
are replaced, see normalise); --update rewrites the file instead. With --fails-with,
the run must fail and its error output must hold the given text. With --writes, every
file named by a snapshot line of the script must exist afterwards.
"""
import argparse
import difflib
import os
import re
import subprocess
import sys
import tempfile


def normalise(text):
    # Pages load from the resources folder next to the build: keep only the part inside it.
    return re.sub(r'file://[^"\s]*?/resources/', "file://RESOURCES/", text)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--script", required=True, action="append")
    parser.add_argument("--expected")
    parser.add_argument("--update", action="store_true")
    parser.add_argument("--fails-with")
    parser.add_argument("--writes", action="store_true")
    parser.add_argument("extra", nargs="*", help="more options for the program")
    args = parser.parse_args()

    env = dict(os.environ, SDL_RENDER_DRIVER="software", LANG="en_US.UTF-8", TZ="UTC")
    with tempfile.TemporaryDirectory(prefix="mevara-e2e-") as temp:
        output = os.path.join(temp, "out")
        stdout, stderr, returncode, command = "", "", 0, []
        for script in args.script:
            command = [args.program, "--headless", "--data-dir", os.path.join(temp, "data"),
                       "--output", output, "--script", script] + args.extra
            run = subprocess.run(command, env=env, capture_output=True, text=True, timeout=300)
            if len(args.script) > 1:
                stdout += "== " + os.path.basename(script) + "\n"
            stdout += run.stdout
            stderr += run.stderr
            returncode = returncode or run.returncode
            if run.returncode != 0:
                break
        problems = []

        if args.fails_with is not None:
            if returncode == 0:
                problems.append("the script should have failed but exited with 0")
            if args.fails_with not in stderr:
                problems.append(f"error output lacks {args.fails_with!r}")
        elif returncode != 0:
            problems.append(f"exit status {returncode}")

        if args.expected:
            actual = normalise(stdout)
            if args.update:
                with open(args.expected, "w", encoding="utf-8") as f:
                    f.write(actual)
            else:
                with open(args.expected, encoding="utf-8") as f:
                    expected = f.read()
                if actual != expected:
                    diff = difflib.unified_diff(expected.splitlines(True), actual.splitlines(True),
                                                args.expected, "output")
                    problems.append("output differs from the expected dump:\n" + "".join(diff))

        if args.writes:
            names = []
            for script in args.script:
                with open(script, encoding="utf-8") as f:
                    names += [line.split()[1] for line in f if line.split()[:1] == ["snapshot"]]
            if not names:
                problems.append("the script takes no snapshots")
            for name in names:
                path = os.path.join(output, name)
                if not os.path.isfile(path) or os.path.getsize(path) < 100:
                    problems.append(f"no picture {name}")

        if problems:
            print("$ " + " ".join(command))
            print("stderr:\n" + stderr)
            print("\n".join(problems))
            return 1
        return 0


if __name__ == "__main__":
    sys.exit(main())
