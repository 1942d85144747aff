"""packaging/windows/fragments.py: the installer's generated parts. The registry
entries of the component for each class and bitness (from com/classes.tsv and
com/interfaces.tsv), the installed files one component each, and GUIDs that stay the
same from one version to the next."""
import re
import uuid
import xml.etree.ElementTree as ET

import pytest

import fragments
from conftest import ROOT, run_tool

NS = {"w": "http://schemas.microsoft.com/wix/2006/wi"}
CLASSES = ROOT / "com" / "classes.tsv"
INTERFACES = ROOT / "com" / "interfaces.tsv"
UPGRADE = {"x64": "6E4C1D0B-3A44-4D8E-9B0C-2B1D5A7E9F01", "x86": "0C5E2A7D-9B13-4F6A-8E2D-7A3B4C5D6E02"}
DLL = "bin/tervanix_com.dll"


def tsv_rows(path):
    return [line.split("\t") for line in path.read_text().splitlines() if line and not line.startswith("#")]


def com_xml(arch, interfaces=INTERFACES, classes=CLASSES):
    return ET.fromstring(fragments.com_fragment(str(classes), str(interfaces), DLL, arch, UPGRADE[arch]))


def registry(component):
    """{(key, name): value} of a component's RegistryValues, with the key below Software\\Classes."""
    out = {}
    for v in component.findall("w:RegistryValue", NS):
        assert v.get("Root") == "HKMU" and v.get("Type") == "string"
        key = v.get("Key")
        assert key.startswith("Software\\Classes\\")
        out[(key[len("Software\\Classes\\"):], v.get("Name"))] = v.get("Value")
    return out


def components(root):
    return {c.get("Id"): c for c in root.iter("{%s}Component" % NS["w"])}


@pytest.mark.parametrize("arch", ["x64", "x86"])
def test_each_class_has_its_keys_in_its_bitnesss_view(arch):
    comps = components(com_xml(arch))
    libid = "{D908856C-1271-47D6-98B3-1E7D6E921D8B}"
    iids = dict(tsv_rows(INTERFACES))
    dll = "[#F_bin_tervanix_com.dll]"
    rows = tsv_rows(CLASSES)
    assert len(rows) == 8
    for name, progid, clsid in rows:
        c = comps["COM_" + name]
        assert c.get("Win64") == ("yes" if arch == "x64" else "no")
        keys = registry(c)
        clsid_key = f"CLSID\\{clsid}"
        iface = f"Interface\\{iids[name]}"
        assert keys == {
            (clsid_key, None): f"Tervanix {name}",
            (clsid_key + "\\InprocServer32", None): dll,
            (clsid_key + "\\InprocServer32", "ThreadingModel"): "Apartment",
            (clsid_key + "\\ProgID", None): progid + ".1",
            (clsid_key + "\\VersionIndependentProgID", None): progid,
            (clsid_key + "\\TypeLib", None): libid,
            (clsid_key + "\\Version", None): "1.0",
            (iface, None): "I" + name,
            (iface + "\\ProxyStubClsid32", None): "{00020420-0000-0000-C000-000000000046}",
            (iface + "\\TypeLib", None): libid,
            (iface + "\\TypeLib", "Version"): "1.0",
        }
        # The DLL's path is the component's key: it decides whether the class is installed.
        keypaths = [v for v in c.findall("w:RegistryValue", NS) if v.get("KeyPath") == "yes"]
        assert [v.get("Key") for v in keypaths] == [f"Software\\Classes\\{clsid_key}\\InprocServer32"]


@pytest.mark.parametrize("arch, platform", [("x64", "win64"), ("x86", "win32")])
def test_the_type_library_names_the_dll_of_its_bitness(arch, platform):
    keys = registry(components(com_xml(arch))["COM_TypeLib"])
    libid = "{D908856C-1271-47D6-98B3-1E7D6E921D8B}"
    assert keys[(f"TypeLib\\{libid}\\1.0\\0\\{platform}", None)] == "[#F_bin_tervanix_com.dll]"
    other = "win32" if platform == "win64" else "win64"
    assert not any(other in key for key, _ in keys)
    collection = "Interface\\{88C6BD5E-0171-4457-B0FE-53408FAF4C8D}"
    assert keys[(collection, None)] == "ICollection"
    assert keys[(collection + "\\TypeLib", "Version")] == "1.0"


