#!/usr/bin/python3
"""Writes the package-manager manifests of a release and checks them:
  <dir>/winget/Lanvoy.Lanvoy/<version>/  the winget set (version, installer,
                                         default locale): setup and MSI
  <dir>/scoop/lanvoy.json                Scoop, for the portable zip
The download addresses are <base>/<file>; LANVOY_DOWNLOAD_BASE sets the base
("{version}" in it becomes the version). Each manifest is read back and
checked for every field its schema requires, and each checksum against the
package itself.
Usage: manifests.py <version> <folder with the packages> <manifest folder>"""
import hashlib
import json
import os
import re
import sys

import yaml

PACKAGE_ID = "Lanvoy.Lanvoy"
MANIFEST_VERSION = "1.6.0"
DEFAULT_BASE = "https://download.lanvoy.net/{version}"
HOMEPAGE = "https://lanvoy.net/"
UPGRADE_CODE = "{5B0C6A3E-52D1-4F4B-9E6A-3D1C7A2F9E11}"  # installer/lanvoy.wxs
DESCRIPTION = "在不同的网络方案之间一键切换以太网网卡的 IP 地址、网关和 DNS"


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest().upper()


def product_code(version):
    """The MSI's product code, as tools/make-msi.sh derives it."""
    import uuid
    ns = uuid.UUID(UPGRADE_CODE.strip("{}"))
    return "{" + str(uuid.uuid5(ns, "product " + version)).upper() + "}"


def build(version, packages):
    base = os.environ.get("LANVOY_DOWNLOAD_BASE", DEFAULT_BASE).replace("{version}", version).rstrip("/")
    setup = f"lanvoy-{version}-setup.exe"
    msi = f"lanvoy-{version}-win64.msi"
    zipname = f"lanvoy-{version}-win64.zip"
    common = {"PackageIdentifier": PACKAGE_ID, "PackageVersion": version}
    tail = {"ManifestVersion": MANIFEST_VERSION}
    winget = {
        f"{PACKAGE_ID}.yaml": {**common, "DefaultLocale": "zh-CN", "ManifestType": "version", **tail},
        f"{PACKAGE_ID}.installer.yaml": {
            **common,
            "MinimumOSVersion": "6.1.0.0",
            "Scope": "machine",
            "UpgradeBehavior": "install",
            "Installers": [
                {
                    "Architecture": "x64",
                    "InstallerType": "nullsoft",
                    "InstallerUrl": f"{base}/{setup}",
                    "InstallerSha256": sha256(os.path.join(packages, setup)),
                    "InstallerSwitches": {"Silent": "/S", "SilentWithProgress": "/S"},
                    "ElevationRequirement": "elevatesSelf",
                    # The setup gives 2 when Lanvoy runs and is not replaced.
                    "ExpectedReturnCodes": [{"InstallerReturnCode": 2, "ReturnResponse": "packageInUse"}],
                },
                {
                    "Architecture": "x64",
                    "InstallerType": "msi",
                    "InstallerUrl": f"{base}/{msi}",
                    "InstallerSha256": sha256(os.path.join(packages, msi)),
                    "ProductCode": product_code(version),
                    "AppsAndFeaturesEntries": [{"UpgradeCode": UPGRADE_CODE}],
                },
            ],
            "ManifestType": "installer",
            **tail,
        },
        f"{PACKAGE_ID}.locale.zh-CN.yaml": {
            **common,
            "PackageLocale": "zh-CN",
            "Publisher": "Lanvoy",
            "PackageName": "Lanvoy",
            "PackageUrl": HOMEPAGE,
            "License": "Proprietary",
            "ShortDescription": DESCRIPTION,
            "Moniker": "lanvoy",
            "Tags": ["network", "ip", "dns", "ethernet"],
            "ManifestType": "defaultLocale",
            **tail,
        },
    }
    scoop = {
        "version": version,
        "description": DESCRIPTION,
        "homepage": HOMEPAGE,
        "license": "Proprietary",
        "architecture": {
            "64bit": {
                "url": f"{base}/{zipname}",
                "hash": sha256(os.path.join(packages, zipname)).lower(),
                "extract_dir": "Lanvoy",
            }
        },
        "shortcuts": [["lanvoy.exe", "Lanvoy"]],
        # The profiles stay when Scoop replaces the program's folder.
        "persist": ["lanvoy.cfg"],
    }
    return winget, scoop


# What each manifest must carry: field, then a check of its value.
SHA = re.compile(r"^[0-9A-Fa-f]{64}$")
VERSION = re.compile(r"^[0-9]+(\.[0-9]+){1,3}$")
URL = re.compile(r"^https?://[^\s]+$")
GUID = re.compile(r"^\{[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}\}$")
WINGET_REQUIRED = {
    "version": {"PackageIdentifier": str, "PackageVersion": VERSION, "DefaultLocale": str,
                "ManifestType": "version", "ManifestVersion": MANIFEST_VERSION},
    "installer": {"PackageIdentifier": str, "PackageVersion": VERSION, "Installers": list,
                  "ManifestType": "installer", "ManifestVersion": MANIFEST_VERSION},
    "defaultLocale": {"PackageIdentifier": str, "PackageVersion": VERSION, "PackageLocale": str,
                      "Publisher": str, "PackageName": str, "License": str, "ShortDescription": str,
                      "ManifestType": "defaultLocale", "ManifestVersion": MANIFEST_VERSION},
}
INSTALLER_REQUIRED = {"Architecture": str, "InstallerType": str, "InstallerUrl": URL, "InstallerSha256": SHA}


