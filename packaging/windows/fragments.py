#!/usr/bin/python3
"""Writes the generated parts of the Windows installer (packaging/windows/Tervanix.wxs).

  fragments.py files STAGE ARCH UPGRADE_CODE OUT
      files.wxs: every file under STAGE (the tree that `cmake --install` wrote, plus the
      docs), in the same folders under INSTALLDIR, one component per file. The sources
      are relative to STAGE: wixl runs there (it takes no absolute source paths).
  fragments.py com CLASSES INTERFACES DLL ARCH UPGRADE_CODE OUT
      com.wxs: the registry entries of the Windows component DLL (its path relative to
      STAGE, e.g. bin/tervanix_com.dll), from com/classes.tsv and com/interfaces.tsv.
  fragments.py guid UPGRADE_CODE NAME
      prints the GUID that this script derives from the upgrade code for NAME (the
      product code of a version, the install record's component).

Every GUID is derived (UUID version 5) from the bitness's upgrade code and the file's
or entry's name, so that a file keeps its component from one version to the next. The
entries that both bitnesses share (the ProgIDs and the type library's name) sit in one
component with the same GUID in both installers: Windows Installer counts the
installed products that hold it and removes it with the last one, so uninstalling one
bitness leaves the other's ProgIDs in place.
"""
import hashlib
import os
import re
import sys
import uuid
from xml.sax.saxutils import quoteattr

# Kept in line with the component's own registration (com/src/Registration.cpp): the
# threading model, the type library's version and name, the interfaces' proxy.
THREADING_MODEL = "Apartment"
TYPELIB_VERSION = "1.0"
TYPELIB_DESCRIPTION = "Tervanix numerical library"
PS_DISPATCH = "{00020420-0000-0000-C000-000000000046}"

HEADER = '<?xml version="1.0" encoding="utf-8"?>\n' \
         '<!-- Written by packaging/windows/fragments.py; do not edit. -->\n' \
         '<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">\n  <Fragment>\n'
FOOTER = '  </Fragment>\n</Wix>\n'


def guid(upgrade_code, name):
    return str(uuid.uuid5(uuid.UUID(upgrade_code), name)).upper()


def ident(prefix, name):
    """A Windows Installer identifier (letters, digits, _ and ., at most 72) for name."""
    text = re.sub(r"[^A-Za-z0-9_.]", "_", name)
    if len(prefix) + len(text) > 60:
        text = text[-40:] + "_" + hashlib.sha1(name.encode()).hexdigest()[:12]
    return prefix + text


def file_id(relpath):
    return ident("F_", relpath)


def win64(arch):
    return "yes" if arch == "x64" else "no"


def files_fragment(stage, arch, upgrade_code):
    out = [HEADER, '    <ComponentGroup Id="InstalledFiles">\n']
    tree = []  # the Directory elements, written after the group
    components_of = {}

    def walk(rel, depth):
        path = os.path.join(stage, rel)
        names = sorted(os.listdir(path))
        dirs = [n for n in names if os.path.isdir(os.path.join(path, n))]
        files = [n for n in names if not os.path.isdir(os.path.join(path, n))]
        pad = "  " * depth
        if rel:
            tree.append(f'{pad}<Directory Id="{ident("D_", rel)}" Name={quoteattr(os.path.basename(rel))}>\n')
        comps = []
        for i, name in enumerate(files):
            frel = os.path.join(rel, name)
            cid = ident("C_", frel)
            comps.append(cid)
            tree.append(f'{pad}  <Component Id="{cid}" Guid="{guid(upgrade_code, "file " + frel)}" Win64="{win64(arch)}">\n'
                        f'{pad}    <File Id="{file_id(frel)}" Name={quoteattr(name)} Source={quoteattr(frel)} KeyPath="yes"/>\n')
            if i == 0 and rel:
                tree.append(f'{pad}    <RemoveFolder Id="{ident("R_", rel)}" On="uninstall"/>\n')
            tree.append(f'{pad}  </Component>\n')
        if rel and not files:
            # A folder with folders only: removed on uninstall by a component of its own.
            cid = ident("C_", rel + "/")
            comps.append(cid)
            tree.append(f'{pad}  <Component Id="{cid}" Guid="{guid(upgrade_code, "folder " + rel)}" Win64="{win64(arch)}">\n'
                        f'{pad}    <RemoveFolder Id="{ident("R_", rel)}" On="uninstall"/>\n'
                        f'{pad}  </Component>\n')
        components_of[rel] = comps
        for d in dirs:
            walk(os.path.join(rel, d), depth + 1)
        if rel:
            tree.append(f'{pad}</Directory>\n')

    walk("", 3)
    for comps in components_of.values():
        for cid in comps:
            out.append(f'      <ComponentRef Id="{cid}"/>\n')
    out.append('    </ComponentGroup>\n    <DirectoryRef Id="INSTALLDIR">\n')
    out.extend(tree)
    out.append('    </DirectoryRef>\n')
    out.append(FOOTER)
    return "".join(out)


