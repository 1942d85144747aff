"""bench/ratios.py: each case must meet the peer it is measured against (a wrong pair
would print a ratio of two different things), and a median must come from the
repetitions alone, in one unit."""
import ratios


def test_each_kind_of_case_meets_its_peer():
    assert ratios.PeersOf("BM_Log_Ours")[0] == "BM_Log_CLibrary"
    assert "Run/Trig_Sin_Grid_Lib" in ratios.PeersOf("Run/Trig_Sin_Grid_Ours")
    assert ratios.PeersOf("BM_MatrixInvert_Checked/200") == ["BM_MatrixInvert_Eigen/200"]
    assert ratios.PeersOf("BM_SimultEqns200_Checked")[0] == "BM_CalcDense200_EigenLU"
    assert ratios.PeersOf("BM_CalcDense200_Checked") == ["BM_CalcDense200_EigenLU", "BM_CalcDense200_Plain"]
    assert ratios.PeersOf("BM_IsEqualRel_Checked") == ["BM_IsEqualRel_Plain"]
    assert ratios.PeersOf("BM_IsEqualRel_Plain") == []
    assert ratios.PeersOf("BM_MatrixInvert_Eigen/200") == []


def test_medians_come_from_the_repetitions_in_nanoseconds():
    def run(name, cpu, unit="ns", run_type="iteration", **extra):
        return {"run_name": name, "cpu_time": cpu, "time_unit": unit, "run_type": run_type, **extra}

    report = {"benchmarks": [
        run("A", 3.0), run("A", 1.0), run("A", 2.0), run("A", 100.0, run_type="aggregate"),
        run("B", 1.5, "ms"), run("B", 2.5, "ms"),
        run("C", 9.0, error_occurred=True),
    ]}
    assert ratios.Medians(report) == {"A": 2.0, "B": 2.0e6}