def check_fields(where, data, required, problems):
    for field, rule in required.items():
        value = data.get(field)
        if value is None or value == "":
            problems.append(f"{where}: {field} is missing")
        elif isinstance(rule, type) and not isinstance(value, rule):
            problems.append(f"{where}: {field} is not a {rule.__name__}")
        elif isinstance(rule, re.Pattern) and not rule.match(str(value)):
            problems.append(f"{where}: {field} = {value!r} has the wrong form")
        elif isinstance(rule, str) and value != rule:
            problems.append(f"{where}: {field} = {value!r}, not {rule!r}")


def validate(version, packages, folder):
    """Reads the written manifests back; returns what is wrong with them."""
    problems = []
    winget_dir = os.path.join(folder, "winget", PACKAGE_ID, version)
    kinds = {}
    for name in sorted(os.listdir(winget_dir)):
        with open(os.path.join(winget_dir, name), encoding="utf-8") as f:
            data = yaml.safe_load(f)
        kind = data.get("ManifestType")
        if kind not in WINGET_REQUIRED:
            problems.append(f"{name}: unknown ManifestType {kind!r}")
            continue
        kinds[kind] = data
        check_fields(name, data, WINGET_REQUIRED[kind], problems)
        if data.get("PackageIdentifier") != PACKAGE_ID or data.get("PackageVersion") != version:
            problems.append(f"{name}: not {PACKAGE_ID} {version}")
    for kind in WINGET_REQUIRED:
        if kind not in kinds:
            problems.append(f"winget: no {kind} manifest")
    if kinds.get("version", {}).get("DefaultLocale") != kinds.get("defaultLocale", {}).get("PackageLocale"):
        problems.append("winget: DefaultLocale names no default-locale manifest")
    files = {}
    for i, installer in enumerate(kinds.get("installer", {}).get("Installers", [])):
        where = f"installer {i + 1}"
        check_fields(where, installer, INSTALLER_REQUIRED, problems)
        files[installer.get("InstallerType")] = installer
        name = str(installer.get("InstallerUrl", "")).rsplit("/", 1)[-1]
        path = os.path.join(packages, name)
        if not os.path.isfile(path):
            problems.append(f"{where}: {name} is not among the packages")
        elif sha256(path) != str(installer.get("InstallerSha256", "")).upper():
            problems.append(f"{where}: the checksum is not {name}'s")
    if set(files) != {"nullsoft", "msi"}:
        problems.append(f"winget: installers {sorted(map(str, files))}, not the setup program and the MSI")
    if "/S" not in files.get("nullsoft", {}).get("InstallerSwitches", {}).get("Silent", ""):
        problems.append("winget: the setup program has no silent switch")
    if not GUID.match(str(files.get("msi", {}).get("ProductCode", ""))):
        problems.append("winget: the MSI has no product code")

    with open(os.path.join(folder, "scoop", "lanvoy.json"), encoding="utf-8") as f:
        scoop = json.load(f)
    check_fields("lanvoy.json", scoop, {"version": VERSION, "homepage": URL, "license": str,
                                        "description": str, "architecture": dict}, problems)
    if scoop.get("version") != version:
        problems.append(f"lanvoy.json: version {scoop.get('version')!r}, not {version}")
    arch = scoop.get("architecture", {}).get("64bit", {})
    check_fields("lanvoy.json 64bit", arch, {"url": URL, "hash": SHA}, problems)
    name = str(arch.get("url", "")).rsplit("/", 1)[-1]
    path = os.path.join(packages, name)
    if not os.path.isfile(path) or sha256(path) != str(arch.get("hash", "")).upper():
        problems.append(f"lanvoy.json: the hash is not that of a package named {name}")
    return problems


def main():
    version, packages, folder = sys.argv[1], sys.argv[2], sys.argv[3]
    winget, scoop = build(version, packages)
    winget_dir = os.path.join(folder, "winget", PACKAGE_ID, version)
    os.makedirs(winget_dir, exist_ok=True)
    os.makedirs(os.path.join(folder, "scoop"), exist_ok=True)
    for name, data in winget.items():
        kind = data["ManifestType"]
        with open(os.path.join(winget_dir, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{MANIFEST_VERSION}.schema.json\n")
            yaml.safe_dump(data, f, allow_unicode=True, sort_keys=False)
    with open(os.path.join(folder, "scoop", "lanvoy.json"), "w", encoding="utf-8", newline="\n") as f:
        json.dump(scoop, f, ensure_ascii=False, indent=4)
        f.write("\n")
    problems = validate(version, packages, folder)
    if problems:
        for problem in problems:
            print(f"manifests: {problem}", file=sys.stderr)
        sys.exit(1)
    for root, _, names in sorted(os.walk(folder)):
        for name in sorted(names):
            print(os.path.relpath(os.path.join(root, name), folder))
    print("manifests: every required field is there and every checksum matches its package")


if __name__ == "__main__":
    main()
