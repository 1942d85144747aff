#!/usr/bin/python3
"""Renders the reference pages docs/reference/<Page>.md from the /// comments of the
public headers, and checks that every public method has one.

    scripts/docs/reference.py           write the pages
    scripts/docs/reference.py --check   fail when a page is out of date or a public
                                         method has no /// comment

A /// block documents the declaration that follows it, and the overloads of the same
name that follow without a blank line. Declarations of several names share one
block between "/// @{" and "/// @}". Inside a block: @param name  text,
@param[out] name  text (two spaces end the names), @return text, @throws text, and
an example between @code and @endcode.
"""
import re
import sys
import textwrap
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
HEADERS = ROOT / "calculations" / "Tervanix"
OUT = ROOT / "docs" / "reference"

PAGES = {
    "CInterpolation": ["CInterpolation.h", "BoundaryCondition.h"],
    "CSort": ["CSort.h"],
    "cGenUtil": ["cGenUtil.h"],
    "cGeom": ["cGeom.h"],
    "cMatrix": ["cMatrix.h"],
    "cMatrix2": ["cMatrix2.h"],
    "cMatrixOps": ["cMatrixOps.h"],
    "cInterp2": ["cInterp2.h"],
    "Batch": ["Batch.h"],
    "Arrays": ["runtime/Array.h"],
    "ValueTypes": ["runtime/Types.h", "runtime/LibraryError.h", "runtime/Variant.h",
                   "runtime/Collection.h", "runtime/FpEnvironment.h", "runtime/MessageBox.h",
                   "runtime/FalseReason.h"],
}


class Entry:
    def __init__(self, doc, code, public_function):
        self.doc = doc                  # the /// lines, without the marker
        self.code = [code]              # the declarations it documents
        self.public_functions = int(public_function)  # how many it documents


class Scope:
    def __init__(self, kind, access=None, visible=False, name=""):
        self.kind = kind                # "namespace", "class" or "body"
        self.access = access
        self.visible = visible          # a class whose public members a host sees
        self.name = name                # a namespace's name


def code_part(line):
    """The line without its // comment (no string literal in these headers holds //)."""
    return line.split("//", 1)[0]