def read_tsv(path):
    """(name, progid, clsid) rows, and the commented #typelib and #collection lines."""
    classes, extra = [], {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            m = re.match(r"^#(typelib|collection)\t(\S+)\t(\{[-0-9A-Fa-f]+\})$", line)
            if m:
                extra[m.group(1)] = (m.group(2), m.group(3))
            elif line and not line.startswith("#"):
                classes.append(tuple(line.split("\t")))
    return classes, extra


def read_interfaces(path):
    iids = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"^(\w+)\t(\{[-0-9A-Fa-f]+\})$", line.rstrip("\n"))
            if m:
                iids[m.group(1)] = m.group(2)
    return iids


def com_fragment(classes_tsv, interfaces_tsv, dll, arch, upgrade_code):
    classes, extra = read_tsv(classes_tsv)
    if len(classes) != 8 or "typelib" not in extra:
        sys.exit(f"{classes_tsv}: expected eight classes and the #typelib line")
    iids = read_interfaces(interfaces_tsv) if interfaces_tsv != "-" else {}
    libid = extra["typelib"][1]
    platform = "win64" if arch == "x64" else "win32"
    dll_ref = f"[#{file_id(dll)}]"
    out = [HEADER, '    <ComponentGroup Id="ComponentRegistration" Directory="INSTALLDIR">\n']

    def value(key, val, name=None, keypath=False):
        n = f" Name={quoteattr(name)}" if name else ""
        k = ' KeyPath="yes"' if keypath else ""
        full = quoteattr("Software\\Classes\\" + key)
        return (f'        <RegistryValue Root="HKMU" Key={full}{n}'
                f' Type="string" Value={quoteattr(val)}{k}/>\n')

    # This bitness's view: the classes, their interfaces, the type library's file.
    for name, progid, clsid in classes:
        key = f"CLSID\\{clsid}"
        out.append(f'      <Component Id="{ident("COM_", name)}" Guid="{guid(upgrade_code, "class " + clsid)}" Win64="{win64(arch)}">\n')
        out.append(value(key + "\\InprocServer32", dll_ref, keypath=True))
        out.append(value(key + "\\InprocServer32", THREADING_MODEL, "ThreadingModel"))
        out.append(value(key, f"Tervanix {name}"))
        out.append(value(key + "\\ProgID", progid + ".1"))
        out.append(value(key + "\\VersionIndependentProgID", progid))
        out.append(value(key + "\\TypeLib", libid))
        out.append(value(key + "\\Version", TYPELIB_VERSION))
        if name in iids:
            iface = f"Interface\\{iids[name]}"
            out.append(value(iface, f"I{name}"))
            out.append(value(iface + "\\ProxyStubClsid32", PS_DISPATCH))
            out.append(value(iface + "\\TypeLib", libid))
            out.append(value(iface + "\\TypeLib", TYPELIB_VERSION, "Version"))
        out.append('      </Component>\n')
    out.append(f'      <Component Id="COM_TypeLib" Guid="{guid(upgrade_code, "typelib " + libid)}" Win64="{win64(arch)}">\n')
    out.append(value(f"TypeLib\\{libid}\\{TYPELIB_VERSION}\\0\\{platform}", dll_ref, keypath=True))
    if "Collection" in iids:
        iface = f"Interface\\{iids['Collection']}"
        out.append(value(iface, "ICollection"))
        out.append(value(iface + "\\ProxyStubClsid32", PS_DISPATCH))
        out.append(value(iface + "\\TypeLib", libid))
        out.append(value(iface + "\\TypeLib", TYPELIB_VERSION, "Version"))
    out.append('      </Component>\n')

    # Shared by both bitnesses: Windows keeps one copy of these keys for both views.
    # The same component (GUID from the type library's, not from a bitness's upgrade
    # code) is in both installers, each in its own bitness, so that each writes them
    # where its hosts look and the last installer uninstalled removes them.
    shared = str(uuid.uuid5(uuid.UUID(libid), "shared registration")).upper()
    out.append(f'      <Component Id="COM_Shared" Guid="{shared}" Win64="{win64(arch)}">\n')
    first = True
    for name, progid, clsid in classes:
        out.append(value(progid + "\\CLSID", clsid, keypath=first))
        first = False
        out.append(value(progid, f"Tervanix {name}"))
        out.append(value(progid + "\\CurVer", progid + ".1"))
        out.append(value(progid + ".1", f"Tervanix {name}"))
        out.append(value(progid + ".1\\CLSID", clsid))
    version = f"TypeLib\\{libid}\\{TYPELIB_VERSION}"
    out.append(value(version, TYPELIB_DESCRIPTION))
    out.append(value(version + "\\FLAGS", "0"))
    out.append('      </Component>\n')
    out.append('    </ComponentGroup>\n')
    out.append(FOOTER)
    return "".join(out)


def main(argv):
    if len(argv) == 6 and argv[1] == "files":
        text = files_fragment(argv[2], argv[3], argv[4])
        out = argv[5]
    elif len(argv) == 8 and argv[1] == "com":
        text = com_fragment(*argv[2:7])
        out = argv[7]
    elif len(argv) == 4 and argv[1] == "guid":
        print("{" + guid(argv[2], argv[3]) + "}")
        return
    else:
        sys.exit(__doc__)
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main(sys.argv)
