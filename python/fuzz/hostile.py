"""Calls every method of the package with hostile arguments for a bounded time.

    python hostile.py [--seconds 120] [--seed N] [--verbose] [--only threaded_call]

Arguments are drawn from plausible values (numbers, arrays of the right rank,
matrices) mixed with hostile ones: wrong types, huge ints, NaN and infinities, nested
and self-referencing lists, objects whose __float__/__index__/__eq__ mutate their
container or raise, objects made with __new__ and no __init__, float32, 0-d,
non-contiguous and many-dimensional NumPy arrays, and None; and batches that run
without the GIL while another thread rewrites their tables, resizes or refills their
targets and changes the objects they were given. The only acceptable outcome
of a call is a result or an exception (SystemError, which means the binding reported an
error badly, counts as a failure); a crash ends the process, and CI runs this under
AddressSanitizer so that memory errors end it too. --verbose prints each call first,
to find the one that crashed.
"""
import argparse
import inspect
import math
import random
import sys
import threading
import time

import numpy as np

import tervanix as tv

CLASSES = [tv.CInterpolation, tv.CSort, tv.cGenUtil, tv.cGeom, tv.cInterp2, tv.cMatrix, tv.cMatrix2, tv.cMatrixOps]
ARRAYS = [tv.DoubleArray, tv.DoubleArray2D, tv.DoubleArray3D]
BATCH = [tv.interpolation_of_1d_array_batch, tv.interp2d_batch, tv.interp3d_batch, tv.interp4d_batch]


class Hostile:
    """Values whose conversion runs Python code that changes things or raises."""

    def __init__(self, rng):
        self.rng = rng
        self.victim = []  # the list a hostile item empties while it is converted

    def mutating_float(self):
        victim = self.victim

        class F:
            def __float__(self):
                victim.clear()
                victim.extend([object()] * 3)
                return 1.0
        return F()

    def raising_float(self):
        class R:
            def __float__(self):
                raise ArithmeticError("hostile __float__")
        return R()

    def mutating_index(self):
        victim = self.victim

        class I:
            def __index__(self):
                victim.clear()
                return 3
        return I()

    def raising_index(self):
        class I:
            def __index__(self):
                raise ValueError("hostile __index__")
        return I()

    def raising_eq(self):
        class E(float):
            def __eq__(self, other):
                raise RuntimeError("hostile __eq__")
            __hash__ = float.__hash__
        return E(1.5)

    def list_that_empties_itself(self):
        self.victim = [1.0, 2.0, 3.0]
        self.victim.insert(1, self.mutating_float())
        return self.victim

    def nested_list_that_empties_itself(self):
        inner = [1.0, 2.0]
        outer = [inner, [3.0, 4.0]]
        self.victim = outer
        inner.append(self.mutating_float())
        return outer

    def self_referencing_list(self):
        items = [1.0]
        items.append(items)
        return items

    def uninitialised(self):
        cls = self.rng.choice([*ARRAYS, *CLASSES])
        return cls.__new__(cls)

    def numpy_oddity(self):
        r = self.rng.randrange(6)
        if r == 0:
            return np.arange(6, dtype=np.float32)
        if r == 1:
            return np.arange(12.0)[::3]
        if r == 2:
            return np.array(3.0)
        if r == 3:
            return np.zeros((1,) * 32)
        if r == 4:
            return np.arange(6.0).reshape(2, 3).T
        return np.array([1.0, 2.0], dtype=">f8")

    def value(self):
        makers = [self.mutating_float, self.raising_float, self.mutating_index, self.raising_index, self.raising_eq,
                  self.list_that_empties_itself, self.nested_list_that_empties_itself, self.self_referencing_list,
                  self.uninitialised, self.numpy_oddity]
        plain = [None, "1.0", b"1", 10**400, -10**400, 2**31, -2**31 - 1, 2**63, math.nan, math.inf, -math.inf,
                 -0.0, 5e-324, 1e308, [], [[]], [[1.0], [2.0, 3.0]], {}, object(), True, 3 + 4j, np.float32(1.5),
                 np.int64(2**40), np.float64("nan"), tv.EXTRAP_LINEARLY]
        if self.rng.random() < 0.5:
            return self.rng.choice(makers)()
        return self.rng.choice(plain)


