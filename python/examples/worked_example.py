"""The worked calculations of examples/ (C++), from Python: the same calls, the same
printed lines, the same digits. Run it with: .venv/bin/python python/examples/worked_example.py"""
from typing import Sequence, Tuple

import tervanix as tv
from tervanix import BoundaryCondition, DoubleArray, DoubleArray2D, DoubleArray3D


def g(value: float, digits: int = 17) -> str:
    """A number as the C++ example prints it (std::setprecision(digits), default format)."""
    return "%.*g" % (digits, value)


def general_utilities() -> None:
    util = tv.cGenUtil()
    print("== General utilities (cGenUtil) ==")
    pump, fan = 85.0, 82.0
    print(f"pump {g(pump)} dB + fan {g(fan)} dB = {g(util.LogDBSum(pump, fan))} dB")
    print(f"two equal 60 dB sources: {g(util.LogDBSum(60.0, 60.0))} dB")
    print(f"84.6 dB within 0.5 dB of 85 dB: {util.IsEqualAbs(84.6, 85.0, 0.5)}")
    for reg in (5, -1, -32768, 32767):
        text = util.IntToBin(reg).sBin
        back = util.BinToInt(text).nInt
        print(f"register {reg:6d} -> {text} -> {back}")
    ok, untouched = util.BinToInt("01010101010101012", nInt=42)
    print(f"17-character text read back: {ok}, value still {untouched}\n")


def print_table(temperature: DoubleArray, density: DoubleArray) -> None:
    for i in range(temperature.LBound(), temperature.UBound() + 1):
        print(f"  {g(temperature[i], 6):>5} C  {g(density[i], 6)} kg/m3")


def table_lookup() -> None:
    print("== Table lookup (CInterpolation) ==")
    temperature = DoubleArray([20, 80, 0, 40, 100, 10, 60], lower=1)
    density = DoubleArray([998.21, 971.80, 999.84, 992.22, 958.35, 999.70, 983.20], lower=1)
    print("as entered:")
    print_table(temperature, density)
    table = tv.CInterpolation.Default()
    rho = table.InterpolationOf1DArray(30.0, temperature, density, BoundaryCondition.NO_EXTRAPOLATION).dYResult
    print("after the first lookup the table is in order:")
    print_table(temperature, density)
    print(f"density at 30 C: {g(rho, 6)} kg/m3 (halfway between 20 C and 40 C)")
    for t in (110.0, -5.0):
        for condition in BoundaryCondition:
            found, rho = table.InterpolationOf1DArray(t, temperature, density, condition, dYResult=0.0)
            answer = f"{g(rho, 6)} kg/m3" if found else "no value (False)"
            print(f"density at {g(t, 6):>4} C with {condition.name:<22}: {answer}")
    where = table.InterpolationIndices(30.0, temperature, BoundaryCondition.NO_EXTRAPOLATION)
    print(f"30 C lies between positions {where.nXIndex1} and {where.nXIndex2} "
          f"at fraction {g(where.dInterpFraction, 6)}\n")


def print_matrix(name: str, m: tv.cMatrix2) -> None:
    print(f"{name} ({m.NumRows()} x {m.NumCols()}):")
    for row in m.to_array():
        print("".join(f"{g(value):>24}" for value in row))


def matrices() -> None:
    ops = tv.cMatrixOps()
    print("== Matrices (cMatrix2, cMatrixOps) ==")
    a = tv.cMatrix2.from_array([[0, 2, 1], [1, 0, 3], [4, 1, 0]])
    inverse = ops.MatrixInvert(a).Inverted
    print_matrix("A", a)
    print_matrix("inverse of A (exactly -3, 1, 6 / 12, -4, 1 / 1, 8, -2, each over 25)", inverse)
    print_matrix("A times its inverse: the identity up to rounding", ops.MatrixMult(a, inverse).AB)
    coeffs = tv.cMatrix2.from_array([[4, -1, 0], [-1, 4, -1], [0, -1, 4]])
    loads = tv.cMatrix2.from_array([[2, 0], [4, 5], [10, 0]])
    solved, solution = ops.SimultEqns(coeffs, loads)
    print(f"solved: {solved}")
    print_matrix("solution, one column per load case", solution)
    invertible, inverse = ops.MatrixInvert(tv.cMatrix2.from_array([[1, 2], [2, 4]]), inverse)
    print(f"((1, 2), (2, 4)) invertible: {invertible}; result {inverse.NumRows()} x {inverse.NumCols()} "
          f"holding {g(inverse.GetData(1, 1))}\n")


def print_array(name: str, a: DoubleArray) -> None:
    print(f"{name} =" + "".join(f" {g(a[i])}" for i in range(a.LBound(), a.UBound() + 1)))


def pump_curve() -> None:
    flow = DoubleArray([40, 0, 20, 50, 30])
    head = DoubleArray([21.5, 32, 28.5, 15, 25.5])
    table = tv.cInterp2()
    q = 35.0
    h = table.Interp2D(flow, head, False, q).Y
    print(f"head at {g(q)} m3/h: {g(h)} m")
    print_array("flow, now sorted", flow)
    print_array("head, alongside ", head)
    beyond = 60.0
    found, h = table.Interp2D(flow, head, False, beyond, Y=-1.0)
    print(f"head at {g(beyond)} m3/h, extrapolation forbidden: {found} (h still {g(h)})")
    h = table.Interp2D_Extrap(flow, head, tv.EXTRAP_LINEARLY, beyond, h).Y
    print(f"  extrapolated linearly: {g(h)} m")
    h = table.Interp2D_Extrap(flow, head, tv.EXTRAP_FIXEDENDPT, beyond, h).Y
    print(f"  held at the last reading: {g(h)} m")


