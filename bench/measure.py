#!/usr/bin/env python3
"""Start-up and idle figures of the saver and of the bare window, on a running X server
with a black root window and nothing else on it.

  measure.py --saver PROGRAM --bare PROGRAM [--runs N] [--idle-seconds S]
             [--two-screens DISPLAY]

Start-up: from the moment the process is started to the first frame on which a pixel below
the banner's rows is no longer black, that is, the first word painted; the screen is read
back continuously. Idle: CPU time and voluntary context switches of all the process's
threads over S seconds of running undisturbed, and its peak resident set at the end.
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
    def __init__(self, label, path, args, env):
        self.label, self.path, self.args, self.env = label, path, args, env

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
    """Seconds from starting the process to its first word on the screen, and the process."""
    wait_blank(screen)
    started = time.monotonic()
    proc = program.start()
    while not screen.words_painted():
        if proc.poll() is not None:
            sys.exit(f"measure.py: {program.label} ended with status {proc.returncode}")
        if time.monotonic() - started > FIRST_PAINT_TIMEOUT:
            stop(proc)
            sys.exit(f"measure.py: {program.label} painted nothing in {FIRST_PAINT_TIMEOUT} s")
    return time.monotonic() - started, proc


def startup(screen, program, runs):
    _, proc = first_paint(screen, program)  # warms the file cache and writes first settings
    stop(proc)
    times = []
    for _ in range(runs):
        elapsed, proc = first_paint(screen, program)
        stop(proc)
        times.append(elapsed)
    return statistics.median(times), min(times), max(times)


def idle(screen, program, seconds):
    _, proc = first_paint(screen, program)
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

    try:
        report(options, saver, bare)
    finally:
        shutil.rmtree(home, ignore_errors=True)


def report(options, saver, bare):
    screen = Screen()
    figures = {}
    for program in (saver, bare):
        figures[program.label] = {"startup": startup(screen, program, options.runs)}
    s, b = figures["vokabo"]["startup"], figures["bare window"]["startup"]
    print(f"start to first word painted: {s[0] * 1000:.0f} ms (min {s[1] * 1000:.0f}, max "
          f"{s[2] * 1000:.0f}, {options.runs} runs); bare window {b[0] * 1000:.0f} ms; "
          f"ratio {ratio(s[0], b[0])}", flush=True)

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