class Plausible:
    """Values a method could accept, so that calls get past the first argument."""

    def __init__(self, rng):
        self.rng = rng

    def number(self):
        return self.rng.choice([0.0, 1.0, -2.5, 3, 1e-300, 7.25, self.rng.uniform(-10, 10)])

    def array(self, rank):
        n = self.rng.randrange(0, 5)
        shape = (n,) * rank
        values = np.sort(np.random.default_rng(self.rng.randrange(1 << 30)).uniform(-5, 5, shape), axis=None)
        values = values.reshape(shape)
        return ARRAYS[rank - 1](values, lower=self.rng.choice([0, 1, -3]))

    def matrix(self):
        n = self.rng.randrange(1, 5)
        return tv.cMatrix2.from_array(np.random.default_rng(self.rng.randrange(1 << 30)).uniform(-2, 2, (n, n)))

    def value(self):
        return self.rng.choice([self.number, self.number, lambda: self.array(1), lambda: self.array(2),
                                lambda: self.array(3), self.matrix, lambda: self.rng.randrange(-3, 40),
                                lambda: "1011", lambda: [3.0, 1.0, 2.0], lambda: False])()


def safe_repr(value):
    try:
        return repr(value)
    except Exception as error:  # noqa: BLE001 - an uninitialised array cannot show itself
        return f"<unprintable: {error!r:.60}>"


