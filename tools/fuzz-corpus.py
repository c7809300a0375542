#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets: fuzz/corpus/xml, fuzz/corpus/store and fuzz/corpus/ipc.

Each seed is a configuration file as a user may have one: saved by the
program, hand-edited, from version 1.x, or damaged. The XML target reads a
first byte that picks its edits; the store target a first byte that says how
the new profile's name is taken from the end of the input (see the targets).
The ipc target reads one request (or answer) between the window and the
service: every kind as the window sends it, and the faults a hostile client
may try.
Files that reproduced a finding are kept beside the seeds under their own
names and are not touched here.
"""

import pathlib
import struct
import sys

CRLF = "\r\n"
DECL = '<?xml version="1.0" encoding="UTF-8"?>'


def lines(*items):
    return CRLF.join(items)


def connection(name, guid, mac, kind, ip="", mask="", gateway="", dns1="", dns2="", enable="1"):
    def group(tag, *addresses):
        inner = [f"<IP>{a}</IP>" if a else "<IP/>" for a in addresses]
        return [f"<{tag}>", *inner, f"</{tag}>"]

    return [
        f'<CONNECTION NAME="{name}" GUID="{guid}" NETCARD="Intel(R) PRO/1000 MT Network Connection" '
        f'MACCODE="{mac}" EnableCheck="{enable}" TYPE="{kind}">',
        *group("IPADD", ip),
        *group("MASKADD", mask),
        *group("GATEWAY", gateway),
        *group("DNSADD", dns1, dns2),
        "</CONNECTION>",
    ]


GUID1 = "{6D3F7A10-2B4C-4E8A-9C51-1A2B3C4D5E01}"
GUID2 = "{0B9E44C2-7F13-4D6A-A0E8-55C1D2E3F402}"
MAC1 = "00:1c:42:a1:b2:c3"
MAC2 = "00:0c:29:3a:5b:7c"

DEFAULT = lines(DECL, "<LANVOY>", '<CONFIG LASTID="0" VERSION="2.0" />', '<DNS VERSION="2.0" />',
                '<SYSCONFIG VERSION="2.0" />', "</LANVOY>")

FIRST_SAVED = lines(DECL, "<LANVOY>", '<CONFIG LASTID="0" VERSION="2.0" />', '<DNS VERSION="2.0" />',
                    '<SYSCONFIG VERSION="2.0">', "<AUTOEXEC>FALSE</AUTOEXEC>", "<AUTOUPDATE>FALSE</AUTOUPDATE>",
                    "<LOGFLAG>FALSE</LOGFLAG>", "</SYSCONFIG>", "</LANVOY>")


def saved(profiles, lastid):
    body = []
    for p in profiles:
        body += p
    return lines(DECL, "<LANVOY>", f'<CONFIG LASTID="{lastid}" VERSION="2.0" >', *body, "</CONFIG>",
                 '<DNS VERSION="2.0" />', '<SYSCONFIG VERSION="2.0">', "<AUTOEXEC>TRUE</AUTOEXEC>",
                 "<AUTOUPDATE>FALSE</AUTOUPDATE>", "<LOGFLAG>TRUE</LOGFLAG>", "</SYSCONFIG>", "</LANVOY>")


def profile(name, stamp, pid, *connections):
    body = []
    for c in connections:
        body += c
    return [f'<NETSETING NAME="{name}" DATATIME="{stamp}" ID="{pid}">', *body, "</NETSETING>"]


OFFICE = profile("办公室", "08-05-01 14:05:09", 1,
                 connection("本地连接", GUID1, MAC1, 0, "192.168.1.20", "255.255.255.0", "192.168.1.1",
                            "202.96.128.86"))
HOME = profile("家里 DHCP", "08-05-02 09:30:00", 2, connection("本地连接", GUID1, MAC1, 1))
LAB = profile("A &quot;lab&quot; &amp; &lt;test&gt; &apos;net&apos;", "08-06-11 18:00:41", 4,
              connection("本地连接", GUID1, MAC1, 0, "10.0.0.5", "255.0.0.0", "10.0.0.1", "8.8.8.8", "8.8.4.4"),
              connection("无线网络连接", GUID2, MAC2, 2, enable="0"))
SAVED = saved([OFFICE, HOME, LAB], 4)

# Indented with LF and tabs, as after an edit in a text editor; fields the
# program never writes, an unrecognised TYPE, three DNS servers, DNS entries.
HAND_EDITED = "\n".join([
    DECL,
    "<LANVOY>",
    '  <CONFIG LASTID="7" VERSION="2.0">',
    '    <NETSETING NAME="机房 &#x6211; &#26032;" DATATIME="whenever" ID="7">',
    '\t<CONNECTION NAME="LAN" GUID="' + GUID1 + '" MACCODE="" MACCODEN="02-00-4C-4F-4F-50" TYPE="3">',
    "\t  <IPADD><IP>192.0.2.10</IP><IP>192.0.2.11</IP></IPADD>",
    "\t  <DNSADD><IP></IP><IP>1.2.4.8</IP><IP>9.9.9.9</IP></DNSADD>",
    "\t  <NOTE>kept</NOTE>",
    "\t</CONNECTION>",
    "    </NETSETING>",
    "    <NETSETING NAME='single quoted' ID='3'/>",
    "    <NETSETING NAME=\"no id\"/>",
    "    <OTHER ID=\"8\"/>",
    "  </CONFIG>",
    '  <DNS VERSION="2.0">',
    '    <PROVINCE NAME="广东电信"><IP>202.96.128.86</IP><IP>202.96.134.133</IP></PROVINCE>',
    "  </DNS>",
    '  <SYSCONFIG VERSION="2.0"><LOGFLAG>false</LOGFLAG></SYSCONFIG>',
    "</LANVOY>",
    "",
])

LASTID_LAGS = saved([profile("one", "08-05-01 14:05:09", 1), profile("two", "08-05-01 14:05:09", 2)], "abc")

# Version 1.x: root CONFIG, in the ANSI code page (GBK here).
V1 = lines('<?xml version="1.0" encoding="GB2312"?>', '<CONFIG LASTID="2">',
           *profile("旧方案 1", "07-11-20 08:00:00", 1,
                    connection("本地连接", GUID1, MAC1, 0, "192.168.0.9", "255.255.255.0", "192.168.0.1",
                               "202.96.128.86")),
           *profile("旧方案 2", "07-11-21 08:00:00", 2, connection("本地连接", GUID1, MAC1, 1)),
           "</CONFIG>").encode("gbk")


def u8(text):
    return text.encode("utf-8")


SAVED_BYTES = u8(SAVED)
IMPORT = b"\x01IMPORT\x01"  # the store target imports what follows
DAMAGED = {
    # Cut in the middle of a profile, as a crash during an old in-place save leaves it.
    "truncated": SAVED_BYTES[: len(SAVED_BYTES) * 2 // 3],
    "two-roots": u8(DEFAULT + CRLF + "<LANVOY></LANVOY>"),
    "mismatched": u8(SAVED.replace("</IPADD>", "</MASKADD>", 1)),
    # A zero byte inside a name ends the text there; a zero-filled tail after a
    # complete document does not matter.
    "zero-inside": SAVED_BYTES.replace("办公室".encode(), "办公\0室".encode()),
    "zero-tail": SAVED_BYTES + b"\0" * 64,
    "overlong-c080": SAVED_BYTES.replace(b"lab", b"l\xc0\x80ab"),
    "overlong-e08080": SAVED_BYTES.replace(b"DHCP", b"DH\xe0\x80\x80CP"),
    "invalid-bytes": SAVED_BYTES.replace("家".encode(), b"\xc3A\xff\xf8\xe6\x88"),
    "bom": b"\xef\xbb\xbf" + SAVED_BYTES,
    "cdata-comments": u8(lines(DECL, "<!-- saved by hand -->", "<LANVOY>", "<!-- <CONFIG LASTID=\"9\"/> -->",
                               '<CONFIG LASTID="1" VERSION="2.0">',
                               '<NETSETING NAME="c" DATATIME="" ID="1"><![CDATA[<NETSETING ID="2"/>]]></NETSETING>',
                               "</CONFIG>", "<?pi data?>", "</LANVOY>", "<!-- after -->")),
    "doctype": u8(lines(DECL, '<!DOCTYPE LANVOY [<!ENTITY x "&lt;">]>', "<LANVOY>",
                        '<CONFIG LASTID="1"><NETSETING NAME="&x;" ID="1"/></CONFIG>', "</LANVOY>")),
    "no-config": u8(lines(DECL, "<LANVOY>", '<DNS VERSION="2.0" />', "</LANVOY>")),
    "open-tags": u8(lines(DECL, "<LANVOY>", '<CONFIG LASTID="1">', '<NETSETING NAME="a" ID="1">')),
    "empty": b"",
}

# (file name, XML edits byte, document)
XML_SEEDS = [
    ("default", 0x00, u8(DEFAULT)),
    ("first-saved", 0x01, u8(FIRST_SAVED)),
    ("saved", 0x00, SAVED_BYTES),
    ("saved-edits", 0x4F, SAVED_BYTES),
    ("saved-remove", 0x21, SAVED_BYTES),
    ("hand-edited", 0x09, u8(HAND_EDITED)),
    ("hand-edited-nocase", 0xC7, u8(HAND_EDITED)),
    ("v1-gbk", 0x03, V1),
    ("lastid-lags", 0x11, u8(LASTID_LAGS)),
] + [(name, edits, data) for (name, data), edits in
     zip(DAMAGED.items(), [0x01, 0x08, 0x19, 0x40, 0x21, 0x0F, 0x71, 0x05, 0x89, 0x7F, 0x13, 0x01, 0x41, 0x00])]


def store_seed(control, document, name=b""):
    assert len(name) == control & 0x1F
    return bytes([control]) + document + name


def utf16(text):
    return text.encode("utf-16-le")


NAME_QUOTES = u8('新 "方案" & <x>')
NAME_TABS = u8("a\tb\r\nc ")
NAME_PAIR = utf16("😀 ﬀ")  # a surrogate pair and a ligature, as raw units

# (file name, store control byte, document, name bytes)
STORE_SEEDS = [
    ("default", 0x00, u8(DEFAULT), b""),
    ("first-saved", 0x40, u8(FIRST_SAVED), b""),
    ("saved", len(NAME_QUOTES), SAVED_BYTES, NAME_QUOTES),
    ("saved-entries-named", 0x40 | len(NAME_QUOTES), SAVED_BYTES, NAME_QUOTES),
    ("saved-no-entries", 0x80, SAVED_BYTES, b""),
    ("saved-name-in-addresses", 0xC0 | len(NAME_QUOTES), SAVED_BYTES, NAME_QUOTES),
    ("hand-edited", 0x40 | len(NAME_TABS), u8(HAND_EDITED), NAME_TABS),
    ("hand-edited-utf16", 0x60 | len(NAME_PAIR), u8(HAND_EDITED), NAME_PAIR),
    ("lastid-lags", 0x00, u8(LASTID_LAGS), b""),
    ("v1-gbk", 0x00, V1, b""),
    # A zero in a new name once went into the file as a zero byte, and the
    # next load lost every profile.
    ("nul-name", 0x20 | 4, SAVED_BYTES, utf16("a\0")),
    ("nul-name-entries", 0x60 | 8, SAVED_BYTES, utf16("a\0b\1")),
    # An empty tag with a doubled slash cannot be opened: the add once said
    # it had written a profile that it had not.
    ("config-slash-slash", 0x00, b"<LANVOY><CONFIG //></LANVOY>", b""),
    # After the marker, a 1.x file imported before the add.
    ("import-v1", 0x00, SAVED_BYTES + IMPORT + V1, b""),
    ("import-v1-zeroed", 0x00, SAVED_BYTES + IMPORT + V1.replace(b"192.168", b"192\0168", 1), b""),
    ("import-foreign", 0x80, u8(DEFAULT) + IMPORT + b'<CONFIG><NOTE ID="9"/><NETSETING NAME="x"/>\x01</CONFIG>', b""),
    # An encoded surrogate once loaded as half a pair and was saved as "?":
    # after "<" the next load read a processing instruction and lost all.
    ("surrogate-after-lt", 0x00,
     b'<LANVOY><CONFIG LASTID="1"><NETSETING NAME="a" ID="1"><X><\xed\xa0\x80IP/></X>'
     b'</NETSETING></CONFIG></LANVOY>', b""),
] + [(name, 0x40, data, b"") for name, data in DAMAGED.items()]


for name, data in DAMAGED.items():
    assert data != SAVED_BYTES, name


# The service's wire format (src/ipc/Wire.h), little-endian.
IPC_GUID = GUID1
REQUEST_BYTES = 140 + 8 * 16


def address(text):
    return text.encode("ascii").ljust(16, b"\0")


def request(kind, guid="", ip="", mask="", gateway="", dns=(), version=1, length=REQUEST_BYTES):
    body = struct.pack("<IHHI", 0x5152564C, version, kind, length)
    body += guid.encode("utf-16-le").ljust(76, b"\0")
    body += address(ip) + address(mask) + address(gateway)
    body += struct.pack("<HH", len(dns), 0)
    body += b"".join(address(d) for d in dns).ljust(8 * 16, b"\0")
    return body


def answer(code, served, text):
    body = struct.pack("<IHHIHHHH", 0x4E41564C, 1, code, served, 2, 2, 0, 0)
    return body + text.encode("utf-16-le").ljust(128, b"\0")


STATIC = request(2, IPC_GUID, "192.168.1.20", "255.255.255.0", "192.168.1.1", ("8.8.8.8", "114.114.114.114"))
IPC_SEEDS = [
    ("status", request(1)),
    ("static", STATIC),
    ("static-no-gateway", request(2, IPC_GUID, "10.0.0.5", "255.0.0.0")),
    ("dhcp", request(3, IPC_GUID, dns=("1.1.1.1",))),
    ("enable", request(4, IPC_GUID)),
    ("disable", request(5, IPC_GUID)),
    ("eight-dns", request(3, IPC_GUID, dns=tuple(f"10.0.0.{n}" for n in range(1, 9)))),
    ("bad-ip", request(2, IPC_GUID, "256.1.1.1", "255.255.255.0")),
    ("bad-mask", request(2, IPC_GUID, "10.1.1.1", "255.0.255.0")),
    ("octal-part", request(2, IPC_GUID, "010.1.1.1", "255.0.0.0")),
    ("bad-guid", request(4, "..\\..\\SOFTWARE\\Microsoft\\Windows")),
    ("status-with-guid", request(1, IPC_GUID)),
    ("version-2", request(1, version=2)),
    ("length-short", request(1, length=12)),
    ("truncated", STATIC[:100]),
    ("trailing", STATIC + b"\0"),
    ("answer", answer(0, 41, "已完成")),
    ("answer-error", answer(10, 7, "非法子网掩码")),
]


def write(folder, name, data):
    assert len(data) < 4096, name
    (folder / name).write_bytes(data)


def main():
    root = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent
    corpus = root / "fuzz" / "corpus"
    for target, seeds in (("xml", [(n, bytes([e]) + d) for n, e, d in XML_SEEDS]),
                          ("store", [(n, store_seed(c, d, nm)) for n, c, d, nm in STORE_SEEDS]),
                          ("ipc", IPC_SEEDS)):
        folder = corpus / target
        folder.mkdir(parents=True, exist_ok=True)
        for name, data in seeds:
            write(folder, "seed-" + name, data)


if __name__ == "__main__":
    main()
