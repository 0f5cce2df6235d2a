#!/usr/bin/env python3
"""Prints "blank" or "visible": whether the pointer's image has a visible pixel."""
import ctypes as c
import sys

x11, xfixes = c.CDLL("libX11.so.6"), c.CDLL("libXfixes.so.3")


class CursorImage(c.Structure):
    _fields_ = [("x", c.c_short), ("y", c.c_short), ("width", c.c_ushort), ("height", c.c_ushort),
                ("xhot", c.c_ushort), ("yhot", c.c_ushort), ("serial", c.c_ulong),
                ("pixels", c.POINTER(c.c_ulong))]


x11.XOpenDisplay.restype = c.c_void_p
xfixes.XFixesGetCursorImage.restype = c.POINTER(CursorImage)
display = x11.XOpenDisplay(None) or sys.exit("no display")
image = xfixes.XFixesGetCursorImage(c.c_void_p(display)).contents
print("visible" if any(image.pixels[i] >> 24 for i in range(image.width * image.height)) else "blank")
