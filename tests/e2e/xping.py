# A watchdog that asks a window's program whether it still handles X events: it sends the
# window manager's _NET_WM_PING client message to the window, and the program's event loop
# sends it back to the root window. libX11 through ctypes, so nothing beyond python3 and the
# X library every X client here already loads is needed.

import ctypes
import threading
import time

_X = ctypes.cdll.LoadLibrary("libX11.so.6")
_X.XOpenDisplay.restype = ctypes.c_void_p
_X.XOpenDisplay.argtypes = [ctypes.c_char_p]
_X.XDefaultRootWindow.restype = ctypes.c_ulong
_X.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_X.XInternAtom.restype = ctypes.c_ulong
_X.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_X.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
_X.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
_X.XPending.argtypes = [ctypes.c_void_p]
_X.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
_X.XFlush.argtypes = [ctypes.c_void_p]
_X.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
_X.XCloseDisplay.argtypes = [ctypes.c_void_p]

_CLIENT_MESSAGE = 33
# Programs send their answer to the root window for those who select structure notes on it
# (Qt) or substructure notes (others).
_ANSWER_MASK = (1 << 17) | (1 << 19)


class _ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("data", ctypes.c_long * 5)]


class _Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("xclient", _ClientMessage), ("pad", ctypes.c_long * 24)]


# A ping sent to a window that has just gone gives BadWindow: that is no fault of the program.
_ERROR_HANDLER_TYPE = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
_ignore_errors = _ERROR_HANDLER_TYPE(lambda display, error: 0)
_X.XSetErrorHandler(_ignore_errors)


class PingWatchdog:
    """Pings the windows it is given, one at a time, every `interval` seconds. A ping that has no
    answer after `limit` seconds while its window is still given is a hang: `hang` then holds
    what happened (and stays set). `answers` counts the answered pings, `longest` the slowest
    answer in seconds."""

    def __init__(self, display_name, limit=5.0, interval=0.5):
        self.limit = limit
        self.interval = interval
        self.hang = None
        self.answers = 0
        self.longest = 0.0
        self._windows = []
        self._lock = threading.Lock()
        self._stop = threading.Event()
        self._display = _X.XOpenDisplay(display_name.encode())
        if not self._display:
            raise RuntimeError("cannot open display " + display_name)
        self._root = _X.XDefaultRootWindow(self._display)
        self._protocols = _X.XInternAtom(self._display, b"WM_PROTOCOLS", 0)
        self._ping = _X.XInternAtom(self._display, b"_NET_WM_PING", 0)
        _X.XSelectInput(self._display, self._root, _ANSWER_MASK)
        _X.XSync(self._display, 0)
        self._thread = threading.Thread(target=self._run, daemon=True)

    def start(self):
        self._thread.start()

    def stop(self):
        self._stop.set()
        self._thread.join()
        _X.XCloseDisplay(self._display)

    def watch(self, windows):
        """The program's windows on screen now (an empty list while none is)."""
        with self._lock:
            self._windows = list(windows)

    def _send(self, window, serial):
        event = _Event()
        event.xclient.type = _CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = self._protocols
        event.xclient.format = 32
        event.xclient.data[0] = self._ping
        event.xclient.data[1] = serial  # stands in for the time stamp; sent back unchanged
        event.xclient.data[2] = window
        _X.XSendEvent(self._display, window, 0, 0, ctypes.byref(event))
        _X.XFlush(self._display)

    def _answered(self):
        """Stamps of the pings answered since the last call: (window, serial) pairs."""
        got = []
        event = _Event()
        while _X.XPending(self._display) > 0:
            _X.XNextEvent(self._display, ctypes.byref(event))
            if (event.type == _CLIENT_MESSAGE and event.xclient.message_type == self._protocols
                    and event.xclient.data[0] == self._ping):
                got.append((event.xclient.data[2] & 0xFFFFFFFF, event.xclient.data[1]))
        return got

    def _run(self):
        serial = 1000
        pending = None  # (window, serial, sent at)
        next_ping = 0.0
        turn = 0
        while not self._stop.is_set():
            now = time.monotonic()
            for window, stamp in self._answered():
                if pending and window == pending[0] and stamp == pending[1]:
                    self.longest = max(self.longest, now - pending[2])
                    self.answers += 1
                    pending = None
            with self._lock:
                windows = list(self._windows)
            if pending and pending[0] not in windows:
                pending = None  # the window went away: nobody is left to answer
            if pending and now - pending[2] > self.limit and self.hang is None:
                self.hang = "window 0x%x did not answer a ping for %.1f s" % (pending[0], now - pending[2])
            if pending is None and windows and self.hang is None and now >= next_ping:
                turn += 1
                serial += 1
                window = windows[turn % len(windows)]
                self._send(window, serial)
                pending = (window, serial, now)
                next_ping = now + self.interval
            self._stop.wait(0.02)
