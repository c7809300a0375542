#!/usr/bin/python3
"""The names of installer/names.nsh, and the codes made from them.
  names.py product-code <version>                the MSI's product code, {GUID}
  names.py package-code <version> <digest>       its package code, {GUID}
  names.py get <NAME>                            one name's text
  names.py header                                all of them as C #defines (LANVOY_<NAME>)"""
import os
import re
import sys
import uuid

NAMES_FILE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "installer", "names.nsh")


def names(path=NAMES_FILE):
    found = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            match = re.match(r'^!define\s+(\w+)\s+"([^"]*)"\s*$', line)
            if match:
                found[match.group(1)] = match.group(2)
    return found


def upgrade_code():
    return "{" + names()["UPGRADE_CODE"].upper() + "}"


def product_code(version):
    n = names()
    return "{" + str(uuid.uuid5(uuid.UUID(n["UPGRADE_CODE"]), n["PRODUCT_CODE_NAME"] + version)).upper() + "}"


def package_code(version, digest):
    # Another package of the same version differs in its files' digest.
    return "{" + str(uuid.uuid5(uuid.UUID(names()["UPGRADE_CODE"]), "package " + version + " " + digest)).upper() + "}"


def main(args):
    if args[:1] == ["product-code"] and len(args) == 2:
        print(product_code(args[1]))
    elif args[:1] == ["package-code"] and len(args) == 3:
        print(package_code(args[1], args[2]))
    elif args[:1] == ["get"] and len(args) == 2:
        print(names()[args[1]])
    elif args == ["header"]:
        for name, text in names().items():
            print(f'#define LANVOY_{name} "' + text.replace("\\", "\\\\").replace('"', '\\"') + '"')
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