class Fuzz:
    def __init__(self, seed, verbose, modest_memory):
        self.rng = random.Random(seed)
        self.modest_memory = modest_memory
        self.hostile, self.plausible = Hostile(self.rng), Plausible(self.rng)
        self.verbose = verbose
        self.calls = 0
        self.failures = []

    def argument(self):
        return self.hostile.value() if self.rng.random() < 0.3 else self.plausible.value()

    def call(self, label, function, *args, named=False, keywords=None):
        """Calls function(*args, **keywords); with `named`, a TypeError or ValueError of
        the binding must name the method (label) in its message."""
        kwargs = keywords or {}
        self.calls += 1
        if self.verbose:
            print(f"{self.calls}: {label} {safe_repr(args):.300} {safe_repr(kwargs):.200}", flush=True)
        try:
            function(*args, **kwargs)
        except SystemError as error:
            self.failures.append(f"{label}: SystemError {error}")
        except (TypeError, ValueError) as error:
            text = str(error)
            if named and not isinstance(error, tv.LibraryError) and "hostile" not in text and label not in text:
                self.failures.append(f"{label}: the message does not name it: {text[:200]}")
        except Exception:  # noqa: BLE001 - any other exception is an acceptable outcome
            pass

    def method_call(self):
        cls = self.rng.choice(CLASSES)
        name = self.rng.choice([n for n in dir(cls) if not n.startswith("_")])
        target = cls() if self.rng.random() < 0.9 else cls.__new__(cls)
        method = getattr(target, name)
        try:
            count = len(inspect.signature(method).parameters)
        except (TypeError, ValueError):
            count = 3
        args = [self.argument() for _ in range(max(0, count + self.rng.choice([0, 0, 0, -1, 1])))]
        kwargs = {}
        if self.rng.random() < 0.1:
            kwargs[self.rng.choice(["allow_extrap", "X", "result", "self"])] = self.argument()
        # The methods over the library's own members (method descriptors) name themselves in every error.
        named = type(getattr(cls, name)).__name__ == "method_descriptor"
        self.call(f"{cls.__name__}.{name}", method, *args, named=named, keywords=kwargs)

    def array_call(self):
        cls = self.rng.choice(ARRAYS)
        r = self.rng.randrange(8)
        if r == 0:
            self.call(f"{cls.__name__}()", cls, self.argument(), keywords={"lower": self.argument()})
        elif r == 1:
            # Small, beyond the Long range, or a product beyond memory; never a few gigabytes
            # that the machine could actually allocate and fill.
            sizes = [0, 1, -5, 3, 2**40] + ([] if self.modest_memory else [10**5])
            bounds = [self.rng.choice(sizes) for _ in range(2 * ARRAYS.index(cls) + 2)]
            self.call(f"{cls.__name__}.with_bounds", cls.with_bounds, *bounds)
        else:
            array = self.plausible.array(ARRAYS.index(cls) + 1) if self.rng.random() < 0.9 else cls.__new__(cls)
            action = self.rng.choice(["getitem", "setitem", "values", "repr", "iter", "len", "redim", "bounds"])
            key = self.argument() if self.rng.random() < 0.5 else tuple(self.rng.randrange(-2, 5) for _ in range(ARRAYS.index(cls) + 1))
            if action == "getitem":
                self.call("getitem", lambda: array[key])
            elif action == "setitem":
                self.call("setitem", array.__setitem__, key, self.argument())
            elif action == "values":
                self.call("values", lambda: array.values.sum())
            elif action == "repr":
                self.call("repr", repr, array)
            elif action == "iter":
                self.call("iter", list, array)
            elif action == "len":
                self.call("len", len, array)
            elif action == "redim":
                self.call("ReDim", array.ReDim, *(self.rng.randrange(-3, 6) for _ in range(2 * ARRAYS.index(cls) + 2)))
            else:
                self.call("LBound", array.LBound, self.argument())

    def batch_call(self):
        function = self.rng.choice(BATCH)
        parameters = inspect.signature(function).parameters.values()
        count = sum(p.kind is p.POSITIONAL_OR_KEYWORD for p in parameters)
        args = [self.argument() for _ in range(count)]
        axes = {}
        if function in (tv.interp3d_batch, tv.interp4d_batch) and self.rng.random() < 0.3:
            names = ("x", "y") if function is tv.interp3d_batch else ("w", "x", "y")
            axes = {name: self.argument() for name in names}
            args = args[:-len(names)]  # the axes replace the points
        if self.rng.random() < 0.3:  # targets that are a view of a table
            table = self.plausible.array(1)
            args[0] = table
            args[-1] = table.values
        keywords = {"strict": self.rng.random() < 0.5, "threads": self.rng.choice([1, 2]), **axes}
        self.call(function.__name__, function, *args, named=True, keywords=keywords)

    def racing_call(self):
        """A matrix used by a call that runs without the GIL, reached from this thread meanwhile."""
        n = 60
        matrix = tv.cMatrix2.from_array(np.eye(n) * 2 + 0.01)
        system = tv.cMatrix()
        system.MatrixSize(n)
        for i in range(1, n + 1):
            system.AddToMatrix(i, i, 2.0)
        runner = threading.Thread(target=lambda: (tv.cMatrixOps().MatrixInvert(matrix), system.Calc()))
        runner.start()
        while runner.is_alive():
            self.call("race", self.rng.choice([lambda: matrix.NumRows(3), lambda: matrix.NumCols(1), matrix.to_array,
                                               lambda: system.MatrixSize(2), lambda: system.AddToVector(1, 1.0),
                                               lambda: tv.cMatrixOps().MatrixTrans(matrix)]))
        runner.join()

    def threaded_call(self):
        """A batch, which runs without the GIL, while another thread rewrites its tables,
        resizes, refills or gives new memory to its targets, or changes the objects it was
        given: a table holding a NaN whose first element flips above and below every
        target, targets resized with refcheck=False or restored from a pickle state,
        ReDim of a table, writes to a grid's values."""
        data = np.random.default_rng(self.rng.randrange(1 << 30))
        n = self.rng.choice([16, 300, 5000, 40000])  # beyond the split across threads (32,768) now and then
        m = self.rng.choice([2, 3, 5, 64])
        table = np.sort(data.uniform(-5, 5, m))
        if self.rng.random() < 0.7:
            table[self.rng.randrange(m)] = math.nan  # every target then takes the single call
        x, y = tv.DoubleArray(table), tv.DoubleArray(data.uniform(-5, 5, m))
        axis = tv.DoubleArray(np.arange(1.0, m + 1.0), lower=1)
        grid2 = tv.DoubleArray2D(data.uniform(-5, 5, (m, m)), lower=1)
        grid3 = tv.DoubleArray3D(data.uniform(-5, 5, (m, m, m)), lower=1)
        targets = [data.uniform(-6, 6, n) for _ in range(3)]
        kind = self.rng.randrange(4)
        if kind == 0 and self.rng.random() < 0.5:  # between the first two X, where the scan ends at the first
            table[0], table[1] = 0.0, 1.0
            x = tv.DoubleArray(table)
            targets[0].fill(0.5)
        threads = self.rng.choice([1, 2])
        if kind == 0:
            call = lambda: tv.interpolation_of_1d_array_batch(x, y, self.rng.randrange(3), targets[0], strict=False,  # noqa: E731
                                                              threads=threads, reasons=True)
        elif kind == 1:
            call = lambda: tv.interp2d_batch(x, y, True, targets[0], strict=False, threads=threads, reasons=True)  # noqa: E731
        elif kind == 2:
            call = lambda: tv.interp3d_batch(axis, axis, grid2, True, targets[0], targets[1], strict=False,  # noqa: E731
                                             threads=threads, reasons=True)
        else:
            call = lambda: tv.interp4d_batch(axis, axis, axis, grid3, True, *targets, strict=False,  # noqa: E731
                                             threads=threads, reasons=True)
        state = targets[0].__reduce__()[2]
        other = random.Random(self.rng.randrange(1 << 30))  # the other thread's own draws
        def flip_first():  # above and below every target, as fast as Python goes
            values = x.values
            for _ in range(50):
                values[0] = 1e300
                values[0] = -1e300

        mutations = [
            flip_first, flip_first, flip_first, flip_first,
            lambda: x.values.__setitem__(0, other.choice([1e300, -1e300, math.nan, 0.0])),
            lambda: x.values.__setitem__(-1, other.choice([-1e300, math.nan])),
            lambda: other.choice(targets).resize(other.choice([0, 1, n // 2, 4 * n]), refcheck=False),
            lambda: other.choice(targets).__setstate__(state),
            lambda: other.choice(targets).fill(other.choice([math.nan, 0.5, 1e300])),
            lambda: other.choice([x, y, axis]).ReDim(1, other.randrange(0, 4)),
            lambda: grid2.values.__setitem__((0, 0), math.nan),
            lambda: grid3.values.fill(other.choice([math.nan, 1.0])),
        ]
        done = threading.Event()
        failures = []

        def mutate():
            while not done.is_set():
                try:
                    other.choice(mutations)()
                except SystemError as error:
                    failures.append(f"mutation: SystemError {error}")
                except Exception:  # noqa: BLE001 - a refusal (a pinned table, an array in use) is fine
                    pass

        mutator = threading.Thread(target=mutate)
        interval = sys.getswitchinterval()
        sys.setswitchinterval(1e-5)
        mutator.start()
        try:
            for _ in range(3):
                self.call(f"{BATCH[kind].__name__} beside a thread that changes its arguments", call)
        finally:
            done.set()
            mutator.join()
            sys.setswitchinterval(interval)
        self.failures.extend(failures)

    def run(self, seconds, only=None):
        actions = ([self.method_call] * 6 + [self.array_call] * 3 + [self.batch_call] * 2 + [self.racing_call] +
                   [self.threaded_call])
        if only:
            actions = [getattr(self, only)]
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            self.rng.choice(actions)()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--seconds", type=float, default=120)
    parser.add_argument("--seed", type=int, default=None)
    parser.add_argument("--verbose", action="store_true")
    # Under AddressSanitizer a failed allocation of tens of gigabytes ends the process
    # (it never reaches the library as an OutOfMemory); such bounds are left out there.
    parser.add_argument("--modest-memory", action="store_true")
    parser.add_argument("--only", choices=["method_call", "array_call", "batch_call", "racing_call", "threaded_call"],
                        help="make only calls of this kind")
    options = parser.parse_args()
    seed = options.seed if options.seed is not None else random.randrange(1 << 32)
    print(f"hostile: seed {seed}, {options.seconds:g} s", flush=True)
    tv.SetMessageSink(lambda text: None)
    fuzz = Fuzz(seed, options.verbose, options.modest_memory)
    fuzz.run(options.seconds, options.only)
    for failure in fuzz.failures[:20]:
        print(f"hostile: {failure}")
    print(f"hostile: {fuzz.calls} calls, {len(fuzz.failures)} failures")
    return 1 if fuzz.failures else 0


if __name__ == "__main__":
    sys.exit(main())
