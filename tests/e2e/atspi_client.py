"""What the end-to-end screen reader clients share: failing with a message, running the AT-SPI
event loop for a while, waiting for a condition, and finding the program on the bus."""
import sys
import time

import pyatspi
from gi.repository import GLib


def fail(message):
    print("FAIL: " + message, file=sys.stderr, flush=True)
    sys.exit(1)


def pump(seconds):
    end = time.time() + seconds
    context = GLib.MainContext.default()
    while time.time() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.01)


def became(condition, seconds):
    end = time.time() + seconds
    while time.time() < end:
        pump(0.05)
        if condition():
            return True
    return False


def wait_for(condition, seconds, what):
    if not became(condition, seconds):
        fail("waited %d s for %s" % (seconds, what))


def app():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        child = desktop.getChildAtIndex(i)
        if child is not None and child.name == "koropika":
            return child
    return None
