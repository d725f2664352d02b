# Prints the milliseconds a square of the screen (X Y SIZE) shows something other than what it
# showed when the watch began, reading it from the X server about once a millisecond; "none" when
# it has not come back within LIMIT seconds. Usage: region_timer.py X Y SIZE LIMIT
import ctypes
import sys
import time

X = ctypes.cdll.LoadLibrary("libX11.so.6")
X.XOpenDisplay.restype = X.XGetImage.restype = ctypes.c_void_p
X.XDefaultRootWindow.restype = ctypes.c_ulong
X.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
X.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + \
    [ctypes.c_uint] * 2 + [ctypes.c_ulong, ctypes.c_int]
libc = ctypes.CDLL(None)
x, y, size, limit = (int(a) for a in sys.argv[1:5])
display = ctypes.c_void_p(X.XOpenDisplay(None))
root = X.XDefaultRootWindow(display)


def look():
    image = X.XGetImage(display, root, x, y, size, size, 0xFFFFFFFF, 2)  # ZPixmap
    data_pointer = ctypes.cast(image + 16, ctypes.POINTER(ctypes.c_void_p)).contents.value
    data = ctypes.string_at(data_pointer, size * size * 4)
    libc.free(ctypes.c_void_p(data_pointer))
    libc.free(ctypes.c_void_p(image))
    return data


first, changed, end = look(), None, time.monotonic() + limit
while time.monotonic() < end:
    now, stamp = look(), time.monotonic()
    if changed is None and now != first:
        changed = stamp
    elif changed is not None and now == first:
        sys.exit(print(round((stamp - changed) * 1000)))
    time.sleep(0.0005)
print("none")
