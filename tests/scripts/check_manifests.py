#!/usr/bin/python3
"""Checks the manifests of both programs, as CMake writes them: a four-part version and a
description, run as the invoker (no virtualization), declared for Windows Vista to 11, common
controls 6, aware of the system DPI, UTF-8 as the code page. Usage: check_manifests.py MANIFEST..."""
import re
import sys
import xml.etree.ElementTree as ET

V1, V3 = "{urn:schemas-microsoft-com:asm.v1}", "{urn:schemas-microsoft-com:asm.v3}"
COMPAT = "{urn:schemas-microsoft-com:compatibility.v1}"
SETTINGS_2005 = "{http://schemas.microsoft.com/SMI/2005/WindowsSettings}"
SETTINGS_2019 = "{http://schemas.microsoft.com/SMI/2019/WindowsSettings}"
SUPPORTED = {"{e2011457-1546-43c5-a5fe-008deee3d3f0}", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}


def problems(path):
    root = ET.parse(path).getroot()
    if not re.fullmatch(r"\d+\.\d+\.\d+\.\d+", root.find(f"{V1}assemblyIdentity").get("version")):
        yield "the program's version is not four numbers"
    if not root.findtext(f"{V1}description"):
        yield "no description"
    level = root.findall(f"{V3}trustInfo/{V3}security/{V3}requestedPrivileges/{V3}requestedExecutionLevel")
    if [(e.get("level"), e.get("uiAccess")) for e in level] != [("asInvoker", "false")]:
        yield "requestedExecutionLevel is not asInvoker without uiAccess"
    ids = {e.get("Id") for e in root.iter(f"{COMPAT}supportedOS")}
    if ids != SUPPORTED:
        yield f"supportedOS ids {sorted(ids)}"
    controls = [e.attrib for e in root.iter(f"{V1}assemblyIdentity")
                if e.get("name") == "Microsoft.Windows.Common-Controls"]
    if [c.get("version") for c in controls] != ["6.0.0.0"]:
        yield "no dependency on common controls 6.0.0.0"
    settings = f"{V3}application/{V3}windowsSettings/"
    if [e.text for e in root.findall(f"{settings}{SETTINGS_2005}dpiAware")] != ["true"]:
        yield "dpiAware is not true (aware of the system DPI)"
    if any(e.tag.endswith("}dpiAwareness") for e in root.iter()):
        yield "dpiAwareness would override dpiAware"
    pages = root.findall(f"{settings}{SETTINGS_2019}activeCodePage")
    if [e.text for e in pages] != ["UTF-8"]:
        yield "activeCodePage is not UTF-8"


failed = False
for manifest in sys.argv[1:]:
    for problem in problems(manifest):
        print(f"{manifest}: {problem}")
        failed = True
sys.exit(1 if failed else 0)