def motor_map() -> None:
    speed = DoubleArray([1000, 2000, 3000])
    torque = DoubleArray([10, 20, 40])
    rows = [[82, 86, 84], [85, 90, 88], [83, 89, 87]]
    efficiency = DoubleArray2D(rows)
    table = tv.cInterp2()
    eta = table.Interp3D(speed, torque, efficiency, False, 2500.0, 30.0).Z
    print(f"efficiency at 2500 rpm, 30 N m: {g(eta)} %")
    found, eta = table.Interp3D(speed, torque, efficiency, False, 3500.0, 30.0, Z=-1.0)
    print(f"at 3500 rpm, extrapolation forbidden: {found} (eta still {g(eta)})")
    eta = table.Interp3D(speed, torque, efficiency, True, 3500.0, 30.0, eta).Z
    print(f"  extrapolated from the edge cell: {g(eta)} %")
    voltage = DoubleArray([380, 400])
    by_voltage = DoubleArray3D([rows, [[value - 1 for value in row] for row in rows]])
    eta = table.Interp4D(voltage, speed, torque, by_voltage, False, 390.0, 2500.0, 30.0, eta).Z
    print(f"efficiency at 390 V, 2500 rpm, 30 N m: {g(eta)} %")
    eta = table.Interp4D(voltage, speed, torque, by_voltage, True, 420.0, 2500.0, 30.0, eta).Z
    print(f"  at 420 V, extrapolated: {g(eta)} %")


def table_interpolation() -> None:
    print("== Table interpolation (cInterp2) ==")
    pump_curve()
    motor_map()
    print()


def geometry() -> None:
    geom = tv.cGeom()
    print("== Geometry (cGeom) ==")
    a1, b1, c1, d1 = geom.PlaneCoeffsFrom3Pts(0, 0, 3, 10, 0, 3, 0, 4, 6)
    print(f"south face: {g(a1)} x + {g(b1)} y + {g(c1)} z + {g(d1)} = 0")
    a2, b2, c2, d2 = geom.PlaneCoeffsFrom3Pts(0, 8, 3, 0, 4, 6, 10, 8, 3)
    print(f"north face: {g(a2)} x + {g(b2)} y + {g(c2)} z + {g(d2)} = 0")
    met, px, py, pz, ux, uy, uz = geom.Intersect2Planes(a1, b1, c1, d1, a2, b2, c2, d2)
    if met:
        print(f"ridge: through ({g(px)}, {g(py)}, {g(pz)}) along ({g(ux)}, {g(uy)}, {g(uz)})")
    met, X, Y, Z = geom.Intersect3Planes(a1, b1, c1, d1, a2, b2, c2, d2, 1, 0, 0, -10)
    if met:
        print(f"gable top: ({g(X)}, {g(Y)}, {g(Z)})")
    met, X, Y, Z = geom.Intersect3Planes(1, 0, 0, 0, 2, 0, 0, -20, a1, b1, c1, d1, X, Y, Z)
    print(f"walls x = 0 and x = 10 with the south face: {met}, point still ({g(X)}, {g(Y)}, {g(Z)})")
    east, north = geom.PolarToCart(50, 30)
    r, theta = geom.CartToPolar(east, north)
    print(f"50 m at 30 degrees: ({g(east)}, {g(north)}), back to {g(r)} m at {g(theta)} degrees")
    theta = geom.CartToPolar(1, 1).theta
    print(f"(1, 1) lies at {g(theta)} degrees: the library's pi is {g(geom.PI())}\n")


def solve_and_print(title: str, equations: Sequence[Tuple[Tuple[int, int, int], int]]) -> None:
    network = tv.cMatrix()
    network.MatrixSize(3)
    for row, (coefficients, constant) in enumerate(equations, start=1):
        for col, value in enumerate(coefficients, start=1):
            network.AddToMatrix(row, col, value)
        network.AddToVector(row, constant)
    solved, currents = network.Calc()
    values = ", ".join(f"I{i} = {g(value)} A" for i, value in enumerate(currents, start=1))
    print(f"{title}: {solved}" + (f"  {values}" if values else ""))


def simultaneous_equations() -> None:
    print("== Simultaneous equations (cMatrix) ==")
    solve_and_print("node, outer loop, inner loop", [((1, -1, -1), 0), ((2, 3, 0), 12), ((0, 3, -6), 0)])
    solve_and_print("inner loop, outer loop, node", [((0, 3, -6), 0), ((2, 3, 0), 12), ((1, -1, -1), 0)])
    solve_and_print("inner loop, outer loop, inner loop doubled",
                    [((0, 3, -6), 0), ((2, 3, 0), 12), ((0, 6, -12), 0)])
    print()


def main() -> None:
    general_utilities()
    table_lookup()
    matrices()
    table_interpolation()
    geometry()
    simultaneous_equations()


if __name__ == "__main__":
    main()
