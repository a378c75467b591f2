#!/usr/bin/env python3
"""The benchmark check's verdicts, on made-up suite results."""
import importlib.util
import io
import pathlib
import sys
import unittest
from contextlib import redirect_stdout

# Loading the script must leave no compiled copy in the source tree.
sys.dont_write_bytecode = True
SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "bench" / "check_targets.py"
spec = importlib.util.spec_from_file_location("check_targets", SCRIPT)
check_targets = importlib.util.module_from_spec(spec)
spec.loader.exec_module(check_targets)


def suite(times, allocations=None, rounds=3):
    """Results of `rounds` rounds where each benchmark takes the same time in
    every round, with the allocation counts given (0 when not)."""
    allocations = allocations or {}
    entries = []
    for index in range(rounds):
        for name, time in times.items():
            entries.append({
                "name": name, "run_name": name, "run_type": "iteration",
                "repetition_index": index, "cpu_time": time, "time_unit": "ns",
                "allocs_per_frame": allocations.get(name, 0),
            })
    return {"benchmarks": entries}


def verdict(results):
    runs, errors = check_targets.collect_runs(results)
    output = io.StringIO()
    with redirect_stdout(output):
        met = check_targets.check(runs)
    return met and not errors, output.getvalue()


# A frame where the host's part is a third of the floor, as measured here.
QUIET = {
    "BM_FrameFloor": 15.0,
    "BM_FrameEmptyDrawable": 5.0,
    "BM_FrameIdle": 5.2,
    "BM_FrameActiveShortText": 22.0,
    "BM_FrameActiveLongText": 31.0,
}


class CheckTargets(unittest.TestCase):
    def test_frames_within_their_share_of_the_floor_pass(self):
        met, output = verdict(suite(QUIET, {"BM_FrameActiveLongText": 1}))
        self.assertTrue(met, output)
        self.assertIn("the plugin's share 1.133 x floor", output)

    def test_the_host_part_is_taken_off_before_the_ratio(self):
        # 5.2 ns over the floor's 15 would miss the idle target by itself.
        slow_idle = dict(QUIET, BM_FrameIdle=6.6)
        met, output = verdict(suite(slow_idle))
        self.assertFalse(met)
        self.assertIn("BM_FrameIdle: 6.60 ns a frame (0.440 x floor); the plugin's share "
                      "0.107 x floor (at most 0.10)  FAIL", output)

    def test_an_armed_frame_over_its_share_fails(self):
        met, output = verdict(suite(dict(QUIET, BM_FrameActiveShortText=24.0)))
        self.assertFalse(met)
        self.assertIn("share 1.267 x floor (at most 1.25)  FAIL", output)

    def test_an_allocation_in_any_round_fails(self):
        results = suite(QUIET)
        for entry in results["benchmarks"]:
            if entry["name"] == "BM_FrameActiveShortText" and entry["repetition_index"] == 2:
                entry["allocs_per_frame"] = 0.34
        met, output = verdict(results)
        self.assertFalse(met)
        self.assertIn("BM_FrameActiveShortText: allocs_per_frame 0.34 in the worst round", output)

    def test_without_the_host_part_nothing_is_judged(self):
        partial = dict(QUIET)
        del partial["BM_FrameEmptyDrawable"]
        met, output = verdict(suite(partial))
        self.assertFalse(met)
        self.assertIn("no result for BM_FrameEmptyDrawable", output)


if __name__ == "__main__":
    unittest.main()
