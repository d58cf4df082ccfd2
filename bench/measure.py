#!/usr/bin/env python3
"""Start-up and idle figures of the saver and of the bare window, on a running X server
with a black root window and nothing else on it.

  measure.py --saver PROGRAM --bare PROGRAM [--runs N] [--idle-seconds S]
             [--two-screens DISPLAY] [--beside-compile SOURCE]

Start-up: from the moment the process is started to the first frame on which a pixel below
the banner's rows is no longer black, that is, the first word painted; the screen is read
back continuously. At that moment the process's CPU time (all its threads) is read too: what
it took to get its first frame out. The two programs start in turn, run after run, so that
whatever else the machine does weighs on both alike; the saver once with its settings stored
and once as on a first run, when it writes the defaults. With --beside-compile, the same
again while compilers keep every core busy, as a backup or a build would. Idle: CPU time and
voluntary context switches of all the process's threads over S seconds of running
undisturbed, and its peak resident set at the end.
With --two-screens, the saver again on a display with two monitors side by side, against
its own figures on one screen: the second monitor's cover may cost a little memory and
drawing, but no timer of its own.
"""

import argparse
import ctypes
import os
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

# Rows above this hold the banner, which the saver paints together with its first word.
WORDS_FROM_ROW = 60
FIRST_PAINT_TIMEOUT = 20.0


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class Screen:
    def __init__(self, display=None, width=None):
        x = ctypes.CDLL("libX11.so.6")
        x.XOpenDisplay.restype = ctypes.c_void_p
        x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x.XDefaultRootWindow.restype = ctypes.c_ulong
        x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x.XDisplayWidth.argtypes = x.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x.XGetImage.restype = ctypes.POINTER(XImage)
        x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x.XFree.argtypes = [ctypes.c_void_p]
        self.x = x
        self.dpy = x.XOpenDisplay(display.encode() if display else None)
        if not self.dpy:
            sys.exit("measure.py: cannot open the display")
        self.root = x.XDefaultRootWindow(self.dpy)
        # Only the design's monitor is read on two screens, so that reading the screen back
        # costs the same as on one.
        self.width = width or x.XDisplayWidth(self.dpy, 0)
        self.height = x.XDisplayHeight(self.dpy, 0)

    def words_painted(self):
        """True once any pixel below the banner rows is not black."""
        all_planes, z_pixmap = 0xFFFFFFFF, 2
        image = self.x.XGetImage(self.dpy, self.root, 0, WORDS_FROM_ROW, self.width,
                                 self.height - WORDS_FROM_ROW, all_planes, z_pixmap)
        try:
            img = image.contents
            data = ctypes.string_at(img.data, img.bytes_per_line * img.height)
        finally:
            self.x.XFree(image.contents.data)
            self.x.XFree(image)
        step = img.bits_per_pixel // 8
        # Only the colour bytes count; a 32-bit pixel's fourth byte is padding.
        for channel in range(3):
            plane = data[channel::step]
            if plane.count(0) != len(plane):
                return True
        return False


def cpu_seconds(pid):
    """CPU time of all the process's threads so far: from the scheduler's nanosecond count
    where the kernel keeps it, else from the clock ticks of /proc/PID/stat."""
    try:
        total = 0
        for task in os.listdir(f"/proc/{pid}/task"):
            with open(f"/proc/{pid}/task/{task}/schedstat") as schedstat:
                total += int(schedstat.read().split()[0])
        return total / 1e9
    except FileNotFoundError:
        with open(f"/proc/{pid}/stat") as stat:
            fields = stat.read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def status_field(path, name):
    with open(path) as status:
        for line in status:
            if line.startswith(name + ":"):
                return int(line.split()[1])
    return 0


def voluntary_switches(pid):
    # /proc/PID/status counts the main thread only; Qt reads the X connection in a thread
    # of its own, so every thread is summed.
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            total += status_field(f"/proc/{pid}/task/{task}/status", "voluntary_ctxt_switches")
        except FileNotFoundError:
            pass
    return total