def test_the_shared_entries_are_one_component_in_both_installers():
    x64, x86 = components(com_xml("x64"))["COM_Shared"], components(com_xml("x86"))["COM_Shared"]
    # The same GUID, whatever the bitness's upgrade code: Windows Installer counts the
    # products that hold it and removes the ProgIDs with the last one.
    assert x64.get("Guid") == x86.get("Guid")
    assert registry(x64) == registry(x86)
    assert (x64.get("Win64"), x86.get("Win64")) == ("yes", "no")
    keys = registry(x64)
    for name, progid, clsid in tsv_rows(CLASSES):
        assert keys[(progid + "\\CLSID", None)] == clsid
        assert keys[(progid + "\\CurVer", None)] == progid + ".1"
        assert keys[(progid + ".1\\CLSID", None)] == clsid
        assert keys[(progid, None)] == keys[(progid + ".1", None)] == f"Tervanix {name}"
    version = "TypeLib\\{D908856C-1271-47D6-98B3-1E7D6E921D8B}\\1.0"
    assert keys[(version, None)] == "Tervanix numerical library"
    assert keys[(version + "\\FLAGS", None)] == "0"
    assert not any(key.startswith("CLSID\\") or "\\0\\win" in key for key, _ in keys)
    assert sum(v.get("KeyPath") == "yes" for v in x64.findall("w:RegistryValue", NS)) == 1


def test_the_per_bitness_components_have_their_own_guids():
    x64, x86 = components(com_xml("x64")), components(com_xml("x86"))
    assert set(x64) == set(x86)
    for cid in x64:
        if cid != "COM_Shared":
            assert x64[cid].get("Guid") != x86[cid].get("Guid"), cid
    guids = [c.get("Guid") for c in x64.values()]
    assert len(set(guids)) == len(guids)
    assert all(re.fullmatch(r"[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}", g) for g in guids)


def test_the_guids_do_not_change_from_one_run_to_the_next():
    first = fragments.com_fragment(str(CLASSES), str(INTERFACES), DLL, "x64", UPGRADE["x64"])
    again = fragments.com_fragment(str(CLASSES), str(INTERFACES), DLL, "x64", UPGRADE["x64"])
    assert first == again
    # A class's component follows its CLSID, so renaming nothing else moves it.
    clsid = tsv_rows(CLASSES)[0][2]
    assert components(ET.fromstring(first))["COM_CInterpolation"].get("Guid") == \
        str(uuid.uuid5(uuid.UUID(UPGRADE["x64"]), "class " + clsid)).upper()


def test_without_interfaces_no_interface_key_is_written(tmp_path):
    root = com_xml("x64", interfaces="-")
    keys = {k for c in components(root).values() for k, _ in registry(c)}
    assert not any(k.startswith("Interface\\") for k in keys)
    assert any(k.startswith("CLSID\\") for k in keys)


def test_a_class_list_that_is_not_the_eight_classes_is_refused(tmp_path):
    rows = CLASSES.read_text().splitlines()
    short = tmp_path / "classes.tsv"
    short.write_text("\n".join(r for r in rows if not r.startswith("cInterp2")) + "\n")
    with pytest.raises(SystemExit, match="expected eight classes"):
        com_xml("x64", classes=short)
    no_typelib = tmp_path / "no-typelib.tsv"
    no_typelib.write_text("\n".join(r for r in rows if not r.startswith("#typelib")) + "\n")
    with pytest.raises(SystemExit, match="the #typelib line"):
        com_xml("x64", classes=no_typelib)


def test_the_installer_writes_what_the_component_registers():
    # The constants kept in line with com/src/Registration.cpp, by hand: compared here.
    source = (ROOT / "com" / "src" / "Registration.cpp").read_text()
    assert f'kThreadingModel[] = L"{fragments.THREADING_MODEL}"' in source
    assert f'kPSDispatch[] = L"{fragments.PS_DISPATCH}"' in source
    assert f'kTypeLibVersion[] = L"{fragments.TYPELIB_VERSION}"' in source
    assert fragments.TYPELIB_DESCRIPTION == "Tervanix numerical library"
    assert 'TERVANIX_COM_TYPELIB_NAME L" numerical library"' in source
    # Every key name the component's registration sets, the installer writes as well
    # (HELPDIR, the folder of the DLL, is the registration's own).
    set_keys = set(re.findall(r'set\([^,]*?L"\\\\([A-Za-z0-9]+)"', source)) - {"HELPDIR"}
    written = fragments.com_fragment(str(CLASSES), str(INTERFACES), DLL, "x64", UPGRADE["x64"])
    for key in set_keys:
        assert f"\\{key}" in written, key
    assert {"InprocServer32", "ProgID", "VersionIndependentProgID", "CurVer", "ProxyStubClsid32", "FLAGS"} <= set_keys


# ---- the installed files ----

@pytest.fixture
def stage(tmp_path):
    files = ["bin/tervanix_c.dll", "bin/tervanix_com.dll", "lib/libtervanix.a",
             "lib/cmake/Tervanix/TervanixConfig.cmake", "include/Tervanix/runtime/Array.h",
             "include/Tervanix/cGeom.h", "include/Tervanix/platform/Config.h", "include/Tervanix/runtime/Config.h",
             "share/doc/Tervanix/docs/reference/a very long name of a page "
             "that goes on and on past every limit of an identifier.md",
             "share/doc/Tervanix/docs/reference/another very long name of a page "
             "that goes on and on past every limit of an identifier.md", "README.md"]
    root = tmp_path / "stage"
    for f in files:
        (root / f).parent.mkdir(parents=True, exist_ok=True)
        (root / f).write_text(f)
    return root, files


