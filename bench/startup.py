#!/usr/bin/env python3
"""Start-up and tide-curve benchmark: Ondal against a bare Qt 6 program, under Xvfb.

Builds build-bench/ (ONDAL_BENCH=ON, Release) when needed, starts a private
Xvfb display and, when one is installed, a window manager, then alternates
the two programs. Each run is timed from just before the program is started
to the moment its first top-level window has been mapped and painted (the
marker line printed by bench/StartupProbe.cpp), and its peak resident memory
is taken from the kernel's accounting when it exits (wait4's ru_maxrss).
Prints the medians and the ratios ondal / bare, then the median time from
choosing "Ondal Prediction" to the worksheet being painted, then the time
from choosing "Tide Curve" to the curve painted and, over many edits, from a
key press in a worksheet field to the curve repainted (median and 95th
percentile; the goal is one 60 Hz frame, 16.7 ms, at the 95th percentile),
with the curve window at each of the sizes asked (1200x900 and 1920x1080),
and the same from a key press in the curve's "Tides of the day" (txtDayTides,
nine tides) to the day's curve repainted, at 1920x1080.

This is a benchmark, not a test: it asserts nothing about time. Run it on a
quiet machine: python3 bench/startup.py [--runs 30]
[--curve-sizes 1200x900,1920x1080] [--day-sizes 1920x1080]
"""

import argparse
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
MARK = "ONDAL-PROBE "
TIMEOUT_S = 30.0
# Large enough for a 1920x1080 curve window with its frame beside the others.
SCREEN = "2560x1600x24"

# The placement a returning user has in the settings store: one small INI.
SETTINGS_INI = """[Settings]
MainLeft=1000
MainTop=1000
MainWidth=6500
MainHeight=6500
"""


def build(build_dir):
    try:
        # Configured every time, so a changed option is never ignored.
        subprocess.run(["cmake", "-S", ROOT, "-B", build_dir, "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Release", "-DONDAL_BENCH=ON",
                        "-DBUILD_TESTING=OFF"], check=True)
        subprocess.run(["cmake", "--build", build_dir, "--target", "ondal", "ondal-bench-bare"],
                       check=True)
    except subprocess.CalledProcessError as error:
        sys.exit(f"Building the benchmark in {build_dir} failed ({error.cmd[0]} exit"
                 f" {error.returncode}).")
    return (os.path.join(build_dir, "bin", "ondal"),
            os.path.join(build_dir, "bin", "ondal-bench-bare"))


def start_xvfb():
    """Starts Xvfb on a display it picks itself; returns (process, display)."""
    if not shutil.which("Xvfb"):
        sys.exit("Xvfb is not installed (Debian package xvfb); the benchmark needs a display.")
    read_fd, write_fd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", SCREEN,
                             "-nolisten", "tcp"], pass_fds=(write_fd,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_fd)
    with os.fdopen(read_fd) as pipe:
        number = pipe.readline().strip()
    if not number:
        xvfb.kill()
        sys.exit("Xvfb did not start.")
    return xvfb, ":" + number


def start_window_manager(env):
    """Starts openbox when it is installed and waits until it manages the screen."""
    if not shutil.which("openbox"):
        print("No window manager (openbox) installed: windows are mapped without one.")
        return None
    wm = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    while time.monotonic() < deadline:
        if shutil.which("xprop"):
            probe = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                                   capture_output=True, text=True)
            if "window id" in probe.stdout:
                return wm
        else:
            time.sleep(1)
            return wm
        time.sleep(0.05)
    return wm


