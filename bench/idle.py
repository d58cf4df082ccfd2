#!/usr/bin/env python3
"""What the idle watcher costs while it waits, which is all session long: wake-ups per second
(context switches of all its threads), CPU time and resident memory over S seconds in which
nobody touches anything and the idle time is not reached.

  idle.py --watcher PROGRAM [--idle-seconds S]

Taken on an X server of its own with a session bus (as in a desktop session, where the
watcher also follows inhibitors and the lock screen), and on GNOME's compositor with its
idle monitor where mutter is installed. Goals: under 0.1 wake-ups per second, under 20 MB.
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

GOAL_WAKEUPS = 0.1
GOAL_RSS_MB = 20.0


def thread_switches(pid):
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/status") as status:
            for line in status:
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    total += int(line.split()[1])
    return total


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def memory_mb(pid, key):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith(key + ":"):
                return int(line.split()[1]) / 1024
    return 0.0


def measure(label, argv, env, seconds):
    proc = subprocess.Popen(argv, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                            text=True)
    try:
        time.sleep(3)  # settled: connected, watches set, first answers in
        if proc.poll() is not None:
            print(f"{label}: the watcher ended: {proc.stderr.read().strip()}")
            return False
        switches, cpu = thread_switches(proc.pid), cpu_seconds(proc.pid)
        time.sleep(seconds)
        switches = thread_switches(proc.pid) - switches
        cpu = cpu_seconds(proc.pid) - cpu
        threads = len(os.listdir(f"/proc/{proc.pid}/task"))
        rss, peak = memory_mb(proc.pid, "VmRSS"), memory_mb(proc.pid, "VmHWM")
    finally:
        proc.send_signal(signal.SIGTERM)
        proc.wait(timeout=10)
    rate = switches / seconds
    print(f"{label}: {rate:.3f} wake-ups/s ({switches} in {seconds} s, {threads} threads), "
          f"CPU {cpu * 1000:.0f} ms, RSS {rss:.1f} MB (peak {peak:.1f} MB)")
    return rate < GOAL_WAKEUPS and peak < GOAL_RSS_MB


def start(argv, env, scratch, name):
    log = open(os.path.join(scratch, name + ".log"), "w")
    return subprocess.Popen(argv, env=env, stdout=log, stderr=subprocess.STDOUT)


def bus(scratch, name, env):
    proc = subprocess.Popen(["dbus-daemon", "--config-file=/usr/share/dbus-1/session.conf",
                             "--nofork", f"--address=unix:path={scratch}/{name}",
                             "--print-address=1"], env=env, stdout=subprocess.PIPE, text=True,
                            stderr=subprocess.DEVNULL)
    return proc, proc.stdout.readline().strip()


def wait_for(path, timeout=20):
    deadline = time.monotonic() + timeout
    while not os.path.exists(path) and time.monotonic() < deadline:
        time.sleep(0.1)
    return os.path.exists(path)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--watcher", required=True)
    parser.add_argument("--idle-seconds", type=int, default=60)
    options = parser.parse_args()
    seconds = options.idle_seconds
    scratch = tempfile.mkdtemp(prefix="vokabo-idle-bench-")
    os.chmod(scratch, 0o700)
    started = []
    base = {key: value for key, value in os.environ.items()
            if not key.startswith(("DISPLAY", "WAYLAND", "DBUS", "XDG_"))}
    base.update(XDG_RUNTIME_DIR=scratch, XDG_CONFIG_HOME=scratch, HOME=scratch)
    # Far beyond the measurement, so that the saver never starts.
    watch = [options.watcher, "--after", "3600"]
    ok = True
    try:
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                                 "1024x768x24", "-nolisten", "tcp", "-noreset"],
                                pass_fds=(write_end,), stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        started.append(xvfb)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            display = ":" + pipe.readline().strip()
        session, address = bus(scratch, "session-bus", base)
        started.append(session)
        x11 = dict(base, DISPLAY=display, DBUS_SESSION_BUS_ADDRESS=address)
        ok &= measure("X11 (IDLETIME alarms) with a session bus", watch, x11, seconds)

        if shutil.which("mutter"):
            gnome_bus, gnome_address = bus(scratch, "gnome-bus", base)
            started.append(gnome_bus)
            gnome = dict(base, DBUS_SESSION_BUS_ADDRESS=gnome_address)
            runtime = os.path.join(scratch, "gnome")
            os.makedirs(runtime, mode=0o700)
            gnome["XDG_RUNTIME_DIR"] = runtime
            started.append(start(["mutter", "--headless", "--wayland", "--no-x11",
                                  "--virtual-monitor", "1280x1024"], gnome, scratch, "mutter"))
            if wait_for(os.path.join(runtime, "wayland-0")):
                time.sleep(1)
                ok &= measure("GNOME (mutter's idle monitor)", watch,
                              dict(gnome, WAYLAND_DISPLAY="wayland-0"), seconds)
            else:
                print("GNOME: mutter did not start")
    finally:
        for proc in reversed(started):
            proc.terminate()
            try:
                proc.wait(timeout=5)
            except subprocess.TimeoutExpired:
                proc.kill()
        shutil.rmtree(scratch, ignore_errors=True)
    print(f"goals (under {GOAL_WAKEUPS} wake-ups/s, under {GOAL_RSS_MB:.0f} MB): "
          f"{'met' if ok else 'NOT met'}")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
