#!/usr/bin/python3
"""Turns every code snippet of the docs into C++ that CI compiles and runs.

    scripts/docs/snippets.py OUTPUT_DIR

Snippets: the ```cpp blocks of README.md and docs/*.md (docs/reference/ is rendered
from the headers, whose examples are taken from the headers themselves) and the
@code blocks of the public headers. A block marked ```cpp-fragment, ```text or any
other language is not compiled.

- A snippet with a main() is a complete program: compiled and run as it stands
  (with its checks).
- A snippet with #include lines is compiled on its own, its statements wrapped in a
  main(), so that a missing include fails.
- Any other snippet is a run of statements: it gets <Tervanix/Tervanix.h> and
  `using namespace tervanix;`, and all of them share one program.

A result stated in a statement's trailing comment is checked where it has one of
these forms (anything else in a comment is prose):

    stmt;  // True                    the statement's value is True (or False)
    stmt;  // throws OverflowError    the statement ends with that LibraryError kind
    stmt;  // 2.5                     the statement's value is exactly 2.5 (a unit
                                      word may follow, and after : ; or ( any text)
    stmt;  // True: m = 2, B = 0      ... and afterwards m == 2 and B == 0

The statement's value is the variable it declares or assigns, or else the value of
the expression. Values: numbers (compared exactly, so written to all their
digits), True, False, true, false, "text" and u"text"; clauses are separated by
commas.
"""
import re
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
VALUE = r'(?:-?\d+(?:\.\d+)?(?:e[-+]?\d+)?|True|False|true|false|u?"[^"]*")'


def markdown_snippets():
    files = [ROOT / "README.md"] + sorted((ROOT / "docs").glob("*.md"))
    for path in files:
        lines = path.read_text().splitlines()
        block, start = None, 0
        for number, line in enumerate(lines, 1):
            if block is None and line.strip() == "```cpp":
                block, start = [], number + 1
            elif block is not None and line.strip() == "```":
                yield path, start, block
                block = None
            elif block is not None:
                block.append(line)


def header_snippets():
    for path in sorted((ROOT / "calculations" / "Tervanix").rglob("*.h")):
        block, start = None, 0
        for number, line in enumerate(path.read_text().splitlines(), 1):
            text = line.strip()
            if text == "/// @code":
                block, start = [], number + 1
            elif text == "/// @endcode":
                yield path, start, block
                block = None
            elif block is not None:
                body = text[3:]
                block.append(body[2:] if body.startswith("  ") else body.lstrip())


def split_clauses(text):
    clauses, depth, current = [], 0, ""
    for ch in text:
        depth += {"(": 1, ")": -1}.get(ch, 0)
        if ch == "," and depth == 0:
            clauses.append(current.strip())
            current = ""
        else:
            current += ch
    return clauses + [current.strip()]


def checked_statement(code, comment, where):
    """The statement with the checks its comment states, or None when it states none."""
    verdict = re.match(r"(True|False)\b:?\s*(.*)", comment)
    throws = re.match(r"throws (\w+)\b", comment)
    if throws:
        return (f"try {{ {code} tvx_check::NoThrow({where}); }} catch (const tervanix::LibraryError& e) "
                f"{{ tvx_check::Kind(e, tervanix::ErrorKind::{throws.group(1)}, {where}); }}")
    rest = verdict.group(2) if verdict else comment
    expected, after = (verdict.group(1) if verdict else None), []
    for number, clause in enumerate(split_clauses(rest) if rest else []):
        named = re.fullmatch(rf"([\w.\->()\[\]]+?)\s*=\s*({VALUE})(?:\s.*)?", clause)
        bare = re.fullmatch(rf"({VALUE})(?:\s+[A-Za-z]+)?(?:\s*[:;(].*)?", clause)
        if named:
            after.append((named.group(1), named.group(2)))
        elif bare and number == 0 and expected is None:
            expected = bare.group(1)
    if expected is None and not after:
        return None
    lines = []
    if expected is not None:
        declared = re.fullmatch(r"(?:const\s+)?(?:auto|[\w:<>]+)\s+(\w+)\s*=\s*[^=].*;", code)
        assigned = re.fullmatch(r"([\w.\->()\[\]]+)\s*=\s*[^=].*;", code)
        if declared or assigned:
            lines += [code, f"tvx_check::Equal({(declared or assigned).group(1)}, {expected}, {where});"]
        else:
            lines += [f"{{ const auto tvx_value = {code.rstrip(';')};",
                      f"tvx_check::Equal(tvx_value, {expected}, {where}); }}"]
    else:
        lines.append(code)
    lines += [f"tvx_check::Equal({name}, {value}, {where});" for name, value in after]
    return " ".join(lines)


def translate(path, start, block):
    """The snippet's lines, with #line marks and its checks. A statement may run over
    several lines; its comment is the one on its last line."""
    out, pending, first = [], [], start
    rel = path.relative_to(ROOT)
    for offset, line in enumerate(block):
        number = start + offset
        code = line.split("//", 1)[0].rstrip()
        if not pending:
            first = number
        if code and not code.endswith((";", "{", "}")) and not code.lstrip().startswith("#"):
            pending.append(code.strip())  # the statement goes on
            continue
        m = re.fullmatch(r"(\s*)(.*;)\s*//\s*(.*)", line)
        checked = None
        if m:
            statement = " ".join(pending + [m.group(2).strip()])
            checked = checked_statement(statement, m.group(3).strip(), f'"{rel}:{number}"')
        out.append(f'#line {first} "{rel}"')
        if checked:
            out.append(m.group(1) + checked)
        else:
            out += pending + [line]
        pending = []
    return out + pending


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for old in out.glob("snippet*.cpp"):
        old.unlink()
    shared, count = [], 0
    for path, start, block in list(markdown_snippets()) + list(header_snippets()):
        count += 1
        where = f'"{path.relative_to(ROOT)}:{start}"'
        text = "\n".join(block)
        includes = [l for l in block if l.startswith("#include")]
        body = translate(path, start, [l if not l.startswith("#include") else "" for l in block])
        if re.search(r"\bint\s+main\s*\(", text):
            # The checks fail the program through tvx_check's exit handler.
            source = includes + ['#include "tvx_check.h"'] + body
            (out / f"snippet_{count:03d}.cpp").write_text("\n".join(source) + "\n")
        elif includes:
            source = includes + ['#include "tvx_check.h"', "int main() {", "tvx_check::Run([] {"] + body + \
                [f"}}, {where});", "return tvx_check::Failures();", "}"]
            (out / f"snippet_{count:03d}.cpp").write_text("\n".join(source) + "\n")
        else:
            shared.append((count, where, body))
    source = ["#include <Tervanix/Tervanix.h>", '#include "tvx_check.h"', ""]
    for number, _, body in shared:
        source += [f"static void Snippet{number}() {{", "using namespace tervanix;"] + body + ["}"]
    source += ["int main() {"]
    source += [f"tvx_check::Run(Snippet{number}, {where});" for number, where, _ in shared]
    source += ["return tvx_check::Failures();", "}"]
    (out / "snippets_shared.cpp").write_text("\n".join(source) + "\n")
    print(f"snippets: {count} extracted, {len(shared)} of them in the shared program")


if __name__ == "__main__":
    main()