def run_once(program, env, config_dir, log_path):
    """One start: returns a dict of the probe's markers (ns, relative to the
    start) and the peak RSS in KiB."""
    settings_dir = os.path.join(config_dir, "Ondal")
    os.makedirs(settings_dir, exist_ok=True)
    with open(os.path.join(settings_dir, "Ondal.ini"), "w") as ini:
        ini.write(SETTINGS_INI)

    with open(log_path, "w") as log:
        start_ns = time.monotonic_ns()
        process = subprocess.Popen([program], env=env, stdout=subprocess.PIPE, stderr=log,
                                   text=True)
    markers = {}
    timer = _Watchdog(process.pid)
    try:
        for line in process.stdout:
            if line.startswith(MARK):
                kind, *values = line[len(MARK):].split()
                markers[kind] = values
                if kind == "curve-edit":
                    markers.setdefault("curve-edit-all", []).append(values)
    finally:
        timer.cancel()
    _, status, usage = os.wait4(process.pid, 0)
    process.returncode = os.waitstatus_to_exitcode(status)
    process.stdout.close()
    if timer.fired or "painted" not in markers:
        with open(log_path) as log:
            sys.exit(f"{os.path.basename(program)} printed no paint marker"
                     f" (exit {process.returncode}):\n{log.read()}")
    result = {"rss_kib": usage.ru_maxrss}
    result["app_ms"] = (int(markers["app"][0]) - start_ns) / 1e6
    result["painted_ms"] = (int(markers["painted"][0]) - start_ns) / 1e6
    if "worksheet" in markers:
        trigger, show, painted = (int(v) for v in markers["worksheet"])
        result["worksheet_ms"] = (painted - trigger) / 1e6
        result["worksheet_show_ms"] = (painted - show) / 1e6 if show else float("nan")
    if "worksheet-missing" in markers:
        result["worksheet_missing"] = " ".join(markers["worksheet-missing"])
    if "curve-size" in markers:
        result["curve_size"] = "x".join(markers["curve-size"])
    if "curve-open" in markers:
        trigger, painted = (int(v) for v in markers["curve-open"])
        result["curve_open_ms"] = (painted - trigger) / 1e6
    result["curve_edit_ms"] = [(int(painted) - int(press)) / 1e6
                               for press, painted in markers.get("curve-edit-all", [])]
    if "curve-missing" in markers:
        result["curve_missing"] = " ".join(markers["curve-missing"])
    result["curve_day"] = "curve-day" in markers
    return result


class _Watchdog:
    """Kills a program that has not finished within TIMEOUT_S."""

    def __init__(self, pid):
        import threading
        self.fired = False
        self._pid = pid
        self._timer = threading.Timer(TIMEOUT_S, self._kill)
        self._timer.start()

    def _kill(self):
        self.fired = True
        try:
            os.kill(self._pid, signal.SIGKILL)
        except ProcessLookupError:
            pass

    def cancel(self):
        self._timer.cancel()


def median(results, key):
    return statistics.median(r[key] for r in results)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--runs", type=int, default=30,
                        help="starts of each program, alternated (default 30)")
    parser.add_argument("--worksheet-runs", type=int, default=15,
                        help="starts of ondal that also open the worksheet (default 15)")
    parser.add_argument("--curve-runs", type=int, default=5,
                        help="starts of ondal that open the tide curve (default 5)")
    parser.add_argument("--curve-edits", type=int, default=200,
                        help="timed key presses in a worksheet field per start (default 200)")
    parser.add_argument("--curve-sizes", default="1200x900,1920x1080",
                        help="curve window sizes to time the edits at, WxH,... (default"
                             " 1200x900,1920x1080)")
    parser.add_argument("--day-sizes", default="1920x1080",
                        help="curve window sizes to time the key presses in the tides of the day"
                             " at, WxH,... (default 1920x1080; blank for none)")
    parser.add_argument("--build-dir", default=os.path.join(ROOT, "build-bench"))
    args = parser.parse_args()

    sizes = sizes_of("--curve-sizes", args.curve_sizes)
    day_sizes = sizes_of("--day-sizes", args.day_sizes)
    ondal, bare = build(args.build_dir)

    work = tempfile.mkdtemp(prefix="ondal-bench-")
    xvfb, display = start_xvfb()
    env = {k: v for k, v in os.environ.items() if not k.startswith("QT_")}
    runtime_dir = os.path.join(work, "runtime")
    os.makedirs(runtime_dir, mode=0o700)
    env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=os.path.join(work, "config"),
               XDG_RUNTIME_DIR=runtime_dir, LC_ALL="C.UTF-8", LANG="C.UTF-8")
    env.pop("WAYLAND_DISPLAY", None)
    wm = start_window_manager(env)
    log = os.path.join(work, "stderr.log")
    try:
        # Warm the page cache and the X server before anything counts.
        for program in (ondal, bare, ondal, bare):
            run_once(program, env, env["XDG_CONFIG_HOME"], log)

        runs = {ondal: [], bare: []}
        for i in range(args.runs):
            # ondal, bare, bare, ondal, ...: neither always goes first.
            pair = (ondal, bare) if i % 2 == 0 else (bare, ondal)
            for program in pair:
                runs[program].append(run_once(program, env, env["XDG_CONFIG_HOME"], log))

        sheet_env = dict(env, ONDAL_PROBE_WORKSHEET="1")
        sheets = [run_once(ondal, sheet_env, env["XDG_CONFIG_HOME"], log)
                  for _ in range(args.worksheet_runs)]

        curves = {}
        for day, size in [(False, s) for s in sizes] + [(True, s) for s in day_sizes]:
            curve_env = dict(env, ONDAL_PROBE_CURVE=str(args.curve_edits),
                             ONDAL_PROBE_CURVE_SIZE=size,
                             ONDAL_PROBE_CURVE_DAY="1" if day else "0")
            curves[(day, size)] = [run_once(ondal, curve_env, env["XDG_CONFIG_HOME"], log)
                                   for _ in range(args.curve_runs)]
    finally:
        if wm:
            wm.terminate()
            wm.wait()
        xvfb.terminate()
        xvfb.wait()
        shutil.rmtree(work, ignore_errors=True)

    o, b = runs[ondal], runs[bare]
    t_o, t_b = median(o, "painted_ms"), median(b, "painted_ms")
    a_o, a_b = median(o, "app_ms"), median(b, "app_ms")
    m_o, m_b = median(o, "rss_kib") / 1024, median(b, "rss_kib") / 1024
    print()
    print(f"Start-up under Xvfb{' with openbox' if wm else ''}, {args.runs} alternated runs each,"
          " medians:")
    print(f"{'':28}{'ondal':>10}{'bare':>10}{'ondal/bare':>12}")
    print(f"{'exec to window painted, ms':28}{t_o:10.1f}{t_b:10.1f}{t_o / t_b:12.3f}")
    print(f"{'peak resident memory, MiB':28}{m_o:10.1f}{m_b:10.1f}{m_o / m_b:12.3f}")
    print(f"{'  (exec to QApplication, ms)':28}{a_o:10.1f}{a_b:10.1f}")
    print(f"{'  (QApplication to paint, ms)':28}{t_o - a_o:10.1f}{t_b - a_b:10.1f}")
    missing = [s["worksheet_missing"] for s in sheets if "worksheet_missing" in s]
    if missing:
        print(f"Worksheet not measured: {missing[0]}")
    else:
        print(f"Worksheet, {len(sheets)} runs, medians: menu choice to worksheet painted"
              f" {median(sheets, 'worksheet_ms'):.1f} ms, its first show to first paint"
              f" {median(sheets, 'worksheet_show_ms'):.1f} ms")
    met = t_o / t_b <= 1.10 and m_o / m_b <= 1.10
    print(f"Target ondal/bare <= 1.10 for time and memory: {'met' if met else 'NOT met'}")
    for (day, size), runs_at_size in curves.items():
        report_curve(size, runs_at_size, day)


