#!/usr/bin/env python3
"""Gives each character named on the command line a key of its own in the X keyboard map: a
keycode that has no symbol yet gets the character's symbol. xdotool then types those characters
with that key as it stands. Without it xdotool binds a spare key to each character just before
pressing it and unbinds it just after, and a program that reads the keyboard map late reads the
key as another character or none at all (a name typed as たう instead of たろう).

    keymap.py [--some] CHARACTERS

With --some, as many of the characters as there are free keys (the others are typed as before);
without it, a failure when there are too few.

Run it before the program starts, so the program reads the map once, with every key in it."""

import ctypes
import sys

X = ctypes.cdll.LoadLibrary("libX11.so.6")
X.XOpenDisplay.restype = ctypes.c_void_p
X.XOpenDisplay.argtypes = [ctypes.c_char_p]
X.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
X.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
X.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
X.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                     ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
X.XFree.argtypes = [ctypes.c_void_p]
X.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
X.XCloseDisplay.argtypes = [ctypes.c_void_p]


def keysym(character):
    code = ord(character)
    # Latin-1 characters are their own symbols; every other one is 0x01000000 + its code point.
    return code if 0x20 <= code <= 0x7E or 0xA0 <= code <= 0xFF else 0x01000000 | code


def main():
    display = X.XOpenDisplay(None)
    if not display:
        sys.exit("keymap.py: no X display")
    low, high = ctypes.c_int(), ctypes.c_int()
    X.XDisplayKeycodes(display, ctypes.byref(low), ctypes.byref(high))
    per_key = ctypes.c_int()
    count = high.value - low.value + 1
    table = X.XGetKeyboardMapping(display, low.value, count, ctypes.byref(per_key))
    bound = set()
    free = []
    for index in range(count):
        symbols = [table[index * per_key.value + level] for level in range(per_key.value)]
        bound.update(symbols)
        if not any(symbols):
            free.append(low.value + index)
    X.XFree(table)
    wanted = []
    some = sys.argv[1:2] == ["--some"]
    for character in "".join(sys.argv[2 if some else 1:]):
        if keysym(character) not in bound and keysym(character) not in wanted:
            wanted.append(keysym(character))
    # xdotool needs one free key of its own for any other character.
    free = free[:-1]
    if len(wanted) > len(free):
        if not some:
            sys.exit("keymap.py: %d characters and only %d free keys" % (len(wanted), len(free)))
        wanted = wanted[:len(free)]
    for code, symbol in zip(free, wanted):
        X.XChangeKeyboardMapping(display, code, 1, (ctypes.c_ulong * 1)(symbol), 1)
    X.XSync(display, 0)
    X.XCloseDisplay(display)


if __name__ == "__main__":
    main()
