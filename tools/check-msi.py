#!/usr/bin/python3
"""Checks the tables of a built Lanvoy MSI that tools/make-msi.sh edits after
wixl, as the Windows Installer's validation (ICE) rules would, reading them
back with msiinfo:
  - every component has a key path that belongs to it: a file of its own, or
    with the registry bit, a registry value of its own; every one is 64-bit;
  - the conditions: the desktop shortcut unless NODESKTOP=1, PipeAccess only
    with PIPEACCESS=admins, and both properties secure;
  - every custom action is sequenced and every sequenced action exists;
    deferred ones between InstallInitialize and InstallFinalize, immediate
    ones without the bits that only a deferred one may carry; the look for a
    running Lanvoy, a DLL action, is in both sequences, with its message;
  - the Chinese names carry a short one ("SHORT~1|long name").
Usage: check-msi.py <package.msi>; exits 1 and names each problem."""
import re
import subprocess
import sys



def table(msi, name):
    text = subprocess.run(["msiinfo", "export", msi, name], check=True, capture_output=True).stdout
    # msiinfo writes the texts of a GBK database as they are stored, or in UTF-8.
    try:
        decoded = text.decode("utf-8")
    except UnicodeDecodeError:
        decoded = text.decode("gbk", errors="replace")
    lines = decoded.replace("\r", "").split("\n")
    columns = lines[0].split("\t")
    return [dict(zip(columns, line.split("\t"))) for line in lines[3:] if line]


def check(msi):
    problems = []
    components = table(msi, "Component")
    files = {row["File"]: row for row in table(msi, "File")}
    registry = {row["Registry"]: row for row in table(msi, "Registry")}
    for c in components:
        name, key, attributes = c["Component"], c["KeyPath"], int(c["Attributes"] or 0)
        if not key:
            problems.append(f"component {name}: no key path")
        elif attributes & 4:
            if registry.get(key, {}).get("Component_") != name:
                problems.append(f"component {name}: key path {key} is no registry value of its own")
        elif files.get(key, {}).get("Component_") != name:
            problems.append(f"component {name}: key path {key} is no file of its own")
        if not attributes & 256:
            problems.append(f"component {name}: not marked 64-bit")
    conditions = {c["Component"]: c["Condition"] for c in components}
    if conditions.get("DesktopShortcut") != 'NODESKTOP<>"1"':
        problems.append(f"DesktopShortcut: condition {conditions.get('DesktopShortcut')!r}")
    if conditions.get("PipeAccess") != 'PIPEACCESS="admins"':
        problems.append(f"PipeAccess: condition {conditions.get('PipeAccess')!r}")
    properties = {row["Property"]: row["Value"] for row in table(msi, "Property")}
    secure = set(properties.get("SecureCustomProperties", "").split(";"))
    for name in ("NODESKTOP", "PIPEACCESS"):
        if name not in secure:
            problems.append(f"{name} is not among the SecureCustomProperties")

    actions = {row["Action"]: int(row["Type"]) for row in table(msi, "CustomAction")}
    sequenced = set()
    for sequence in ("InstallUISequence", "InstallExecuteSequence"):
        rows = {row["Action"]: row for row in table(msi, sequence)}
        at = {name: int(row["Sequence"]) for name, row in rows.items() if row["Sequence"]}
        for name, type_ in actions.items():
            if name not in rows:
                continue
            sequenced.add(name)
            deferred = type_ & 0x400
            if deferred and not at["InstallInitialize"] < at[name] < at["InstallFinalize"]:
                problems.append(f"{sequence}: deferred {name} at {at[name]}, outside the script")
            if not deferred and type_ & 0x800:
                problems.append(f"{name}: type {type_}, no-impersonation on an immediate action")
            if deferred and sequence == "InstallUISequence":
                problems.append(f"{name}: deferred in the UI sequence")
        if "FindRunningLanvoy" not in at or at["FindRunningLanvoy"] > at.get("LaunchConditions", 0) \
                or rows["FindRunningLanvoy"].get("Condition"):
            problems.append(f"{sequence}: no unconditional look for a running Lanvoy before anything else")
    for name in sorted(set(actions) - sequenced):
        problems.append(f"custom action {name} is in no sequence")
    if actions.get("FindRunningLanvoy") != 1 or not properties.get("LanvoyRunningText"):
        problems.append("the look for a running Lanvoy is no immediate DLL action with its message")

    short = re.compile(r"^[^|]{1,8}(\.[^|.]{1,3})?$")
    for kind, rows, column in (("file", files.values(), "FileName"), ("shortcut", table(msi, "Shortcut"), "Name")):
        for row in rows:
            name = row[column]
            parts = name.split("|")
            if not name.isascii() and (len(parts) != 2 or not short.match(parts[0]) or not parts[0].isascii()):
                problems.append(f"{kind} name {name!r}: no short name")
    return problems


if __name__ == "__main__":
    found = check(sys.argv[1])
    for problem in found:
        print(f"check-msi: {problem}", file=sys.stderr)
    sys.exit(1 if found else 0)
