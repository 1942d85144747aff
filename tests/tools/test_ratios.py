"""bench/ratios.py: each case must meet the peer it is measured against (a wrong pair
would print a ratio of two different things), and the times must come from the
repetitions alone, in one unit."""
import ratios


def test_each_kind_of_case_meets_its_peer():
    names = ["BM_Log_Ours", "BM_Log_CLibrary", "Run/Trig_Sin_Grid_Ours", "Run/Trig_Sin_Grid_Lib",
             "BM_MatrixInvert_Checked/200", "BM_MatrixInvert_Eigen/200", "BM_SimultEqns200_Checked",
             "BM_CalcDense200_Checked", "BM_CalcDense200_EigenLU", "BM_CalcDense200_Plain",
             "BM_IsEqualRel_Checked", "BM_IsEqualRel_Plain", "BM_Interp4D_Checked"]
    assert ratios.Pairs(names) == [
        ("BM_Log_Ours", "BM_Log_CLibrary"),
        ("Run/Trig_Sin_Grid_Ours", "Run/Trig_Sin_Grid_Lib"),
        ("BM_MatrixInvert_Checked/200", "BM_MatrixInvert_Eigen/200"),
        ("BM_SimultEqns200_Checked", "BM_CalcDense200_EigenLU"),
        ("BM_CalcDense200_Checked", "BM_CalcDense200_EigenLU"),
        ("BM_CalcDense200_Checked", "BM_CalcDense200_Plain"),
        ("BM_IsEqualRel_Checked", "BM_IsEqualRel_Plain"),
    ]


def test_times_come_from_the_repetitions_in_nanoseconds():
    def run(name, cpu, unit="ns", run_type="iteration", **extra):
        return {"run_name": name, "cpu_time": cpu, "time_unit": unit, "run_type": run_type, **extra}

    report = {"benchmarks": [
        run("A", 3.0), run("A", 1.0), run("A", 100.0, run_type="aggregate"),
        run("B", 1.5, "ms"), run("B", 2.5, "us"),
        run("C", 9.0, error_occurred=True),
    ]}
    assert ratios.Times(report) == {"A": [3.0, 1.0], "B": [1.5e6, 2.5e3]}
