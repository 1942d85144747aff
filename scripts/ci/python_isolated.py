#!/usr/bin/python3
"""Proves that the source distribution declares everything its build needs, as an
isolated build (pip's default where the registry is reachable) would use it.

    scripts/ci/python_isolated.py SDIST TREE OUT

SDIST is the built tarball, TREE the same tarball unpacked (whose CMake build folder
the other steps reuse), OUT a folder for the environment and the wheel. The script
reads the tarball's own metadata: PKG-INFO, and the [build-system] table of its
pyproject.toml. It makes a virtual environment without system packages and puts into
it exactly the declared requirements, taken from Debian's installed packages (each
checked against its version specifier), then asks the package's backend, inside that
environment, for the requirements it adds (get_requires_for_build_wheel, as pip does
before an isolated build) and puts those in too. Then pip builds a wheel there with
--no-build-isolation --check-build-dependencies: a requirement missing from the
declaration fails the build. Last, it checks that the licence and the README are in
the tarball and in the wheel.
"""
import email.parser
import importlib.metadata
import json
import subprocess
import sys
import tarfile
import tomllib
import venv
import zipfile
from pathlib import Path

from pip._vendor.packaging.requirements import Requirement

SYSTEM_SITE = Path("/usr/lib/python3/dist-packages")


def sdist_metadata(sdist):
    with tarfile.open(sdist) as tar:
        names = tar.getnames()
        root = names[0].split("/")[0]
        pyproject = tomllib.load(tar.extractfile(f"{root}/pyproject.toml"))
        info = email.parser.Parser().parsestr(tar.extractfile(f"{root}/PKG-INFO").read().decode())
    return names, root, pyproject["build-system"], info


def provide(text, site):
    """Links the installed distribution that satisfies requirement `text` into `site`:
    its metadata folder and its top-level modules, nothing else."""
    requirement = Requirement(text)
    distribution = importlib.metadata.distribution(requirement.name)
    if not requirement.specifier.contains(distribution.version, prereleases=True):
        sys.exit(f"isolated build: {text} is declared, but Debian has {requirement.name} {distribution.version}")
    metadata = Path(distribution._path)  # the .dist-info or .egg-info folder
    tops = (distribution.read_text("top_level.txt") or requirement.name).split()
    linked = [metadata]
    for top in tops:
        linked += [p for p in (SYSTEM_SITE / top, SYSTEM_SITE / f"{top}.py") if p.exists()]
    for path in linked:
        (site / path.name).symlink_to(path)
    return f"{requirement.name} {distribution.version}"


def main():
    sdist, tree, out = (Path(a).resolve() for a in sys.argv[1:4])
    names, root, system, info = sdist_metadata(sdist)
    print(f"isolated build: {sdist.name}: {info['Name']} {info['Version']}, licence {info['License']}, "
          f"build-backend {system['build-backend']} from {system.get('backend-path')}")
    print(f"isolated build: declared build requirements: {', '.join(system['requires'])}")

    env = out / "venv-isolated"
    venv.EnvBuilder(clear=True, with_pip=False, system_site_packages=False).create(env)
    python = env / "bin" / "python"
    site = Path(subprocess.run([python, "-c", "import sysconfig; print(sysconfig.get_paths()['purelib'])"],
                               capture_output=True, text=True, check=True).stdout.strip())
    provided = [provide(r, site) for r in system["requires"]]

    backend_path = [str((tree / p).resolve()) for p in system.get("backend-path", [])]
    # The hook's own output (setuptools writes egg_info's lines) goes to stderr; the
    # requirements alone, as JSON, to stdout.
    ask = ("import importlib, json, sys; sys.path[:0] = sys.argv[1:]; "
           f"b = importlib.import_module({system['build-backend']!r}); "
           "out = sys.stdout; sys.stdout = sys.stderr; "
           "print(json.dumps(list(b.get_requires_for_build_wheel())), file=out)")
    added = json.loads(subprocess.run([python, "-c", ask, *backend_path], cwd=tree, stdout=subprocess.PIPE,
                                      stderr=subprocess.DEVNULL, text=True, check=True).stdout)
    print(f"isolated build: the backend adds: {', '.join(added) or 'nothing'}")
    provided += [provide(r, site) for r in added]
    present = sorted(p.name for p in site.iterdir())
    print(f"isolated build: the environment holds only: {', '.join(provided)} ({', '.join(present)})")

    wheels = out / "wheel-isolated"
    subprocess.run([sys.executable, "-m", "pip", "--python", str(python), "wheel", "-q", "--no-build-isolation",
                    "--check-build-dependencies", "--no-index", "--no-deps", "-w", str(wheels), str(tree)],
                   check=True)
    wheel = next(wheels.glob("tervanix-*.whl"))
    print(f"isolated build: built {wheel.name} from the declared requirements alone")

    missing = [n for n in ("LICENSE", "README.md") if f"{root}/{n}" not in names]
    with zipfile.ZipFile(wheel) as archive:
        inside = archive.namelist()
        metadata = next(n for n in inside if n.endswith(".dist-info/METADATA"))
        wheel_info = email.parser.Parser().parsestr(archive.read(metadata).decode())
    if not any(n.endswith(".dist-info/LICENSE") for n in inside):
        missing.append("the wheel's LICENSE")
    if "tervanix for Python" not in (wheel_info.get_payload() or ""):
        missing.append("the wheel's README (its METADATA description)")
    if missing:
        sys.exit(f"isolated build: missing: {', '.join(missing)}")
    print("isolated build: LICENSE and README.md in the sdist; LICENSE and the README in the wheel")


if __name__ == "__main__":
    main()
