"""Draws the pictures of docs/python.md into docs/images/ (run from anywhere):
    .venv/bin/python python/tools/plots.py   (with the package installed, see docs/python.md)
Every value plotted is computed by the library through the tervanix package."""
from pathlib import Path

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import tervanix as tv  # noqa: E402

OUT = Path(__file__).resolve().parents[2] / "docs" / "images"
STYLE = {"dpi": 80}


def lookup_1d():
    x = tv.DoubleArray([0, 10, 20, 40, 60, 80, 100])
    y = tv.DoubleArray([999.84, 999.70, 998.21, 992.22, 983.20, 971.80, 958.35])
    targets = np.linspace(-40, 140, 361)
    table = tv.CInterpolation()
    fig, ax = plt.subplots(figsize=(7, 4))
    for condition, style in zip(tv.BoundaryCondition, ["-", "--", ":"]):
        found = [table.InterpolationOf1DArray(t, x, y, condition) for t in targets]
        values = [r.dYResult if r.result else np.nan for r in found]
        ax.plot(targets, values, style, lw=2, label=condition.name)
    ax.plot(x.values, y.values, "ko", label="table points")
    ax.axvspan(-40, 0, color="0.93")
    ax.axvspan(100, 140, color="0.93")
    ax.set(xlabel="dXTarget", ylabel="dYResult",
           title="InterpolationOf1DArray: below, inside and above the table")
    ax.legend(fontsize=8)
    fig.tight_layout()
    fig.savefig(OUT / "lookup_1d.png", **STYLE)


def grid_surface():
    speed = tv.DoubleArray([1000, 2000, 3000])
    torque = tv.DoubleArray([10, 20, 40])
    efficiency = tv.DoubleArray2D([[82, 86, 84], [85, 90, 88], [83, 89, 87]])
    s, t = np.meshgrid(np.linspace(1000, 3000, 41), np.linspace(10, 40, 31), indexing="ij")
    table = tv.cInterp2()
    z = np.vectorize(lambda a, b: table.Interp3D(speed, torque, efficiency, False, a, b).Z)(s, t)
    fig = plt.figure(figsize=(6, 4.5))
    ax = fig.add_subplot(projection="3d")
    ax.plot_surface(s, t, z, cmap="viridis", linewidth=0, antialiased=False)
    grid_s, grid_t = np.meshgrid(speed.values, torque.values, indexing="ij")
    ax.scatter(grid_s, grid_t, efficiency.values, color="k")
    ax.set(xlabel="X (speed)", ylabel="Y (torque)", zlabel="Z", title="Interp3D: bilinear between grid points")
    fig.tight_layout()
    fig.savefig(OUT / "grid_surface.png", **STYLE)


def allow_extrap():
    flow = tv.DoubleArray([0, 20, 30, 40, 50])
    head = tv.DoubleArray([32, 28.5, 25.5, 21.5, 15])
    targets = np.linspace(-15, 70, 341)
    table = tv.cInterp2()
    fig, ax = plt.subplots(figsize=(7, 4))
    for allow, style in [(True, "--"), (False, "-")]:
        found = [table.Interp2D(flow, head, allow, q) for q in targets]
        ax.plot(targets, [r.Y if r.result else np.nan for r in found], style, lw=2, label=f"bAllowExtrap={allow}")
    ax.plot(flow.values, head.values, "ko", label="table points")
    ax.set(xlabel="X", ylabel="Y", title="Interp2D: False outside the table unless bAllowExtrap")
    ax.legend(fontsize=8)
    fig.tight_layout()
    fig.savefig(OUT / "allow_extrap.png", **STYLE)


if __name__ == "__main__":
    OUT.mkdir(parents=True, exist_ok=True)
    lookup_1d()
    grid_surface()
    allow_extrap()
    for png in sorted(OUT.glob("*.png")):
        print(png.name, png.stat().st_size, "bytes")
