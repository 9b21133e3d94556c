#!/usr/bin/python3
# Measures how the window answers while a long run works: opens an album of large, slow
# pictures in the desktop application under a private X server and accessibility bus, starts
# "サムネイルの抽出" with thumbnails made for pictures without one, asks the window something
# every 200 ms (its title, the list's row count, the dialog's counter and state) and times each
# answer, resizes the window once, presses ｷｬﾝｾﾙ after a few pictures and tells how soon the run
# stopped and how many thumbnails it wrote. Exit status 1 when an answer took longer than
# 250 ms or the run went on for more than three pictures after ｷｬﾝｾﾙ.
#   dbus-run-session -- /usr/bin/python3 scripts/measure-run-answers.py PROGRAM [PICTURES] [CANCEL-AFTER]
#       PROGRAM: build/ci/src/ui/mirulane (mirulane-cli beside its folder writes the album);
#       PICTURES: 60; CANCEL-AFTER: 5 pictures done.
# Needs: xvfb at-spi2-core python3-pyatspi dbus imagemagick xdotool (the system python).
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

program = os.path.abspath(sys.argv[1])
count = int(sys.argv[2]) if len(sys.argv) > 2 else 60
cancel_after = int(sys.argv[3]) if len(sys.argv) > 3 else 5

work = tempfile.mkdtemp(prefix="measure-run-")
photos = os.path.join(work, "photos")
os.makedirs(photos)
# One 12-megapixel picture of noise (slow to decode and shrink), linked under every name.
first = os.path.join(photos, "P000.png")
subprocess.run(["convert", "-size", "4000x3000", "plasma:", first], check=True)
names = ["P%03d.png" % i for i in range(count)]
for name in names[1:]:
    os.link(first, os.path.join(photos, name))
# The album's options as the command line writes them for this folder (it leaves the PNG files
# out by its filter), then one entry per picture.
cli = os.path.join(os.path.dirname(os.path.dirname(program)), "mirulane-cli")
album = os.path.join(work, "album.txt")
quiet = dict(os.environ, HOME=work, XDG_CONFIG_HOME=work)
subprocess.run([cli, "scan", photos, "-o", album], env=quiet, check=True,
               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
with open(album, "rb") as f:
    head = f.read().rstrip(b"\r\n")
columns = head.split(b"\r\n")[-1].count(b"\t") + 1
with open(album, "wb") as f:
    f.write(head + b"\r\n")
    for name in names:
        base = name[:-4]
        fields = [name, base, base, "", "png"] + [""] * (columns - 5)
        f.write("\t".join(fields).encode("cp932") + b"\r\n")
thumbs = os.path.join(photos, "thumb")  # the album's thumbnail folder

display = ":%d" % (50 + os.getpid() % 40)
env = dict(os.environ, DISPLAY=display, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
           XDG_RUNTIME_DIR=work, HOME=work, XDG_CONFIG_HOME=work)
env.pop("QT_QPA_PLATFORM", None)
procs = [subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x900x24", "-nolisten", "tcp"],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)]
time.sleep(1)
procs.append(subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
time.sleep(1)
import pyatspi  # noqa: E402  (needs the bus started above)
from gi.repository import Atspi  # noqa: E402

Atspi.set_timeout(3000, 15000)
app_proc = subprocess.Popen([program, album], env=env)


def walk(a, depth=0, out=None):
    out = [] if out is None else out
    try:
        out.append((a.getRoleName(), a.name or "", a))
        if a.getRoleName() == "table":
            return out
        for i in range(a.childCount):
            c = a.getChildAtIndex(i)
            if c is not None and depth < 14:
                walk(c, depth + 1, out)
    except Exception:
        pass
    return out


def find(role, name, root):
    for r, n, a in walk(root):
        if r == role and n.split("\t")[0] == name:
            return a
    return None


def finish(status):
    app_proc.kill()
    for p in reversed(procs):
        p.terminate()
    shutil.rmtree(work, ignore_errors=True)
    sys.exit(status)


app = None
for _ in range(100):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        a = desktop.getChildAtIndex(i)
        try:
            if a is not None and "mirulane" in (a.name or "").lower() and a.childCount > 0:
                app = a
        except Exception:
            pass
    if app or app_proc.poll() is not None:
        break
    time.sleep(0.2)
if app is None:
    print("no window appeared")
    finish(2)
time.sleep(2)

item = find("menu item", "サムネイルの抽出(T)...", app)


def open_dialog():
    # The item opens a modal dialog: its call is answered only when the dialog closes.
    try:
        item.queryAction().doAction(0)
    except Exception:
        pass


threading.Thread(target=open_dialog, daemon=True).start()
dialog = None
for _ in range(50):
    time.sleep(0.2)
    dialog = find("dialog", "サムネイルの抽出", app)
    if dialog:
        break
if dialog is None:
    print("the dialog did not open")
    finish(2)
box = find("check box", "サムネイルのない画像は縮小して作成する(M)", dialog)
if not box.getState().contains(pyatspi.STATE_CHECKED):
    box.queryAction().doAction(0)
run = find("push button", "実行", dialog)
cancel = find("push button", "ｷｬﾝｾﾙ", dialog)
labels = [a for r, n, a in walk(dialog) if r == "label" and not n]
frame = [a for r, n, a in walk(app) if r == "frame"][0]
table = [a for r, n, a in walk(app) if r == "table"][0]
times = []


def timed(f):
    start = time.monotonic()
    try:
        value = f()
    except Exception as e:
        value = "error: %s" % e
    times.append(time.monotonic() - start)
    return value


def counter():
    for a in labels:
        if "/" in (a.name or ""):
            return int(a.name.split("/")[0])
    return 0


t0 = time.monotonic()
run.queryAction().doAction(0)
resized_ms = None
cancelled_at = None
cancel_t = None
stopped_t = None
while time.monotonic() - t0 < 300:
    time.sleep(0.2)
    timed(lambda: frame.name)
    timed(lambda: table.queryTable().nRows)
    done = timed(counter)
    showing = timed(lambda: dialog.getState().contains(pyatspi.STATE_SHOWING))
    done = done if isinstance(done, int) else 0
    if resized_ms is None and done >= 2:
        start = time.monotonic()
        subprocess.run(["xdotool", "search", "--name", "mirulane", "windowsize", "%@", "900", "600"],
                       env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        while time.monotonic() - start < 5:
            if timed(lambda: frame.queryComponent().getExtents(pyatspi.DESKTOP_COORDS).width) == 900:
                break
            time.sleep(0.01)
        resized_ms = (time.monotonic() - start) * 1000
    if cancel_t is None and done >= cancel_after:
        cancelled_at = done
        cancel_t = time.monotonic()
        timed(lambda: cancel.queryAction().doAction(0))
    if cancel_t is not None and showing is not True:
        stopped_t = time.monotonic()
        break

written = len(os.listdir(thumbs)) if os.path.isdir(thumbs) else 0
slow = sum(t > 0.25 for t in times)
print("answers: %d, slowest %.0f ms, mean %.1f ms, over 100 ms: %d, over 250 ms: %d"
      % (len(times), max(times) * 1000, sum(times) / len(times) * 1000,
         sum(t > 0.1 for t in times), slow))
print("resized to 900 px wide: seen after %.0f ms" % (resized_ms or -1))
print("ｷｬﾝｾﾙ pressed at %s/%d done; run ended %.2f s later; thumbnails written: %d"
      % (cancelled_at, count, (stopped_t - cancel_t) if stopped_t else -1, written))
ok = slow == 0 and stopped_t is not None and cancelled_at is not None and \
    written <= cancelled_at + 3
finish(0 if ok else 1)
