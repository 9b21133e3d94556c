# Waits for the application's dialog named $PRESS_DIALOG on the accessibility bus, then picks
# its page tab named $PRESS_TAB and presses its button named $PRESS_BUTTON (either may be
# empty), the way assistive technology does: by the controls' names.
import os
import sys
import time

import pyatspi
from gi.repository import Atspi

Atspi.set_timeout(800, 15000)
dialog = os.environ["PRESS_DIALOG"]
tab = os.environ.get("PRESS_TAB", "")
button = os.environ.get("PRESS_BUTTON", "")


def walk(a, found):
    try:
        found.append(a)
        for i in range(a.childCount):
            c = a.getChildAtIndex(i)
            if c is not None:
                walk(c, found)
    except Exception:
        pass
    return found


def named(role, name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is None or "mirulane" not in (app.name or "").lower():
            continue
        for a in walk(app, []):
            try:
                if a.getRoleName() == role and a.name == name:
                    return a
            except Exception:
                pass
    return None


def press(a):
    try:
        a.queryAction().doAction(0)
    except Exception:
        pass  # a button that opens a modal dialog answers only when that dialog closes


deadline = time.time() + 30
while time.time() < deadline and named("dialog", dialog) is None:
    time.sleep(0.1)
for role, name in (("page tab", tab), ("push button", button)):
    if not name:
        continue
    control = named(role, name)
    if control is None:
        sys.exit("press-controls: no %s %s" % (role, name))
    press(control)
    time.sleep(0.3)
