#!/usr/bin/python3
"""Writes the package-manager manifests of a release and checks them:
  <dir>/winget/Lanvoy.Lanvoy/<version>/  the winget set (version, installer,
                                         default locale): setup and MSI
  <dir>/scoop/lanvoy.json                Scoop, for the portable zip
The download addresses are <base>/<file>; LANVOY_DOWNLOAD_BASE sets the base
("{version}" in it becomes the version). Each manifest is read back and
validated against the published JSON schema of its kind (tools/schemas/),
checked for what the schemas cannot say, and each checksum against the
package itself. The codes and names come from installer/names.nsh.
Usage: manifests.py <version> <folder with the packages> <manifest folder>
       manifests.py --check <version> <folder with the packages> <manifest folder>
         only reads back and checks manifests written before"""
import hashlib
import json
import os
import re
import sys

import jsonschema
import yaml

import names

PACKAGE_ID = "Lanvoy.Lanvoy"
# The version the manifests merged into winget's community repository carry;
# its validation refuses older ones.
MANIFEST_VERSION = "1.12.0"
DEFAULT_BASE = "https://download.lanvoy.net/{version}"
HOMEPAGE = "https://lanvoy.net/"
SCHEMAS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "schemas")
DESCRIPTION = "在不同的网络方案之间一键切换以太网网卡的 IP 地址、网关和 DNS"


def sha256(path):
    digest = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest().upper()


def schema_header(kind):
    return f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{MANIFEST_VERSION}.schema.json\n"


def download_base(version="$version"):
    return os.environ.get("LANVOY_DOWNLOAD_BASE", DEFAULT_BASE).replace("{version}", version).rstrip("/")


def build(version, packages):
    base = download_base(version)
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
                    # The name of its uninstall key, by which winget finds it installed.
                    "ProductCode": names.names()["SETUP_PRODUCT_CODE"],
                    # The setup gives 2 when Lanvoy runs and is not replaced.
                    "ExpectedReturnCodes": [{"InstallerReturnCode": 2, "ReturnResponse": "packageInUse"}],
                },
                {
                    "Architecture": "x64",
                    "InstallerType": "msi",
                    "InstallerUrl": f"{base}/{msi}",
                    "InstallerSha256": sha256(os.path.join(packages, msi)),
                    "ProductCode": names.product_code(version),
                    "AppsAndFeaturesEntries": [{"UpgradeCode": names.upgrade_code()}],
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
        # The profiles, config.xml and the logs stay when Scoop replaces the
        # program's folder: a folder is kept as a junction, which the
        # program's save (a new file in the old one's place) goes through; a
        # file would be a hard link, which the save cuts off. Lanvoy keeps its
        # files in "data" when it is there.
        "persist": ["data"],
        # The distributed configuration (its DNS providers) when there is none
        # yet; one an earlier manifest kept alone comes along.
        "post_install": [
            "$data = \"$persist_dir\\data\"",
            "if (!(Test-Path \"$data\\lanvoy.cfg\")) {",
            "    if (Test-Path \"$persist_dir\\lanvoy.cfg\") { Copy-Item \"$persist_dir\\lanvoy.cfg\" \"$data\\lanvoy.cfg\" }",
            "    else { Copy-Item \"$dir\\lanvoy.cfg\" \"$data\\lanvoy.cfg\" }",
            "}",
        ],
        "checkver": {"url": HOMEPAGE, "regex": r"lanvoy-([\d.]+)-win64\.zip"},
        "autoupdate": {
            "architecture": {
                "64bit": {
                    "url": f"{download_base()}/lanvoy-$version-win64.zip",
                    "hash": {"url": "$baseurl/SHA256SUMS"},
                    "extract_dir": "Lanvoy",
                }
            }
        },
    }
    return winget, scoop


# What each manifest must carry: field, then a check of its value.
SHA = re.compile(r"^[0-9A-Fa-f]{64}$")
VERSION = re.compile(r"^[0-9]+(\.[0-9]+){1,3}$")
URL = re.compile(r"^https?://[^\s]+$")
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


def schema_problems(where, data, schema_file):
    with open(os.path.join(SCHEMAS, schema_file), encoding="utf-8") as f:
        schema = json.load(f)
    validator = jsonschema.Draft7Validator(schema)
    return [f"{where}: {'/'.join(map(str, e.absolute_path)) or '(top)'}: {e.message}"
            for e in sorted(validator.iter_errors(data), key=lambda e: list(map(str, e.absolute_path)))]


def validate(version, packages, folder):
    """Reads the written manifests back; returns what is wrong with them."""
    problems = []
    winget_dir = os.path.join(folder, "winget", PACKAGE_ID, version)
    kinds = {}
    for name in sorted(os.listdir(winget_dir)):
        with open(os.path.join(winget_dir, name), encoding="utf-8") as f:
            text = f.read()
        data = yaml.safe_load(text)
        kind = data.get("ManifestType")
        if kind not in WINGET_REQUIRED:
            problems.append(f"{name}: unknown ManifestType {kind!r}")
            continue
        if not text.startswith(schema_header(kind)):
            problems.append(f"{name}: the first line is not the $schema line of {kind} {MANIFEST_VERSION}")
        problems += schema_problems(name, data, f"winget-{MANIFEST_VERSION}/manifest.{kind}.{MANIFEST_VERSION}.json")
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
    if files.get("msi", {}).get("ProductCode") != names.product_code(version):
        problems.append("winget: the MSI's product code is not the package's")
    if files.get("nullsoft", {}).get("ProductCode") != names.names()["SETUP_PRODUCT_CODE"]:
        problems.append("winget: the setup program's product code is not its uninstall key")

    with open(os.path.join(folder, "scoop", "lanvoy.json"), encoding="utf-8") as f:
        scoop = json.load(f)
    problems += schema_problems("lanvoy.json", scoop, "scoop/schema.json")
    if scoop.get("persist") != ["data"]:
        problems.append("lanvoy.json: persists something else than the data folder")
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


def report(problems):
    if problems:
        for problem in problems:
            print(f"manifests: {problem}", file=sys.stderr)
        sys.exit(1)


def main():
    if sys.argv[1] == "--check":
        version, packages, folder = sys.argv[2], sys.argv[3], sys.argv[4]
        report(validate(version, packages, folder))
        print(f"manifests: valid against the winget {MANIFEST_VERSION} and Scoop schemas")
        return
    version, packages, folder = sys.argv[1], sys.argv[2], sys.argv[3]
    winget, scoop = build(version, packages)
    winget_dir = os.path.join(folder, "winget", PACKAGE_ID, version)
    os.makedirs(winget_dir, exist_ok=True)
    os.makedirs(os.path.join(folder, "scoop"), exist_ok=True)
    for name, data in winget.items():
        kind = data["ManifestType"]
        with open(os.path.join(winget_dir, name), "w", encoding="utf-8", newline="\n") as f:
            f.write(schema_header(kind))
            yaml.safe_dump(data, f, allow_unicode=True, sort_keys=False)
    with open(os.path.join(folder, "scoop", "lanvoy.json"), "w", encoding="utf-8", newline="\n") as f:
        json.dump(scoop, f, ensure_ascii=False, indent=4)
        f.write("\n")
    report(validate(version, packages, folder))
    for root, _, files in sorted(os.walk(folder)):
        for name in sorted(files):
            print(os.path.relpath(os.path.join(root, name), folder))
    print(f"manifests: valid against the winget {MANIFEST_VERSION} and Scoop schemas;"
          " every checksum matches its package")


if __name__ == "__main__":
    main()
