"""What the X server holds for one process: windows, pixmaps, GCs, pictures and the rest,
summed over every connection the process has open (Wine opens one for the process and one
per thread that has windows). Read through the X-Resource extension, as xrestop reads it;
xrestop itself names a client only by a window's _NET_WM_PID, which Wine's connection for
the process's drawing never has, so the clients are matched here by the process the server
knows them by.
"""

from __future__ import annotations

import ctypes
import ctypes.util
from collections import Counter

from .paths import HarnessError

XRES_CLIENT_ID_PID_MASK = 1 << 1

# The resource types of the X-Resource answer, by the names the server gives them.
KINDS = {"WINDOW": "windows", "PIXMAP": "pixmaps", "GC": "GCs", "PICTURE": "pictures",
         "GLYPHSET": "glyphsets", "CURSOR": "cursors", "FONT": "fonts",
         "COLORMAP": "colormaps"}


class _Client(ctypes.Structure):
    _fields_ = [("resource_base", ctypes.c_ulong), ("resource_mask", ctypes.c_ulong)]


class _Type(ctypes.Structure):
    _fields_ = [("resource_type", ctypes.c_ulong), ("count", ctypes.c_uint)]


class _IdSpec(ctypes.Structure):
    _fields_ = [("client", ctypes.c_ulong), ("mask", ctypes.c_uint)]


class _IdValue(ctypes.Structure):
    _fields_ = [("asked", _IdSpec), ("length", ctypes.c_long), ("value", ctypes.c_void_p)]


def _library(name: str) -> ctypes.CDLL:
    path = ctypes.util.find_library(name)
    if not path:
        raise HarnessError(f"lib{name} is missing (apt-get install xrestop, which brings it)")
    return ctypes.CDLL(path)


_x11 = _xres = None


def _libraries():
    global _x11, _xres
    if _x11 is None:
        _x11, _xres = _library("X11"), _library("XRes")
        _x11.XOpenDisplay.restype = ctypes.c_void_p
        _x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        _x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        _x11.XFree.argtypes = [ctypes.c_void_p]
        _x11.XGetAtomName.restype = ctypes.c_void_p
        _x11.XGetAtomName.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        _xres.XResQueryClients.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                           ctypes.POINTER(ctypes.POINTER(_Client))]
        _xres.XResQueryClientResources.argtypes = [
            ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_int),
            ctypes.POINTER(ctypes.POINTER(_Type))]
        _xres.XResQueryClientIds.argtypes = [
            ctypes.c_void_p, ctypes.c_long, ctypes.POINTER(_IdSpec),
            ctypes.POINTER(ctypes.c_long), ctypes.POINTER(ctypes.POINTER(_IdValue))]
        _xres.XResGetClientPid.restype = ctypes.c_int
        _xres.XResGetClientPid.argtypes = [ctypes.POINTER(_IdValue)]
        _xres.XResClientIdsDestroy.argtypes = [ctypes.c_long, ctypes.POINTER(_IdValue)]
    return _x11, _xres


def _pids(display, xres) -> dict[int, int]:
    """The process of each client, by the base of its resource identifiers."""
    asked = _IdSpec(0, XRES_CLIENT_ID_PID_MASK)  # client 0: every client
    count, values = ctypes.c_long(), ctypes.POINTER(_IdValue)()
    if xres.XResQueryClientIds(display, 1, ctypes.byref(asked), ctypes.byref(count),
                               ctypes.byref(values)) != 0:
        raise HarnessError("the X server answers no client processes (X-Resource 1.2)")
    try:
        return {values[i].asked.client: xres.XResGetClientPid(ctypes.byref(values[i]))
                for i in range(count.value)}
    finally:
        xres.XResClientIdsDestroy(count, values)


def resources_of(display_name: str, pid: int) -> Counter:
    """The X resources of the process `pid` (its Linux process), by kind; "clients" is the
    number of its connections."""
    x11, xres = _libraries()
    display = x11.XOpenDisplay(display_name.encode())
    if not display:
        raise HarnessError(f"cannot open the X display {display_name}")
    totals: Counter = Counter()
    try:
        pids = _pids(display, xres)
        count, clients = ctypes.c_int(), ctypes.POINTER(_Client)()
        xres.XResQueryClients(display, ctypes.byref(count), ctypes.byref(clients))
        names: dict[int, str] = {}
        try:
            for i in range(count.value):
                base = clients[i].resource_base
                if not any(pids.get(key) == pid for key in pids if key & ~clients[i].resource_mask == base):
                    continue
                totals["clients"] += 1
                kinds, types = ctypes.c_int(), ctypes.POINTER(_Type)()
                xres.XResQueryClientResources(display, base, ctypes.byref(kinds),
                                              ctypes.byref(types))
                for k in range(kinds.value):
                    atom = types[k].resource_type
                    if atom not in names:
                        text = x11.XGetAtomName(display, atom)
                        names[atom] = ctypes.string_at(text).decode() if text else str(atom)
                        x11.XFree(text)
                    totals[KINDS.get(names[atom], names[atom])] += types[k].count
                x11.XFree(types)
        finally:
            x11.XFree(clients)
    finally:
        x11.XCloseDisplay(display)
    return totals
