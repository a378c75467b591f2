#!/usr/bin/env python3
"""Runs vexlo-bench and checks the plugin's frame cost against its targets.

A frame benchmark times a whole frame of the host. Part of that is the host's
own: walking its drawable list and calling a drawable through the SDK's
std::function, which costs the same for any plugin and which no plugin can
avoid. BM_FrameEmptyDrawable times exactly that part, with an empty function
in the plugin's place. The time targets are on the plugin's share of a frame:
the frame's time less the host's part of the same round, against the floor.
Whole-frame ratios are printed beside them.

The suite runs in rounds: each round runs every benchmark once, in a random
order. On a shared machine the speed of the whole machine changes from one
moment to the next, so a time is compared with the floor's time of the same
round, and the check takes the median of those per-round ratios. Allocation
counts are exact and must hold in every round. The script prints every ratio
and count with pass or fail and exits 1 when a target is missed or a
benchmark reported an error.
"""
import argparse
import json
import statistics
import subprocess
import sys
import tempfile

FLOOR = "BM_FrameFloor"
HOST_PART = "BM_FrameEmptyDrawable"

# (benchmark, its share at most this many times the floor's time)
TIME_TARGETS = [
    ("BM_FrameActiveShortText", 1.25),
    ("BM_FrameIdle", 0.10),
]

# (benchmark, at most this many allocations per frame). The long text is one
# copy into the canvas call's own string.
ALLOCATION_TARGETS = [
    ("BM_FrameIdle", 0),
    ("BM_FrameActiveShortText", 0),
    ("BM_FrameActiveLongText", 1),
]
ALLOCATION_COUNTER = "allocs_per_frame"

# Shown with their figures, with no target: the long text and the event
# paths.
INFORMATION = [
    ("BM_FrameActiveLongText", "allocs_per_frame"),
    ("BM_HookDispatch", "allocs_per_call"),
    ("BM_Notifier", "allocs_per_call"),
    ("BM_Load", "allocs_per_load"),
]

NANOSECONDS = {"ns": 1.0, "us": 1e3, "ms": 1e6, "s": 1e9}


def run_suite(bench, min_time, repetitions, json_path):
    command = [
        bench,
        f"--benchmark_min_time={min_time}",
        f"--benchmark_repetitions={repetitions}",
        "--benchmark_enable_random_interleaving=true",
        "--benchmark_display_aggregates_only=true",
        f"--benchmark_out={json_path}",
        "--benchmark_out_format=json",
    ]
    print(" ".join(command), flush=True)
    # The suite exits 1 when a benchmark could not measure; its results still
    # name which one and why.
    status = subprocess.run(command, check=False).returncode
    try:
        with open(json_path, encoding="utf-8") as results:
            return json.load(results), status
    except (OSError, json.JSONDecodeError) as error:
        print(f"no results from the suite: {error}")
        return {"benchmarks": []}, status


def collect_runs(results):
    """Each benchmark's runs by round, and the errors reported."""
    runs = {}
    errors = []
    for entry in results["benchmarks"]:
        if entry.get("error_occurred"):
            errors.append(f"{entry['name']}: {entry.get('error_message', 'error')}")
        elif entry.get("run_type") == "iteration":
            runs.setdefault(entry["run_name"], {})[entry.get("repetition_index", 0)] = entry
    return runs, errors


def nanoseconds(entry):
    return entry["cpu_time"] * NANOSECONDS[entry.get("time_unit", "ns")]


def median_time(rounds):
    return statistics.median(nanoseconds(entry) for entry in rounds.values())


def median_ratio(rounds, floor_rounds, host_rounds=None):
    """The median over the rounds of the time, less that round's host part when
    given, divided by that round's floor."""
    shared = rounds.keys() & floor_rounds.keys()
    if host_rounds is not None:
        shared &= host_rounds.keys()
    if not shared:
        return None

    def share(index):
        host = nanoseconds(host_rounds[index]) if host_rounds is not None else 0.0
        return (nanoseconds(rounds[index]) - host) / nanoseconds(floor_rounds[index])

    return statistics.median(share(index) for index in sorted(shared))


def verdict(ok):
    return "pass" if ok else "FAIL"


def check(runs):
    """Prints every target with pass or fail; true when all are met."""
    all_met = True
    for needed in (FLOOR, HOST_PART):
        if needed not in runs:
            print(f"no result for {needed}: no time target can be checked")
            return False
    print(f"{FLOOR}: {median_time(runs[FLOOR]):.2f} ns (median CPU time over "
          f"{len(runs[FLOOR])} rounds)")
    print(f"{HOST_PART}: {median_time(runs[HOST_PART]):.2f} ns, the host's part of every frame")
    for name, limit in TIME_TARGETS:
        share = median_ratio(runs.get(name, {}), runs[FLOOR], runs[HOST_PART])
        if share is None:
            print(f"{name}: no result  FAIL")
            all_met = False
            continue
        whole = median_ratio(runs[name], runs[FLOOR])
        ok = share <= limit
        all_met = all_met and ok
        print(f"{name}: {median_time(runs[name]):.2f} ns a frame ({whole:.3f} x floor); "
              f"the plugin's share {share:.3f} x floor (at most {limit:.2f})  {verdict(ok)}")
    for name, limit in ALLOCATION_TARGETS:
        counts = [entry.get(ALLOCATION_COUNTER) for entry in runs.get(name, {}).values()]
        if not counts or None in counts:
            print(f"{name}: no {ALLOCATION_COUNTER}  FAIL")
            all_met = False
            continue
        worst = max(counts)
        ok = worst <= limit
        all_met = all_met and ok
        print(f"{name}: {ALLOCATION_COUNTER} {worst:g} in the worst round "
              f"(at most {limit})  {verdict(ok)}")
    return all_met


def inform(runs):
    """Prints the figures that have no target."""
    for name, counter in INFORMATION:
        if name not in runs:
            continue
        time = median_time(runs[name])
        shown = f"{time / 1e3:.1f} us" if time >= 1e4 else f"{time:.2f} ns"
        if name.startswith("BM_Frame") and FLOOR in runs:
            shown += f", {median_ratio(runs[name], runs[FLOOR]):.3f} x floor"
        count = statistics.median(entry.get(counter, float("nan")) for entry in runs[name].values())
        print(f"{name}: {shown}, {counter} {count:g}  (no target)")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("bench", help="path of vexlo-bench")
    parser.add_argument("--min-time", type=float, default=0.05,
                        help="seconds each benchmark runs at least in a round (default 0.05)")
    parser.add_argument("--repetitions", type=int, default=15,
                        help="rounds; the check takes the median over them (default 15)")
    parser.add_argument("--json", help="keep the suite's JSON output in this file")
    arguments = parser.parse_args()

    if arguments.json:
        results, status = run_suite(arguments.bench, arguments.min_time, arguments.repetitions,
                                    arguments.json)
    else:
        with tempfile.NamedTemporaryFile(suffix=".json") as scratch:
            results, status = run_suite(arguments.bench, arguments.min_time,
                                        arguments.repetitions, scratch.name)

    runs, errors = collect_runs(results)
    for error in errors:
        print(f"error: {error}")
    if status != 0 and not errors:
        print(f"error: the suite exited with status {status}")
    met = check(runs) and not errors and status == 0
    inform(runs)
    print("every target met" if met else "a target was missed")
    return 0 if met else 1


if __name__ == "__main__":
    sys.exit(main())
