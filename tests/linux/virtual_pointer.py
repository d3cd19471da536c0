#!/usr/bin/env python3
"""A pointer for a wlroots compositor with no input devices: each line "DX DY" read from stdin
moves it by that much. It exists while stdin stays open.

Speaks the Wayland wire protocol itself (zwlr_virtual_pointer_v1), so the test needs no client
library.
"""
import os
import socket
import struct
import sys

sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
sock.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
next_id = 2
received = b""


def new_id():
    global next_id
    next_id += 1
    return next_id - 1


def send(obj, opcode, *args):
    """One request; each argument a 32-bit word or a string."""
    body = b""
    for arg in args:
        if isinstance(arg, str):
            data = arg.encode() + b"\0"
            body += struct.pack("<I", len(data)) + data + b"\0" * (-len(data) % 4)
        else:
            body += struct.pack("<I", arg & 0xFFFFFFFF)
    sock.sendall(struct.pack("<IHH", obj, opcode, 8 + len(body)) + body)


def roundtrip():
    """Waits until the compositor has handled every request; returns the events that came."""
    global received
    callback = new_id()
    send(1, 0, callback)  # wl_display.sync
    events = []
    while True:
        while len(received) < 8 or len(received) < struct.unpack_from("<IHH", received)[2]:
            chunk = sock.recv(4096)
            if not chunk:
                sys.exit("the compositor closed the connection")
            received += chunk
        obj, opcode, size = struct.unpack_from("<IHH", received)
        body, received = received[8:size], received[size:]
        if obj == 1 and opcode == 0:
            sys.exit("protocol error: " + body[12:].rstrip(b"\0").decode())
        if obj == callback:
            return events
        events.append((obj, opcode, body))


registry = new_id()
send(1, 1, registry)  # wl_display.get_registry
for obj, opcode, body in roundtrip():
    length = struct.unpack_from("<I", body, 4)[0]
    if obj == registry and body[8:8 + length - 1] == b"zwlr_virtual_pointer_manager_v1":
        manager = new_id()  # ids are taken in order, each when its request goes
        send(registry, 0, struct.unpack_from("<I", body)[0], "zwlr_virtual_pointer_manager_v1", 1, manager)
        break
else:
    sys.exit("the compositor offers no virtual pointer")
pointer = new_id()
send(manager, 0, 0, pointer)  # create_virtual_pointer on the default seat
roundtrip()
for time, line in enumerate(sys.stdin, start=1):
    dx, dy = (int(word) for word in line.split())
    send(pointer, 0, time, dx * 256, dy * 256)  # motion, 24.8 fixed point
    send(pointer, 4)  # frame
    roundtrip()