class Program:
    def __init__(self, label, path, args, env, prepare=lambda: None):
        self.label, self.path, self.args, self.env = label, path, args, env
        self.prepare = prepare

    def start(self):
        return subprocess.Popen([self.path, *self.args], env=self.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def stop(proc):
    if proc.poll() is None:
        proc.send_signal(signal.SIGTERM)
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def wait_blank(screen):
    deadline = time.monotonic() + 5
    while screen.words_painted() and time.monotonic() < deadline:
        time.sleep(0.02)


def first_paint(screen, program):
    """Seconds from starting the process to its first word on the screen, the CPU seconds it
    had used by then, and the process."""
    wait_blank(screen)
    program.prepare()
    started = time.monotonic()
    proc = program.start()
    while not screen.words_painted():
        if proc.poll() is not None:
            sys.exit(f"measure.py: {program.label} ended with status {proc.returncode}")
        if time.monotonic() - started > FIRST_PAINT_TIMEOUT:
            stop(proc)
            sys.exit(f"measure.py: {program.label} painted nothing in {FIRST_PAINT_TIMEOUT} s")
    elapsed = time.monotonic() - started
    return elapsed, cpu_seconds(proc.pid), proc


def startup(screen, program, runs):
    """Median, fastest and slowest start to the first word painted."""
    return interleaved(screen, [program], runs)[program.label]["wall"]


def interleaved(screen, programs, runs):
    """Each program started runs times, taking turns, the first of each turn alternating.
    Per program the median, fastest and slowest wall and CPU time to the first word."""
    for program in programs:  # warms the file cache and writes first settings
        stop(first_paint(screen, program)[2])
    samples = {program.label: ([], []) for program in programs}
    for run in range(runs):
        for program in programs if run % 2 == 0 else reversed(programs):
            elapsed, cpu, proc = first_paint(screen, program)
            stop(proc)
            samples[program.label][0].append(elapsed)
            samples[program.label][1].append(cpu)
    spread = lambda values: (statistics.median(values), min(values), max(values))
    return {label: {"wall": spread(wall), "cpu": spread(cpu)}
            for label, (wall, cpu) in samples.items()}


def idle(screen, program, seconds):
    _, _, proc = first_paint(screen, program)
    try:
        time.sleep(1.0)  # start-up work is over
        cpu0, switches0, wall0 = cpu_seconds(proc.pid), voluntary_switches(proc.pid), \
            time.monotonic()
        time.sleep(seconds)
        cpu1, switches1, wall1 = cpu_seconds(proc.pid), voluntary_switches(proc.pid), \
            time.monotonic()
        peak_kb = status_field(f"/proc/{proc.pid}/status", "VmHWM")
    finally:
        stop(proc)
    wall = wall1 - wall0
    cpu_share = (cpu1 - cpu0) / wall
    return cpu_share, (switches1 - switches0) / wall, peak_kb


def ratio(value, floor):
    return f"{value / floor:.2f}" if floor else "n/a"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--saver", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--runs", type=int, default=10)
    parser.add_argument("--idle-seconds", type=float, default=60)
    parser.add_argument("--two-screens", metavar="DISPLAY",
                        help="a display with two monitors, for the saver's two-screen figures")
    parser.add_argument("--beside-compile", metavar="SOURCE",
                        help="a C++ file that compilers keep compiling, one per core, while "
                             "the start-up figures are taken once more")
    options = parser.parse_args()

    home = tempfile.mkdtemp(prefix="vokabo-bench-")
    runtime = os.path.join(home, "runtime")
    os.makedirs(runtime, mode=0o700)
    env = {key: value for key, value in os.environ.items()
           if not key.startswith(("QT_", "XDG_", "WAYLAND"))}
    env.update(HOME=home, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb")
    saver = Program("vokabo", options.saver, ["/s"], env)
    bare = Program("bare window", options.bare, [], env)
    settings_file = os.path.join(env["XDG_CONFIG_HOME"], "VKB_S.ini")
    first_run = Program("vokabo, first run", options.saver, ["/s"], env,
                        prepare=lambda: os.path.exists(settings_file) and os.remove(settings_file))

    try:
        report(options, saver, first_run, bare)
    finally:
        shutil.rmtree(home, ignore_errors=True)


def report(options, saver, first_run, bare):
    screen = Screen()
    figures = {}
    start_figures(screen, options, saver, first_run, bare, figures, "")
    if options.beside_compile:
        with busy_cores(options.beside_compile):
            start_figures(screen, options, saver, first_run, bare, {}, ", beside a compile")

    for program in (saver, bare):
        figures[program.label]["idle"] = idle(screen, program, options.idle_seconds)
    (s_cpu, s_cs, s_rss), (b_cpu, b_cs, b_rss) = \
        figures["vokabo"]["idle"], figures["bare window"]["idle"]
    print(f"peak RSS: {s_rss / 1024:.1f} MiB; bare window {b_rss / 1024:.1f} MiB; "
          f"ratio {ratio(s_rss, b_rss)}")
    print(f"idle CPU share over {options.idle_seconds:g} s: {s_cpu * 100:.3f} % of a core; "
          f"bare window {b_cpu * 100:.3f} %; ratio {ratio(s_cpu, b_cpu)}")
    print(f"idle voluntary context switches: {s_cs:.2f}/s; bare window {b_cs:.2f}/s; "
          f"ratio {ratio(s_cs, b_cs)}", flush=True)
    if options.two_screens:
        two_screens(options, saver, figures["vokabo"])


def start_figures(screen, options, saver, first_run, bare, figures, condition):
    taken = interleaved(screen, [saver, first_run, bare], options.runs)
    figures.update({label: {"startup": values["wall"]} for label, values in taken.items()})
    floor = taken[bare.label]
    for label, what in ((saver.label, "settings stored"), (first_run.label, "first run")):
        for measure, name in (("cpu", "CPU until the first word painted"),
                              ("wall", "start to first word painted")):
            value, fastest, slowest = taken[label][measure]
            print(f"{name} ({what}{condition}): {value * 1000:.1f} ms (min {fastest * 1000:.1f}, "
                  f"max {slowest * 1000:.1f}, {options.runs} runs); bare window "
                  f"{floor[measure][0] * 1000:.1f} ms; ratio {ratio(value, floor[measure][0])}",
                  flush=True)


class busy_cores:
    """Compilers on every core, each compiling the same file over and over."""

    def __init__(self, source):
        self.source, self.workers = source, []

    def __enter__(self):
        flags = subprocess.run(["pkg-config", "--cflags", "Qt6Widgets"], capture_output=True,
                               text=True).stdout.split()
        loop = (f"while :; do c++ -std=c++20 -O2 -fPIC {' '.join(flags)} -c {self.source} "
                f"-o /dev/null 2>/dev/null; done")
        self.workers = [subprocess.Popen(["sh", "-c", loop], start_new_session=True)
                        for _ in range(os.cpu_count() or 1)]
        time.sleep(2)  # every compiler past its start
        return self

    def __exit__(self, *_):
        for worker in self.workers:
            os.killpg(worker.pid, signal.SIGKILL)
            worker.wait()


def two_screens(options, saver, one):
    program = Program("vokabo on two screens", saver.path, saver.args,
                      dict(saver.env, DISPLAY=options.two_screens))
    screen = Screen(options.two_screens, width=Screen().width)
    start = startup(screen, program, options.runs)
    cpu, switches, rss = idle(screen, program, options.idle_seconds)
    one_start = one["startup"][0]
    one_cpu, one_switches, one_rss = one["idle"]
    print(f"two screens, start to first word painted: {start[0] * 1000:.0f} ms (min "
          f"{start[1] * 1000:.0f}, max {start[2] * 1000:.0f}); one screen "
          f"{one_start * 1000:.0f} ms; ratio {ratio(start[0], one_start)}")
    print(f"two screens, peak RSS: {rss / 1024:.1f} MiB; one screen {one_rss / 1024:.1f} MiB; "
          f"ratio {ratio(rss, one_rss)}")
    print(f"two screens, idle CPU share: {cpu * 100:.3f} % of a core; one screen "
          f"{one_cpu * 100:.3f} %; ratio {ratio(cpu, one_cpu)}")
    print(f"two screens, idle voluntary context switches: {switches:.2f}/s; one screen "
          f"{one_switches:.2f}/s; difference {switches - one_switches:+.2f}/s", flush=True)


if __name__ == "__main__":
    sys.exit(main())
