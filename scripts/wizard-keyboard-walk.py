"""Makes a report in velmora-wizard with the keyboard alone, through the
accessibility bus, and has Velmora show it; a screenshot of the screen after
each step goes to OUTDIR when a grabber is given. Reading the controls is
what a screen reader does; every action in the wizard is a key press. Velmora's
start window, which a bare X server gives no keyboard focus, has its view
button pressed through the bus.

Run inside ../shared/tools/with-desktop.sh, from the project root, after a build:

    with-desktop.sh /usr/bin/python3 scripts/wizard-keyboard-walk.py build OUTDIR [GRABBER]

GRABBER is a program that saves the screen to the file it is given."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "shared", "tools"))
import atspi  # noqa: E402
import pyatspi  # noqa: E402

build, outdir = sys.argv[1], sys.argv[2]
grabber = sys.argv[3] if len(sys.argv) > 3 else None
database = os.path.abspath("examples/empresa.mdb")
report = os.path.join(os.path.abspath(outdir), "assistent-teclat.rpt")
os.makedirs(outdir, exist_ok=True)
if os.path.exists(report):
    os.remove(report)

KEYS = {"Tab": 0xFF09, "Return": 0xFF0D, "Down": 0xFF54, "Right": 0xFF53, "space": 0x20, "Home": 0xFF50,
        "a": 0x61}
ALT, CTRL = 64, 37  # keycodes of Alt_L and Control_L under Xvfb


def key(name, modifier=None):
    if modifier:
        pyatspi.Registry.generateKeyboardEvent(modifier, None, pyatspi.KEY_PRESS)
    pyatspi.Registry.generateKeyboardEvent(KEYS[name], None, pyatspi.KEY_SYM)
    if modifier:
        pyatspi.Registry.generateKeyboardEvent(modifier, None, pyatspi.KEY_RELEASE)
    time.sleep(0.15)


def type_text(text):
    pyatspi.Registry.generateKeyboardEvent(0, text, pyatspi.KEY_STRING)
    time.sleep(0.3)


def focused(root):
    """The names of what says it has the keyboard (a page tab may say so beside the real control)."""
    names = []
    for a in atspi.walk(root):
        try:
            if a.getState().contains(pyatspi.STATE_FOCUSED):
                names.append(a.name or "")
                # A combo box's focused part is the item it shows.
                for up in (a.parent, a.parent and a.parent.parent):
                    if up is not None and up.getRoleName() == "combo box":
                        names.append(up.name or "")
        except Exception:
            pass
    return names


def tab_to(root, name, limit=60):
    for _ in range(limit):
        if name in focused(root):
            return
        key("Tab")
    raise RuntimeError("Tab never reached %r (focus on %r)" % (name, focused(root)))


def tabs(count):
    for _ in range(count):
        key("Tab")


def items_of(root, name):
    control = atspi.find(root, name=name)
    return [c.name for c in atspi.walk(control) if c.getRoleName() in ("list item", "table cell", "menu item")]


def down_to(index):
    key("Home")
    for _ in range(index):
        key("Down")


def shoot(step):
    time.sleep(1.2)
    if grabber:
        subprocess.run([grabber, os.path.join(outdir, "teclat-pas-%d.png" % step)], check=False)


def heading(root):
    return atspi.find(root, name="Pas de l'assistent")


wizard = subprocess.Popen([os.path.join(build, "velmora-wizard"), report])
app = atspi.app("velmora-wizard")
win = atspi.window(app, "Assistent d'informes")
time.sleep(1)

# 1. The database: typed into the path box, Return opens it.
tab_to(win, "Fitxer de la base de dades")
type_text(database)
key("Return")
shoot(1)
key("Right", ALT)

# 2. The tables, ticked with Space in the order of the report.
tab_to(win, "Taules de l'informe")
names = items_of(win, "Taules de l'informe")
for table in ("LiniesComanda", "Comandes", "Clients", "Productes"):
    down_to(names.index(table))
    key("space")
shoot(2)
key("Right", ALT)

# 3. The fields: Return on a field adds it.
tab_to(win, "Camps disponibles")
fields = items_of(win, "Camps disponibles")
for field in ("Comandes.IdComanda", "Comandes.DataComanda", "Productes.Descripcio", "LiniesComanda.Quantitat",
              "LiniesComanda.PreuUnitari"):
    down_to(fields.index(field))
    key("Return")
shoot(3)
key("Right", ALT)

# 4. Groups: country, then client. Each step starts on its first control,
# and Tab follows the rows: field, order, next field...
offered = ["(cap)"] + fields
time.sleep(0.5)
down_to(offered.index("Clients.Pais"))
tabs(2)
down_to(offered.index("Clients.Nom"))
tabs(4)
down_to(offered.index("Comandes.DataComanda"))
shoot(4)
key("Right", ALT)

# 5. Totals: the sum of the quantities (the second numeric column; five boxes a row).
time.sleep(0.5)
tabs(5)
key("space")
shoot(5)
key("Right", ALT)

# 6. No filter.
shoot(6)
key("Right", ALT)

# 7. Title; Velmora to show the report; Ctrl+Return finishes.
time.sleep(0.5)
key("a", CTRL)
type_text("Vendes per país i client")
tabs(8)
key("space")
shoot(7)
key("Return", CTRL)

viewer = atspi.app("Velmora", timeout=30)
time.sleep(3)
shoot(8)
# Velmora's start window holds the report, database and password; its view
# button is pressed through the bus, as a screen reader's "activate" does.
start = viewer.getChildAtIndex(0)
buttons = [a for a in atspi.walk(start)
           if a.getRoleName() == "push button" and not (a.name or "").startswith("Seleccionar")]
atspi.press(buttons[-1])
time.sleep(5)
shoot(9)
print("report written:", os.path.exists(report), report)
print("Velmora windows:", [viewer.getChildAtIndex(i).name for i in range(viewer.childCount)])
wizard.wait(timeout=10)
# Velmora was started by the wizard: closed by its own process id.
os.kill(viewer.get_process_id(), 15)
