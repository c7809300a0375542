#!/usr/bin/python3
"""Sets the creation and last-save times in a Windows Installer package's
summary information, which msitools stamps with the current time, so that a
package built twice from the same inputs is the same file.
Usage: msi-times.py <package.msi> <seconds since 1970>"""
import struct
import sys

import olefile

STREAM = "\x05SummaryInformation"
VT_FILETIME = 64
CREATED, SAVED = 12, 13


def main():
    path, epoch = sys.argv[1], int(sys.argv[2])
    filetime = (epoch + 11644473600) * 10_000_000
    with olefile.OleFileIO(path, write_mode=True) as ole:
        data = bytearray(ole.openstream(STREAM).read())
        # Property set: a 28-byte header, one section (format ID, offset);
        # the section: size, count, then (ID, offset) pairs from its start.
        (section,) = struct.unpack_from("<I", data, 28 + 16)
        (count,) = struct.unpack_from("<I", data, section + 4)
        changed = 0
        for i in range(count):
            pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * i)
            kind = struct.unpack_from("<I", data, section + offset)[0] & 0xFFFF
            if pid in (CREATED, SAVED) and kind == VT_FILETIME:
                struct.pack_into("<Q", data, section + offset + 4, filetime)
                changed += 1
        if changed != 2:
            sys.exit(f"msi-times: {path}: found {changed} of the two times in the summary")
        ole.write_stream(STREAM, bytes(data))


if __name__ == "__main__":
    main()
