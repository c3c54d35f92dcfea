"""Every option of `velmora-wizard --help` is in its manual page and in its
bash completion, the page formats without a warning from man, and the
desktop entry starts the program with its icon."""
import os
import re
import subprocess
import sys

program, source = sys.argv[1], sys.argv[2]
problems = []

help_text = subprocess.run([program, "--help"], capture_output=True, text=True,
                           env={**os.environ, "QT_QPA_PLATFORM": "offscreen"}).stdout
options = set(re.findall(r"(?:^\s+|, )(--?[a-z][a-z-]*)", help_text, re.MULTILINE))
if "--database" not in options:
    problems.append("--help lists no options: %r" % help_text)

with open(os.path.join(source, "man", "velmora-wizard.1"), encoding="utf-8") as f:
    manual = f.read().replace("\\-", "-")
with open(os.path.join(source, "completion", "velmora-wizard"), encoding="utf-8") as f:
    completion = f.read()
for option in sorted(options):
    if not re.search(r"\.B[IR]? [^\n]*" + re.escape(option) + r"\b", manual):
        problems.append("option %s is not described in velmora-wizard.1" % option)
    if option.startswith("--") and option not in completion:
        problems.append("option %s is not in the bash completion" % option)

checked = subprocess.run(["man", "--warnings", "-E", "UTF-8", "-l", os.path.join(source, "man", "velmora-wizard.1")],
                         capture_output=True, text=True, env={**os.environ, "MANWIDTH": "80", "LC_ALL": "C.UTF-8"})
if checked.returncode != 0 or checked.stderr.strip():
    problems.append("velmora-wizard.1: %s" % (checked.stderr.strip() or "man failed"))

with open(os.path.join(source, "resources", "velmora-wizard.desktop"), encoding="utf-8") as f:
    entry = f.read()
for line in ("Exec=velmora-wizard %f", "Icon=velmora-wizard", "Type=Application"):
    if line not in entry.splitlines():
        problems.append("the desktop entry lacks %r" % line)
for size in (16, 32, 48):
    if not os.path.exists(os.path.join(source, "resources", "app", "velmora-wizard-%d.png" % size)):
        problems.append("no %d-pixel icon" % size)

for problem in problems:
    print(problem)
sys.exit(1 if problems else 0)
