#!/usr/bin/python3
"""Replaces the two compile times chmcmd writes into a help file (the ITSF
header's and the #SYSTEM file's entry 10, milliseconds of the day) with one
taken from a given time, so the same pages give the same file.
Usage: stamp-chm.py <file.chm> <seconds since 1970>"""
import struct
import sys

path, epoch = sys.argv[1], int(sys.argv[2])
stamp = (epoch % 86400) * 1000
data = bytearray(open(path, "rb").read())
if data[:4] != b"ITSF":
    sys.exit(f"stamp-chm: {path} is not a compiled help file")
struct.pack_into(">I", data, 16, stamp)
# #SYSTEM is stored uncompressed; its entry 10 is 4 bytes long.
entry = b"\x0a\x00\x04\x00"
if data.count(entry) != 1:
    sys.exit(f"stamp-chm: {path}: the #SYSTEM time entry is not where it is expected")
struct.pack_into("<I", data, data.index(entry) + 4, stamp)
open(path, "wb").write(data)