def files_xml(stage_dir, arch="x64"):
    return ET.fromstring(fragments.files_fragment(str(stage_dir), arch, UPGRADE[arch]))


def test_every_file_is_installed_once_in_its_folder(stage):
    root, files = stage
    xml = files_xml(root)
    installed = {}

    def walk(element, folder):
        for child in element:
            if child.tag.endswith("Directory"):
                walk(child, folder + [child.get("Name")])
            elif child.tag.endswith("Component"):
                for f in child.findall("w:File", NS):
                    installed["/".join(folder + [f.get("Name")])] = f
    walk(xml.find("w:Fragment/w:DirectoryRef", NS), [])
    assert sorted(installed) == sorted(files)
    for path, f in installed.items():
        assert f.get("Source") == path  # relative to the stage: wixl runs there
        assert f.get("KeyPath") == "yes"
    refs = [r.get("Id") for r in xml.iter("{%s}ComponentRef" % NS["w"])]
    comps = components(xml)
    assert sorted(refs) == sorted(comps)  # every component is in the group, once


def test_identifiers_are_valid_and_distinct(stage):
    root, _ = stage
    xml = files_xml(root)
    ids = [e.get("Id") for e in xml.iter() if e.get("Id") and not e.tag.endswith(("DirectoryRef", "ComponentGroup", "ComponentRef"))]
    assert len(ids) == len(set(ids))
    guids = [c.get("Guid") for c in components(xml).values()]
    assert len(guids) == len(set(guids))  # two Config.h in two folders: two components
    for i in ids:
        assert re.fullmatch(r"[A-Za-z_][A-Za-z0-9_.]{0,71}", i), i


def test_each_folder_is_removed_on_uninstall(stage):
    root, _ = stage
    xml = files_xml(root)
    removed = {r.get("Id") for r in xml.iter("{%s}RemoveFolder" % NS["w"])}
    folders = {fragments.ident("R_", str(p.relative_to(root))) for p in root.rglob("*") if p.is_dir()}
    assert removed == folders
    # lib/cmake holds a folder only: a component of its own removes it.
    cmake_dir = next(d for d in xml.iter("{%s}Directory" % NS["w"]) if d.get("Name") == "cmake")
    own = cmake_dir.findall("w:Component", NS)
    assert len(own) == 1 and own[0].find("w:File", NS) is None
    assert own[0].find("w:RemoveFolder", NS).get("On") == "uninstall"


def test_a_file_keeps_its_component_from_one_version_to_the_next(stage, tmp_path):
    root, _ = stage
    before = {c.get("Id"): c.get("Guid") for c in components(files_xml(root)).values()}
    (root / "bin" / "new.dll").write_text("added in a later version")
    after = {c.get("Id"): c.get("Guid") for c in components(files_xml(root)).values()}
    assert all(after[k] == g for k, g in before.items())
    assert len(after) == len(before) + 1
    x86 = {c.get("Id"): c.get("Guid") for c in components(files_xml(root, "x86")).values()}
    assert all(x86[k] != g for k, g in before.items())
    assert all(c.get("Win64") == "no" for c in components(files_xml(root, "x86")).values())


def test_the_guid_command_prints_the_derived_guid():
    result = run_tool("packaging/windows/fragments.py", "guid", UPGRADE["x64"], "product 1.0.0")
    assert result.returncode == 0
    expected = "{" + str(uuid.uuid5(uuid.UUID(UPGRADE["x64"]), "product 1.0.0")).upper() + "}"
    assert result.stdout.strip() == expected
    other = run_tool("packaging/windows/fragments.py", "guid", UPGRADE["x64"], "product 1.0.1")
    assert other.stdout.strip() != expected


def test_the_commands_write_their_files_and_refuse_wrong_arguments(stage, tmp_path):
    root, _ = stage
    out = tmp_path / "com.wxs"
    r = run_tool("packaging/windows/fragments.py", "com", CLASSES, INTERFACES, DLL, "x86", UPGRADE["x86"], out)
    assert r.returncode == 0, r.stderr
    assert "\\0\\win32" in out.read_text()
    out = tmp_path / "files.wxs"
    r = run_tool("packaging/windows/fragments.py", "files", root, "x64", UPGRADE["x64"], out)
    assert r.returncode == 0, r.stderr
    assert ET.parse(out).getroot().find("w:Fragment", NS) is not None
    r = run_tool("packaging/windows/fragments.py", "files", root, "x64")
    assert r.returncode != 0 and "fragments.py files STAGE ARCH UPGRADE_CODE OUT" in r.stderr


def test_text_that_needs_quoting_stays_well_formed(tmp_path):
    root = tmp_path / "stage"
    (root / "docs").mkdir(parents=True)
    (root / "docs" / 'a & b "quoted" <page>.md').write_text("x")
    xml = files_xml(root)
    f = next(xml.iter("{%s}File" % NS["w"]))
    assert f.get("Name") == 'a & b "quoted" <page>.md'
