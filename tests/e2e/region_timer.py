# Times how long a small square of the screen shows something other than what it showed when
# the watch began: waits for it to change, then for it to come back, and prints the milliseconds
# between the two. Reads the square straight from the X server about once a millisecond, through
# libX11 with ctypes. Usage: region_timer.py X Y [SIZE] [LIMIT_SECONDS]
import ctypes
import sys
import time

_X = ctypes.cdll.LoadLibrary("libX11.so.6")
_X.XOpenDisplay.restype = ctypes.c_void_p
_X.XOpenDisplay.argtypes = [ctypes.c_char_p]
_X.XDefaultRootWindow.restype = ctypes.c_ulong
_X.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
_X.XGetImage.restype = ctypes.c_void_p
_X.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                         ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]


class _Image(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


_Z_PIXMAP = 2
_ALL_PLANES = 0xFFFFFFFF
_libc = ctypes.CDLL(None)


def main():
    x, y = int(sys.argv[1]), int(sys.argv[2])
    size = int(sys.argv[3]) if len(sys.argv) > 3 else 8
    limit = float(sys.argv[4]) if len(sys.argv) > 4 else 30
    display = _X.XOpenDisplay(None)
    root = _X.XDefaultRootWindow(display)

    def look():
        pointer = _X.XGetImage(display, root, x, y, size, size, _ALL_PLANES, _Z_PIXMAP)
        image = ctypes.cast(pointer, ctypes.POINTER(_Image)).contents
        data = bytes(image.data[: image.bytes_per_line * size])
        _libc.free(image.data)
        _libc.free(ctypes.c_void_p(pointer))
        return data

    first = look()
    end = time.monotonic() + limit
    changed = None
    while time.monotonic() < end:
        now = look()
        stamp = time.monotonic()
        if changed is None and now != first:
            changed = stamp
        elif changed is not None and now == first:
            print(round((stamp - changed) * 1000))
            return 0
        time.sleep(0.0005)
    print("none")
    return 1


if __name__ == "__main__":
    sys.exit(main())