def parse(path):
    """The header's leading comment, its documented declarations in order, and the
    public functions without a /// comment."""
    lines = path.read_text().splitlines()
    intro = []
    for line in lines:
        if not line.startswith("//"):
            break
        text = line[3:] if line.startswith("///") else line[2:]
        if text.strip() != "@file":
            intro.append(text[1:] if text.startswith(" ") else text)
    entries, missing = [], []
    scopes, doc, group, statement = [], [], None, []
    shared = False  # between /// @{ and /// @}
    first = 0  # the line where the statement began

    def in_body():
        return bool(scopes) and scopes[-1].kind == "body"

    def finish():
        nonlocal doc, group
        text = " ".join(statement)
        outer = scopes[-1] if scopes else Scope("namespace")
        if outer.kind == "class":
            public = outer.visible and outer.access == "public"
        else:
            # The runtime's own functions, which inline code calls, are not the
            # reference's unless they carry a /// comment.
            internal = any(s.kind == "namespace" and s.name.split("::")[-1] == "rt" for s in scopes)
            public = "TERVANIX_API" in text and not (internal and not doc)
        function = re.match(r"(enum|using|template|friend struct|class|struct)\b", text) is None and \
            "(" in code_part(text) and "= delete" not in text
        signature = declaration_of(text)
        if text.startswith("enum"):  # shown whole, with the comments on its members
            signature = textwrap.dedent("\n".join(lines[first:number + 1]))
        if doc:
            group = Entry(doc, signature, public and function)
            entries.append(group)
        elif group is not None and (shared or heading(group.code[0]) == heading(signature)):
            group.code.append(signature)
            group.public_functions += public and function
        else:
            group = None
            if public and function:
                missing.append(signature)
        doc = []
        statement.clear()

    for number, line in enumerate(lines):
        s = line.strip()
        if not in_body():
            if s in ("/// @{", "/// @}"):
                shared = s == "/// @{"
                continue
            if s.startswith("///"):
                doc.append(s[4:] if s.startswith("/// ") else s[3:])
                continue
            if not s or s.startswith("#") or (s.startswith("//") and not statement):
                group = None  # a blank line or a plain comment ends a group
                continue
            access = re.fullmatch(r"(public|private|protected):", s)
            if access and scopes and scopes[-1].kind == "class":
                scopes[-1].access = access.group(1)
                group = None
                continue
            if not statement:
                first = number
            statement.append(code_part(line).strip())
        for ch in code_part(line):
            if ch == "{":
                head = code_part(" ".join(statement)).split("{")[0]
                if in_body() or not statement:
                    scopes.append(Scope("body"))
                elif re.match(r"namespace\b", head):
                    scopes.append(Scope("namespace", name=head.split()[1] if len(head.split()) > 1 else ""))
                    statement.clear()
                    doc, group = [], None
                elif re.match(r"(template\s*<.*>\s*)?(class|struct)\b", head) and "(" not in head:
                    outer = scopes[-1] if scopes else Scope("namespace")
                    visible = outer.kind == "namespace" or (outer.visible and outer.access == "public")
                    kind = re.search(r"\b(class|struct)\b", head).group(1)
                    scopes.append(Scope("class", "public" if kind == "struct" else "private", visible))
                    if doc:
                        entries.append(Entry(doc, without_constraints(head.replace("TERVANIX_API ", "").strip()), False))
                    statement.clear()
                    doc, group = [], None
                else:
                    scopes.append(Scope("body"))
            elif ch == "}":
                scopes.pop()
        if statement and not in_body() and code_part(line).rstrip().endswith((";", "}")):
            if statement in (["}"], ["};"]):
                statement.clear()  # the end of a namespace or class
                group = None
            else:
                finish()
    return intro, entries, missing


def template_end(text):
    """Where a declaration's template <...> header ends (0 when it has none)."""
    m = re.match(r"template\s*<", text)
    if not m:
        return 0
    depth, i = 1, m.end()
    while i < len(text) and depth:
        depth += {"<": 1, ">": -1}.get(text[i], 0)
        i += 1
    return i


def without_constraints(text):
    """A declaration whose template parameters that only constrain it (std::enable_if_t)
    are left out, as a reader needs the others only."""
    i = template_end(text)
    if not i:
        return text
    start = text.index("<") + 1
    params, part, depth = [], "", 0
    for ch in text[start:i - 1]:
        depth += {"<": 1, ">": -1, "(": 1, ")": -1}.get(ch, 0)
        if ch == "," and depth == 0:
            params.append(part.strip())
            part = ""
        else:
            part += ch
    params.append(part.strip())
    kept = [p for p in params if "enable_if" not in p]
    return f"template <{', '.join(kept)}> {text[i:].strip()}"


def declaration_of(text):
    """A declaration as the reference shows it: no export mark, no constraining
    template parameters and no inline body or constructor initialisers."""
    text = without_constraints(text.replace("TERVANIX_API ", ""))
    open_paren = text.find("(", template_end(text))
    if open_paren < 0:
        return re.sub(r"\s+", " ", text).strip()
    depth, i = 0, open_paren
    while i < len(text):
        depth += {"(": 1, ")": -1}.get(text[i], 0)
        if depth == 0:
            break
        i += 1
    rest = text[i + 1:]
    cut = re.search(r"\{|(?<!:):(?!:)", rest)
    if cut:
        rest = rest[:cut.start()].rstrip() + ";"
    return re.sub(r"\s+", " ", text[:i + 1] + rest).replace("( ", "(").replace(" )", ")").strip()