def sizes_of(option, text):
    """The WxH sizes of a comma-separated option."""
    sizes = [s.strip() for s in text.split(",") if s.strip()]
    for size in sizes:
        w, _, h = size.partition("x")
        if not (w.isdigit() and h.isdigit()):
            sys.exit(f"{option}: {size!r} is not WxH")
    return sizes


def percentile(values, share):
    """The nearest-rank percentile: the smallest value with at least `share`
    of all values at or below it."""
    ordered = sorted(values)
    rank = max(1, -(-len(ordered) * share // 100))  # ceiling
    return ordered[int(rank) - 1]


def report_curve(size, curves, day):
    what = "Day's tide curve (nine tides)" if day else "Tide curve"
    missing = [c["curve_missing"] for c in curves if "curve_missing" in c]
    if not missing and day and not all(c["curve_day"] for c in curves):
        missing = ["the probe did not type into the tides of the day"]
    if missing or not curves:
        print(f"{what} at {size} not measured: {missing[0] if missing else 'no runs'}")
        return
    shown = sorted({c.get("curve_size", "?") for c in curves})
    edits = [ms for c in curves for ms in c["curve_edit_ms"]]
    print(f"{what} at {size} (window {', '.join(shown)}), {len(curves)} runs: menu choice"
          f" to curve painted (and sized), median {median(curves, 'curve_open_ms'):.1f} ms")
    if not edits:
        print(f"{what}: no edits were timed")
        return
    p95 = percentile(edits, 95)
    field = "the tides of the day" if day else "a worksheet field"
    print(f"Key press in {field} to curve repainted, {len(edits)} edits: median"
          f" {statistics.median(edits):.2f} ms, 95th percentile {p95:.2f} ms,"
          f" slowest {max(edits):.2f} ms")
    print(f"Goal: 95th percentile under one 60 Hz frame (16.7 ms):"
          f" {'met' if p95 < 16.7 else 'NOT met'}")


if __name__ == "__main__":
    main()
