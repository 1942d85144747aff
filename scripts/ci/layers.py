#!/usr/bin/env python3
"""Checks that no file of the library includes a header of a layer above its own.

The layers, from the bottom: platform/ (compiler and platform macros), elementary/
(the correctly rounded functions), runtime/ (value types, errors, checks, runtime
facilities), the classes (the files in calculations/Tervanix/ itself), batch/ (the
batch lookups), and the umbrella header Tervanix.h. A file may include headers of
its own layer and of the layers below it (docs/design.md, "The layers").

Usage: scripts/ci/layers.py [LIBRARY_DIR]   (default: calculations/Tervanix)
Includes are read in every form: <Tervanix/...>, "Tervanix/..." and a path in quotes
relative to the including file. Prints one line per upward include and exits 1 when
there is any.
"""
import pathlib
import re
import sys

LAYERS = ["platform", "elementary", "runtime", "classes", "batch", "umbrella"]
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]Tervanix/([^>"]+)[>"]')
# An include in quotes that does not start with Tervanix/ is looked up beside the
# including file first: when it finds a header of the library there, it is judged
# like the same header named from Tervanix/.
RELATIVE = re.compile(r'^\s*#\s*include\s*"(?!Tervanix/)([^"]+)"')


def layer_of(relative):
    """The layer of a path relative to calculations/Tervanix."""
    parts = pathlib.PurePosixPath(relative).parts
    if len(parts) == 1:
        return "umbrella" if parts[0] == "Tervanix.h" else "classes"
    if parts[0] not in LAYERS:
        raise SystemExit(f"layers: {relative} lies in no layer; add its folder to scripts/ci/layers.py")
    return parts[0]


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else "calculations/Tervanix")
    sources = sorted(p for p in root.rglob("*") if p.suffix in (".h", ".cpp", ".in"))
    upward = []
    includes = 0
    for path in sources:
        own = layer_of(path.relative_to(root).as_posix())
        for number, line in enumerate(path.read_text().splitlines(), 1):
            match = INCLUDE.match(line)
            if match:
                name = match.group(1)
            else:
                match = RELATIVE.match(line)
                if not match:
                    continue
                beside = (path.parent / match.group(1)).resolve()
                if not beside.is_file() or root.resolve() not in beside.parents:
                    continue
                name = beside.relative_to(root.resolve()).as_posix()
            includes += 1
            target = layer_of(name)
            if LAYERS.index(target) > LAYERS.index(own):
                upward.append(f"{path}:{number}: the {own} layer includes Tervanix/{name}, "
                              f"of the {target} layer above it")
    for line in upward:
        print(line)
    print(f"layers: {len(sources)} files, {includes} includes of the library's headers, "
          f"{len(upward)} upward")
    return 1 if upward else 0


if __name__ == "__main__":
    sys.exit(main())