def render_doc(doc):
    out, in_code, item = [], False, None
    for line in doc:
        tag = re.match(r"@(param(?:\[out\]|\[in,out\])?|return|throws)\s+(.*)", line)
        if line.strip() == "@code":
            out.append("```cpp")
            in_code, item = True, None
        elif line.strip() == "@endcode":
            out.append("```")
            in_code = False
        elif in_code:
            out.append(line[2:] if line.startswith("  ") else line)
        elif tag:
            kind, rest = tag.groups()
            if kind.startswith("param"):
                name, _, text = rest.partition("  ")  # two spaces end the names
                role = " (output)" if "out" in kind else ""
                out.append(f"- `{name.strip()}`{role}: {text.strip()}")
            elif kind == "return":
                out.append(f"- **Returns** {rest}")
            else:
                out.append(f"- **Throws** {rest}")
            item = True
        elif item and line.startswith(" "):
            out[-1] += " " + line.strip()
        else:
            item = None
            out.append(line)
    return "\n".join(out).strip()


def render_page(name, files):
    parts = [f"# {name}", "",
             f"<!-- Generated by scripts/docs/reference.py from the comments in "
             f"{', '.join('calculations/Tervanix/' + f for f in files)}; edit those, "
             f"then run the script. -->", ""]
    missing, documented = [], 0
    for file in files:
        intro, entries, lacking = parse(HEADERS / file)
        missing += [f"{file}: {m}" for m in lacking]
        documented += sum(e.public_functions for e in entries)
        if len(files) > 1:
            parts += [f"## `<Tervanix/{file}>`", ""]
        parts += [render_doc(intro), ""]
        for entry in entries:
            title = heading(entry.code[0])
            level = "###" if len(files) > 1 else "##"
            parts += [f"{level} {title}", "", "```cpp", *map(wrapped, entry.code), "```", "",
                      render_doc(entry.doc), ""]
    return "\n".join(parts).rstrip() + "\n", missing, documented


def wrapped(signature, width=100):
    """A long declaration broken after a comma, continued under its first parameter."""
    if len(signature) <= width or "\n" in signature or "(" not in signature:
        return signature
    indent = " " * (signature.index("(") + 1)
    lines, line = [], ""
    for part in signature.split(", "):
        candidate = f"{line}, {part}" if line else part
        if len(candidate) > width and line:
            lines.append(line + ",")
            line = indent + part
        else:
            line = candidate
    return "\n".join(lines + [line])


def heading(signature):
    m = re.match(r"using\s+(\w+)", signature)
    if m:
        return f"`{m.group(1)}`"
    m = re.search(r"(operator\s*\S+?|~?\w+)\s*\(", signature)
    if m:
        return f"`{m.group(1)}`"
    m = re.match(r"(?:enum|class|struct)\s+(?:class\s+)?(?:TERVANIX_API\s+)?(\w+)", signature)
    if m:
        return f"`{m.group(1)}`"
    m = re.search(r"(\w+)\s*(?:\{.*\})?\s*;?$", signature)
    return f"`{m.group(1) if m else signature}`"


def main():
    check = sys.argv[1:] == ["--check"]
    stale, missing, documented = [], [], 0
    for name, files in PAGES.items():
        page, lacking, count = render_page(name, files)
        missing += lacking
        documented += count
        target = OUT / f"{name}.md"
        if check:
            if not target.exists() or target.read_text() != page:
                stale.append(str(target.relative_to(ROOT)))
        else:
            OUT.mkdir(parents=True, exist_ok=True)
            target.write_text(page)
    for m in missing:
        print(f"reference: no /// comment for {m}", file=sys.stderr)
    for s in stale:
        print(f"reference: {s} is out of date; run scripts/docs/reference.py", file=sys.stderr)
    print(f"reference: {documented} public functions documented, {len(missing)} without a comment")
    return 1 if missing or stale else 0


if __name__ == "__main__":
    sys.exit(main())
