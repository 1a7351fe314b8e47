#!/usr/bin/env python3
"""Writes the tune-up document fixtures of the state tests, byte by byte from
the file layout, independently of the program's own writer.

Run it in this directory; the .tnv files it writes are committed."""
import struct


def u8(v): return struct.pack('<B', v)
def u16(v): return struct.pack('<H', v)
def u32(v): return struct.pack('<I', v)
def i32(v): return struct.pack('<i', v)
def f32(v): return struct.pack('<f', v)


def length(n):
    if n < 0xFF:
        return u8(n)
    if n < 0xFFFE:
        return u8(0xFF) + u16(n)
    return u8(0xFF) + u16(0xFFFF) + u32(n)


def text(s):
    """With the Unicode marker: UTF-16LE."""
    units = s.encode('utf-16-le')
    return b'\xff\xfe\xff' + length(len(units) // 2) + units


def ansi(s):
    """Without the marker: 8-bit characters of code page 1252."""
    data = s.encode('cp1252')
    return length(len(data)) + data


def protocol(entries):
    values = [0.0] * 96
    for note, hz in entries.items():
        values[note] = hz
    return b''.join(f32(v) for v in values)


def date(seconds):
    return u32(seconds & 0xFFFFFFFF) + u32(seconds >> 32)


def write(name, data):
    with open(name, 'wb') as f:
        f.write(data)


# Form '1': only the pitch is stored; reserved words hold junk that is ignored.
write('form1.tnv', b'vel04' + b'1' + u32(0xDEADBEEF) + f32(442.0) + u32(0x12345678)
      + text('Anna') + text('Piano') + text('') + text('K\u00f6ln') + text('')
      + protocol({57: 442.5, 48: 262.0}) + date(1262304000)
      + text('Tonvela, Version 2.5.0'))

# Form '2': key, pitch and keynote; no calibration.
write('form2.tnv', b'vel04' + b'2' + text('werckmeister3') + f32(415.0) + i32(7) + u32(0xFFFFFFFF)
      + text('Bernd') + text('Organ') + text('Parish') + text('Hall') + text('two\nlines')
      + protocol({0: 16.5, 95: 3950.25}) + date(1500000000)
      + text('Tonvela, Version 3.0.0'))

# Form '3' with texts stored without the Unicode marker, in every length form.
write('ansi.tnv', b'vel04' + b'3' + ansi('pythagorean') + f32(440.0) + i32(2) + u32(0) + f32(-1.5)
      + ansi('ABC') + ansi('Fl\u00fcgel \u20ac') + u8(0xFF) + u16(2) + b'Hi'
      + u8(0xFF) + u16(0xFFFF) + u32(1) + b'X' + ansi('')
      + protocol({57: 441.0}) + date(1600000000)
      + ansi('Tonvela, Version 1.0'))

# A date after 2038-01-19: bit 31 of the low half is set (2040-01-01 00:00 UTC).
write('date2040.tnv', b'vel04' + b'3' + text('equal') + f32(440.0) + i32(0) + u32(0) + f32(0.0)
      + text('') + text('') + text('') + text('') + text('')
      + protocol({}) + date(2208988800)
      + text('Tonvela, Version 3.1.100'))
