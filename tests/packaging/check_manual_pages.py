"""Every option of `velmora-export --help` and every format the program
accepts is in its manual page and in its bash completion; both manual pages
format without a warning from man."""
import os
import re
import subprocess
import sys

program, source = sys.argv[1], sys.argv[2]
problems = []


def run(*arguments):
    return subprocess.run([program, *arguments], capture_output=True, text=True)


def page_text(name):
    with open(os.path.join(source, "man", name), encoding="utf-8") as f:
        return f.read().replace("\\-", "-")


help_text = run("--help").stdout
options = set(re.findall(r"^\s+(--?[a-z][a-z-]*)", help_text, re.MULTILINE))
if "--format" not in options:
    problems.append("--help lists no options: %r" % help_text)

# The program names every format it knows when given one it does not.
refusal = run("--format", "?", "--output", "x", "a", "b").stderr
listed = re.search(r"Els formats són: (.+?)\.(?:\s|$)", refusal)
formats = listed.group(1).split(", ") if listed else []
if not formats:
    problems.append("no format list in %r" % refusal)

manual = page_text("velmora-export.1")
with open(os.path.join(source, "completion", "velmora-export"), encoding="utf-8") as f:
    completion = f.read()
for option in sorted(options):
    if not re.search(r"\.B[IR]? [^\n]*" + re.escape(option) + r"\b", manual):
        problems.append("option %s is not described in velmora-export.1" % option)
    if option.startswith("--") and option not in completion:
        problems.append("option %s is not in the bash completion" % option)
for name in formats:
    if not re.search(r"^\.B " + re.escape(name) + "$", manual, re.MULTILINE):
        problems.append("format %s is not described in velmora-export.1" % name)
    if not re.search(r"[ ']" + re.escape(name) + r"[ ']", completion):
        problems.append("format %s is not in the bash completion" % name)

for name in ("Velmora.1", "velmora-export.1"):
    checked = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", os.path.join(source, "man", name)],
                             capture_output=True, text=True, env={**os.environ, "MANWIDTH": "80", "LC_ALL": "C.UTF-8"})
    if checked.returncode != 0 or checked.stderr.strip():
        problems.append("%s: %s" % (name, checked.stderr.strip() or "man failed"))

for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
