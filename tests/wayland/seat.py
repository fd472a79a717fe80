#!/usr/bin/env python3
"""The keyboard and pointer of the Wayland test: a virtual keyboard and a
virtual pointer (the compositor's virtual-keyboard and wlr-virtual-pointer
protocols), spoken straight over the Wayland socket.

    seat.py    reads commands from its input, one a line, and answers each
               with "ok" once the compositor has handled it:
                 move X Y       the pointer to (X, Y) on the 1024 x 768 output
                 click          the left button pressed and released
                 press KEY      KEY held down (Left, Right, Up, Down, Escape)
                 release KEY    and let go

A headless compositor has no input devices at all. These two live as long
as this program runs: a keyboard that came and went would take the window's
focus with it, and the game is minimised when it loses focus.
"""
import array
import os
import socket
import struct
import sys
import tempfile
import time

WIDTH, HEIGHT = 1024, 768
BTN_LEFT = 0x110
# Linux input key codes, which the keymap below reads as a pc105 keyboard does.
KEYS = {'Escape': 1, 'Up': 103, 'Left': 105, 'Right': 106, 'Down': 108}
KEYMAP = b'''xkb_keymap {
  xkb_keycodes { include "evdev+aliases(qwerty)" };
  xkb_types { include "complete" };
  xkb_compat { include "complete" };
  xkb_symbols { include "pc+us+inet(evdev)" };
};
\0'''
DISPLAY = 1


def string(text):
    data = text.encode() + b'\0'
    return struct.pack('<I', len(data)) + data + b'\0' * (-len(data) % 4)


def read_string(body, at):
    length = struct.unpack('<I', body[at:at + 4])[0]
    return body[at + 4:at + 4 + length - 1].decode(), at + 4 + length + (-length % 4)


class Connection:
    """Requests go out as they are made; events are read only in roundtrip()."""

    def __init__(self):
        self.sock = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
        self.sock.connect(os.path.join(os.environ['XDG_RUNTIME_DIR'], os.environ['WAYLAND_DISPLAY']))
        self.last_id = DISPLAY
        self.received = b''

    def new_id(self):
        self.last_id += 1
        return self.last_id

    def send(self, obj, opcode, body=b'', fd=None):
        message = struct.pack('<II', obj, (8 + len(body)) << 16 | opcode) + body
        if fd is None:
            self.sock.sendall(message)
        else:
            self.sock.sendmsg([message], [(socket.SOL_SOCKET, socket.SCM_RIGHTS, array.array('i', [fd]))])

    def next_event(self):
        while len(self.received) < 8 or len(self.received) < struct.unpack('<II', self.received[:8])[1] >> 16:
            chunk = self.sock.recv(65536)
            if not chunk:
                raise SystemExit('seat.py: the compositor closed the connection')
            self.received += chunk
        obj, word = struct.unpack('<II', self.received[:8])
        body, self.received = self.received[8:word >> 16], self.received[word >> 16:]
        return obj, word & 0xffff, body

    def roundtrip(self, on_event=lambda obj, opcode, body: None):
        """Every request so far handled; the events up to then go to on_event."""
        done = self.new_id()
        self.send(DISPLAY, 0, struct.pack('<I', done))  # wl_display.sync
        while True:
            obj, opcode, body = self.next_event()
            if obj == done:
                return
            if obj == DISPLAY and opcode == 0:  # wl_display.error
                raise SystemExit('seat.py: protocol error %r' % body)
            on_event(obj, opcode, body)


def bind_globals(wl, wanted):
    registry = wl.new_id()
    wl.send(DISPLAY, 1, struct.pack('<I', registry))  # wl_display.get_registry
    offered = {}

    def on_global(obj, opcode, body):
        if obj == registry and opcode == 0:
            interface, _ = read_string(body, 4)
            offered.setdefault(interface, struct.unpack('<I', body[:4])[0])

    wl.roundtrip(on_global)
    bound = {}
    for interface in wanted:
        if interface not in offered:
            raise SystemExit('seat.py: the compositor offers no ' + interface)
        bound[interface] = wl.new_id()
        wl.send(registry, 0, struct.pack('<I', offered[interface]) + string(interface) +
                struct.pack('<II', 1, bound[interface]))  # wl_registry.bind, version 1
    return bound


def keymap_file():
    with tempfile.TemporaryFile() as f:
        f.write(KEYMAP)
        f.flush()
        return os.dup(f.fileno())


def main():
    wl = Connection()
    bound = bind_globals(wl, ['wl_seat', 'zwp_virtual_keyboard_manager_v1', 'zwlr_virtual_pointer_manager_v1'])
    keyboard, pointer = wl.new_id(), wl.new_id()
    wl.send(bound['zwp_virtual_keyboard_manager_v1'], 0, struct.pack('<II', bound['wl_seat'], keyboard))
    keymap = keymap_file()
    wl.send(keyboard, 0, struct.pack('<II', 1, len(KEYMAP)), fd=keymap)  # keymap, xkb v1
    os.close(keymap)
    wl.send(bound['zwlr_virtual_pointer_manager_v1'], 0, struct.pack('<II', bound['wl_seat'], pointer))
    wl.roundtrip()
    started = time.monotonic()

    def now():
        return int((time.monotonic() - started) * 1000) & 0xffffffff

    print('ok', flush=True)
    for line in sys.stdin:
        words = line.split()
        if words[:1] == ['move'] and len(words) == 3:
            wl.send(pointer, 1, struct.pack('<IIIII', now(), int(words[1]), int(words[2]), WIDTH, HEIGHT))
            wl.send(pointer, 4)  # frame
        elif words == ['click']:
            for state in (1, 0):
                wl.send(pointer, 2, struct.pack('<III', now(), BTN_LEFT, state))  # button
                wl.send(pointer, 4)
                wl.roundtrip()
                time.sleep(0.1)  # a frame or more between the two: the game looks once a frame
        elif len(words) == 2 and words[0] in ('press', 'release') and words[1] in KEYS:
            wl.send(keyboard, 1, struct.pack('<III', now(), KEYS[words[1]], words[0] == 'press'))
        else:
            raise SystemExit('seat.py: unknown command %r' % line)
        wl.roundtrip()
        print('ok', flush=True)


if __name__ == '__main__':
    main()
