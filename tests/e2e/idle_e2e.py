#!/usr/bin/env python3
"""End-to-end tests of the idle watcher vokabo-idle on the desktops it serves: an X11 session
with openbox, GNOME's compositor with its session manager, and a compositor without any idle
protocol. The watcher starts the real saver, whose window is looked for on the screen.

Every case brings up the servers it needs in a sandbox of its own, as vokabo_e2e.py does,
whose helpers it shares. Run by CTest; by hand:
    idle_e2e.py --program build/vokabo --watcher build/vokabo-idle [case ...]
"""

import argparse
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from hosts_e2e import HostSandbox, registry, run_cases  # noqa: E402
from vokabo_e2e import (FIXED_PLACEMENT, PROCESSES, Failure, Shot, expect, rgb_of,  # noqa: E402
                        start_xvfb, wait_exit)

IDLE = 5.0          # the idle time the cases give with --after
EARLY = 0.5         # how much sooner than that a start may be measured, by timer granularity
LATE = 10.0         # generous, for a saver to start on a loaded machine
RED = rgb_of(255)
# The system interpreter, whose GLib bindings hold an inhibitor the way applications do.
SYSTEM_PYTHON = "/usr/bin/python3"


class IdleSandbox(HostSandbox):
    """A sandbox with the watcher beside the saver, where the watcher looks for it."""

    def __init__(self, suite, name, watcher):
        HostSandbox.__init__(self, suite, name)
        self.watcher = os.path.join(self.app, "vokabo-idle")
        shutil.copy2(watcher, self.watcher)
        # Sockets live here, and a socket's path may not be longer than 107 bytes.
        os.rmdir(self.runtime)
        self.runtime = tempfile.mkdtemp(prefix="vokabo-idle-")

    def env(self):
        env = HostSandbox.env(self)
        # No session bus unless the case brings one: without one, D-Bus would start a bus
        # of its own for the X display that nothing ends.
        if "DBUS_SESSION_BUS_ADDRESS" not in self.suite.extra_env:
            env["DBUS_SESSION_BUS_ADDRESS"] = f"unix:path={self.runtime}/no-session-bus"
        return env

    def watch(self, *args):
        log = open(os.path.join(self.root, f"watcher-{len(self.logs)}.log"), "w")
        self.logs.append(log.name)
        proc = PROCESSES.spawn([self.watcher, *args], env=self.env(), cwd=self.root,
                               stdout=log, stderr=subprocess.STDOUT)
        log.close()
        return proc

    def run_watcher(self, *args):
        return subprocess.run([self.watcher, *args], env=self.env(), cwd=self.root,
                              capture_output=True, text=True, timeout=30)

    def programs(self, name):
        """Every live process of this sandbox's own copy of a program."""
        wanted = os.path.join(self.app, name)
        found = []
        for entry in os.listdir("/proc"):
            if entry.isdigit():
                try:
                    if os.readlink(f"/proc/{entry}/exe") == wanted:
                        found.append(int(entry))
                except OSError:
                    pass
        return found

    def close(self):
        self.end_strays()
        shutil.rmtree(self.runtime, ignore_errors=True)

    def end_strays(self):
        # "--enable" starts a watcher that no test process owns.
        for pid in self.programs("vokabo-idle") + self.programs("vokabo"):
            try:
                os.kill(pid, signal.SIGKILL)
            except ProcessLookupError:
                pass


def wait_for(condition, timeout, step=0.1):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(step)
    return condition()


def saver_appears(box, since, watcher):
    """Waits for the saver, and returns how long after `since` it was first seen."""
    deadline = since + IDLE + LATE
    while time.monotonic() < deadline:
        if box.programs("vokabo"):
            return time.monotonic() - since
        expect(watcher.poll() is None, f"the watcher ended (status {watcher.returncode})")
        time.sleep(0.05)
    raise Failure(f"no saver {IDLE + LATE:.0f} s after the last input")


def expect_held_back_then_new_period(box, inhibitor, watcher):
    """No saver while `inhibitor` runs, however long the user is away; once it ends, with the
    user still away, a whole idle period counts from then."""
    time.sleep(IDLE + 3)
    expect(not box.programs("vokabo"), "the saver started while an application inhibited idleness")
    inhibitor.kill()
    inhibitor.wait()
    released = time.monotonic()
    took = saver_appears(box, released, watcher)
    expect(took >= IDLE - EARLY, f"the saver started {took:.1f} s after the inhibition went, "
                                 f"before a new idle period")


def expect_idle_start(box, since, watcher):
    took = saver_appears(box, since, watcher)
    expect(took >= IDLE - EARLY, f"the saver started {took:.1f} s after the last input, "
                                 f"before the idle time of {IDLE:.0f} s")
    return took


def xdotool(display, *args):
    subprocess.run(["xdotool", *args], env=dict(os.environ, DISPLAY=display), check=True,
                   capture_output=True, timeout=20)


def wait_pixel(display, point, colour, timeout=LATE):
    picture = wait_for(lambda: Shot(display).pixel(*point) == colour, timeout, step=0.2)
    expect(picture, f"pixel {point} is not {colour} {timeout:.0f} s after the saver started")


# --- cases -------------------------------------------------------------------------------

CASES, case = registry()


@case("x11_openbox_starts_ends_and_comes_back", needs=("openbox",))
def x11_openbox(ctx, box):
    _, ctx.display = start_xvfb()
    PROCESSES.spawn(["openbox", "--sm-disable"], env=dict(box.env(), HOME=box.home),
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    time.sleep(1.0)
    box.store(bpozadi="255", **FIXED_PLACEMENT)
    xdotool(ctx.display, "mousemove", "500", "400")
    since = time.monotonic()
    watcher = box.watch("--after", str(int(IDLE)))
    expect_idle_start(box, since, watcher)
    wait_pixel(ctx.display, (1000, 700), RED)
    saver = box.programs("vokabo")
    expect(len(saver) == 1, f"{len(saver)} savers run")
    # The saver ends on the 26th movement; the idle time counts from the last one.
    for step in range(30):
        xdotool(ctx.display, "mousemove", str(100 + 10 * step), "300")
    since = time.monotonic()
    expect(wait_for(lambda: not box.programs("vokabo"), 5), "mouse movement left the saver on")
    expect_idle_start(box, since, watcher)
    wait_pixel(ctx.display, (1000, 700), RED)
    # The watcher never starts a second saver over the first, however long nobody comes.
    time.sleep(IDLE + 1)
    expect(len(box.programs("vokabo")) == 1, f"{len(box.programs('vokabo'))} savers run")
    watcher.send_signal(signal.SIGTERM)
    expect(wait_exit(watcher, 5) == 0, "the watcher did not end on SIGTERM")
    expect(wait_for(lambda: not box.programs("vokabo"), 3), "the saver outlived its watcher")


@case("x11_server_blanking_ends_the_saver", needs=("xset",))
def x11_blanking(ctx, box):
    # The server's own blanking, which lockers started by xss-lock follow, comes after the
    # saver: the saver makes way for it.
    _, ctx.display = start_xvfb()
    blank_after = int(IDLE) + 3
    subprocess.run(["xset", "s", str(blank_after), "0"], env=dict(os.environ, DISPLAY=ctx.display),
                   check=True, capture_output=True, timeout=20)
    xdotool(ctx.display, "mousemove", "500", "400")
    since = time.monotonic()
    watcher = box.watch("--after", str(int(IDLE)))
    expect_idle_start(box, since, watcher)
    expect(wait_for(lambda: not box.programs("vokabo"), blank_after - IDLE + LATE),
           "the saver stayed on over the server's blanking")
    took = time.monotonic() - since
    expect(took >= blank_after - EARLY, f"the saver ended {took:.1f} s after the last input, "
                                        f"before the blanking at {blank_after} s")
    time.sleep(2)
    expect(not box.programs("vokabo"), "a saver started over the blanked screen")


@case("enable_writes_the_autostart_entry_and_starts_one_watcher_disable_undoes_both")
def enable_disable(ctx, box):
    _, ctx.display = start_xvfb()
    entry = os.path.join(box.config, "autostart", "vokabo-idle.desktop")
    try:
        for attempt in range(2):
            result = box.run_watcher("--enable")
            expect(result.returncode == 0, f"--enable: status {result.returncode}, "
                                           f"{result.stderr.strip()}")
            expect(os.path.isfile(entry), "--enable wrote no autostart entry")
            running = wait_for(lambda: box.programs("vokabo-idle"), 5)
            time.sleep(1.0)  # a second watcher, had one started, has looked at the lock
            running = box.programs("vokabo-idle")
            expect(len(running) == 1, f"after --enable #{attempt + 1}: {len(running)} watchers")
        with open(entry, encoding="utf-8") as text:
            lines = text.read().splitlines()
        expect(f"Exec={box.watcher}" in lines, f"the entry starts something else: {lines}")
        result = box.run_watcher("--disable")
        expect(result.returncode == 0, f"--disable: status {result.returncode}, "
                                       f"{result.stderr.strip()}")
        expect(not os.path.exists(entry), "--disable left the autostart entry")
        expect(not box.programs("vokabo-idle"), "--disable left the watcher running")
        result = box.run_watcher("--disable")
        expect(result.returncode == 0, "a second --disable failed")
    finally:
        box.end_strays()


def start_weston(box):
    socket = "vokabo-idle-e2e"
    env = {key: value for key, value in os.environ.items() if key != "DISPLAY"}
    env.update(XDG_RUNTIME_DIR=box.runtime, HOME=box.home)
    log = open(os.path.join(box.root, "weston.log"), "w")
    PROCESSES.spawn(["weston", "--backend=headless-backend.so", "--use-pixman",
                     f"--socket={socket}", "--idle-time=0"],
                    env=env, stdout=log, stderr=subprocess.STDOUT, cwd=box.root)
    log.close()
    expect(wait_for(lambda: os.path.exists(os.path.join(box.runtime, socket)), LATE),
           "weston did not start")
    return socket


@case("no_idle_source_one_line_and_failure", rows=[
    ("weston, which has no idle protocol", "weston"),
    ("no display at all", None),
])
def no_idle_source(ctx, box, desktop):
    if desktop == "weston":
        if shutil.which("weston") is None:
            raise Failure("weston is not installed")
        ctx.extra_env = dict(WAYLAND_DISPLAY=start_weston(box))
    result = box.run_watcher("--after", "1")
    lines = result.stderr.splitlines()
    expect(result.returncode == 1, f"status {result.returncode}, not 1")
    expect(len(lines) == 1, f"expected one line on stderr, got {lines}")
    if desktop == "weston":
        expect("ext-idle-notify-v1" in lines[0], f"the line does not say what is missing: {lines}")
    expect(not box.programs("vokabo"), "a saver started without an idle source")


NOBODY = 65534


def wtype(env, *keys):
    subprocess.run(["wtype", *keys], env=env, check=True, capture_output=True, timeout=20)
    return time.monotonic()


@case("sway_idle_protocol_starts_it_and_a_key_brings_it_back", needs=("sway", "wtype"))
def sway(ctx, box):
    # sway will not run as root; its runtime folder, where its socket goes, is the user's.
    os.chown(box.runtime, NOBODY, NOBODY)
    config = os.path.join(box.runtime, "sway.conf")
    with open(config, "w") as out:
        out.write("xwayland disable\noutput HEADLESS-1 resolution 1024x768\n")
    os.chmod(config, 0o644)
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(XDG_RUNTIME_DIR=box.runtime, HOME=box.runtime, WLR_BACKENDS="headless",
               WLR_LIBINPUT_NO_DEVICES="1", WLR_RENDERER="pixman")
    with open(os.path.join(box.root, "sway.log"), "w") as log:
        PROCESSES.spawn(["sway", "-c", config], env=env, user=NOBODY, group=NOBODY,
                        extra_groups=[], stdout=log, stderr=subprocess.STDOUT, cwd=box.runtime)
    sockets = lambda: [n for n in os.listdir(box.runtime)  # noqa: E731
                       if n.startswith("wayland-") and not n.endswith(".lock")]
    expect(wait_for(sockets, LATE), "sway made no Wayland socket")
    ctx.extra_env = dict(WAYLAND_DISPLAY=sockets()[0], QT_QPA_PLATFORM="wayland")
    client = dict(env, WAYLAND_DISPLAY=sockets()[0])
    box.store(bpozadi="255", **FIXED_PLACEMENT)

    since = wtype(client, "x")
    watcher = box.watch("--after", str(int(IDLE)))
    expect_idle_start(box, since, watcher)
    time.sleep(1.0)
    expect(box.programs("vokabo"), "the saver did not stay up on sway")
    # A key ends the saver, and counts as input for the next idle period. The headless seat
    # has a keyboard only while wtype's virtual one exists, so it waits before it types,
    # until the saver has taken the new keyboard.
    since = wtype(client, "-s", "2000", "q")
    expect(wait_for(lambda: not box.programs("vokabo"), 5), "a key left the saver on")
    expect_idle_start(box, since, watcher)
    watcher.send_signal(signal.SIGTERM)
    expect(wait_exit(watcher, 5) == 0, "the watcher did not end on SIGTERM")


# Stands in for Plasma's power management, which records what applications ask through
# org.freedesktop.ScreenSaver.Inhibit and is not run here: its interface, with an inhibition
# of the screen's settings held for as long as it runs.
PLASMA_INHIBITION = r'''
from gi.repository import Gio, GLib
XML = """<node><interface name="org.kde.Solid.PowerManagement.PolicyAgent">
  <method name="HasInhibition"><arg type="u" direction="in"/><arg type="b" direction="out"/>
  </method>
  <signal name="InhibitionsChanged"><arg type="a{ss}"/><arg type="as"/></signal>
  </interface></node>"""
def call(connection, sender, path, interface, method, parameters, invocation):
    invocation.return_value(GLib.Variant("(b)", (bool(parameters[0] & 4),)))
def acquired(connection, name):
    connection.register_object("/org/kde/Solid/PowerManagement/PolicyAgent",
                               Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], call)
    print("inhibited", flush=True)
Gio.bus_own_name(Gio.BusType.SESSION, "org.kde.Solid.PowerManagement.PolicyAgent", 0, None,
                 acquired, None)
GLib.MainLoop().run()
'''


@case("kwin_idle_protocol_starts_it_after_a_plasma_inhibition", needs=("kwin_wayland",
                                                                       "dbus-daemon"))
def kwin(ctx, box):
    # KDE Plasma's compositor alone, on a virtual screen: its idle protocol is what the
    # watcher uses under Plasma. A copy of the program, because the installed one carries a
    # file capability that a container may refuse to run.
    compositor = os.path.join(box.root, "kwin_wayland")
    shutil.copy(shutil.which("kwin_wayland"), compositor)
    session_bus = start_bus(box, "session-bus")
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(XDG_RUNTIME_DIR=box.runtime, HOME=box.home, DBUS_SESSION_BUS_ADDRESS=session_bus)
    socket = "vokabo-kwin"
    with open(os.path.join(box.root, "kwin.log"), "w") as log:
        PROCESSES.spawn([compositor, "--virtual", "--width", "1024", "--height", "768",
                         "--socket", socket],
                        env=env, stdout=log, stderr=subprocess.STDOUT, cwd=box.root)
    expect(wait_for(lambda: os.path.exists(os.path.join(box.runtime, socket)), 30),
           "kwin_wayland made no Wayland socket")
    ctx.extra_env = dict(WAYLAND_DISPLAY=socket, QT_QPA_PLATFORM="wayland",
                         DBUS_SESSION_BUS_ADDRESS=session_bus)
    box.store(bpozadi="255", **FIXED_PLACEMENT)
    inhibition = PROCESSES.spawn([SYSTEM_PYTHON, "-c", PLASMA_INHIBITION], env=env,
                                 stdout=subprocess.PIPE, text=True)
    expect(inhibition.stdout.readline().strip() == "inhibited",
           "the stand-in power management did not start")
    watcher = box.watch("--after", str(int(IDLE)))
    expect_held_back_then_new_period(box, inhibition, watcher)
    time.sleep(1.0)
    expect(box.programs("vokabo"), "the saver did not stay up on KWin")
    watcher.send_signal(signal.SIGTERM)
    expect(wait_exit(watcher, 5) == 0, "the watcher did not end on SIGTERM")
    expect(wait_for(lambda: not box.programs("vokabo"), 3), "the saver outlived its watcher")


def fading_in():
    """True while xscreensaver's drawing process, which fades the screen in, still runs."""
    for entry in os.listdir("/proc"):
        try:
            with open(f"/proc/{entry}/stat") as stat:
                fields = stat.read()
        except OSError:
            continue
        # "pid (comm) state ...": a finished one lingers as a zombie until xscreensaver reaps it.
        name, _, rest = fields.partition(") ")
        if name.endswith("(xscreensaver-gf") and not rest.startswith("Z"):
            return True
    return False


def readme_recipe():
    """The lines the README tells a new xscreensaver user to put into ~/.xscreensaver."""
    readme = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "README.md")
    with open(readme, encoding="utf-8") as text:
        section = text.read().split("#### xscreensaver", 1)[1]
    return section.split("```\n", 2)[1]


# A file in the form xscreensaver's settings write, with display modes of its own.
SETTINGS_WRITTEN = """# XScreenSaver Preferences File
# Written by xscreensaver-settings 6.06 for a user.

timeout:\t0:10:00
cycle:\t\t0:10:00
mode:\t\trandom
selected:\t-1

programs:\t\t\t\t\t\t\t      \\
\t\t\t\tcwaves --root\t\t\t\t    \\n\\
\t\t\t\tfuzzyflakes --root\t\t\t    \\n\\
-\t\t\t\tripples --root\t\t\t\t    \\n\\


pointerHysteresis:\t10
"""


@case("xscreensaver_runs_it_as_the_readme_says", rows=[
    ("the README's three lines in a new user's file", "recipe"),
    ("vokabo-idle --xscreensaver on the file its settings write", "command"),
], needs=("xscreensaver", "xscreensaver-command"))
def xscreensaver(ctx, box, how):
    _, ctx.display = start_xvfb()
    # xscreensaver runs no display mode for root: a user of no privileges of its own, whose
    # home and settings are the sandbox's.
    for folder in (ctx.workdir, box.root):
        os.chmod(folder, 0o755)
    box.store(bpozadi="255", **FIXED_PLACEMENT)
    for folder in (box.home, box.config, box.runtime):
        for root, _, files in os.walk(folder):
            os.chown(root, NOBODY, NOBODY)
            for name in files:
                os.chown(os.path.join(root, name), NOBODY, NOBODY)
    env = dict(box.env(), PATH=f"{box.app}:/usr/bin:/bin")
    as_user = dict(env=env, user=NOBODY, group=NOBODY, extra_groups=[], cwd=box.home)
    dotfile = os.path.join(box.home, ".xscreensaver")
    if how == "recipe":
        with open(dotfile, "w") as out:
            out.write(readme_recipe())
        os.chown(dotfile, NOBODY, NOBODY)
    else:
        with open(dotfile, "w") as out:
            out.write(SETTINGS_WRITTEN)
        os.chown(dotfile, NOBODY, NOBODY)
        result = subprocess.run([box.watcher, "--xscreensaver"], capture_output=True, text=True,
                                timeout=20, **as_user)
        expect(result.returncode == 0, f"--xscreensaver: status {result.returncode}, "
                                       f"{result.stderr.strip()}")
        with open(dotfile + ".bak") as backup:
            expect(backup.read() == SETTINGS_WRITTEN, "the backup is not the file as it was")
    with open(os.path.join(box.root, "xscreensaver.log"), "w") as log:
        PROCESSES.spawn(["xscreensaver", "-no-splash"], stdout=log, stderr=subprocess.STDOUT,
                        **as_user)
    command = lambda *args: subprocess.run(  # noqa: E731
        ["xscreensaver-command", *args], capture_output=True, timeout=20, **as_user)
    expect(wait_for(lambda: command("-time").returncode == 0, LATE, step=0.3),
           "xscreensaver did not start")
    for attempt in range(2):
        command("-activate")
        expect(wait_for(lambda: box.programs("vokabo"), LATE),
               f"-activate #{attempt + 1} ran another display mode than Vokabo")
        wait_pixel(ctx.display, (1000, 700), RED)
        command("-deactivate")
        expect(wait_for(lambda: not box.programs("vokabo"), 5), "-deactivate left Vokabo on")
        # An activation while xscreensaver still fades the screen back in runs nothing: a
        # user's next idle period comes long after the fade has ended.
        expect(wait_for(lambda: not fading_in(), LATE), "xscreensaver never ended its fade")
    command("-exit")


# GNOME: its compositor with its idle monitor, and its session manager, whose inhibitors
# applications take directly or through org.freedesktop.ScreenSaver. Each on a bus of this
# case's own; the session manager wants a system bus, which a private one stands in for.

INHIBITOR = r'''
import sys, time
from gi.repository import Gio, GLib
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
bus.call_sync("org.gnome.SessionManager", "/org/gnome/SessionManager",
              "org.gnome.SessionManager", "Inhibit",
              GLib.Variant("(susu)", ("cz.vokabo.e2e", 0, "a film", 8)), None, 0, -1, None)
print("inhibited", flush=True)
while True:
    time.sleep(1)
'''


def start_bus(box, name):
    address = f"unix:path={os.path.join(box.runtime, name)}"
    proc = PROCESSES.spawn(["dbus-daemon", "--config-file=/usr/share/dbus-1/session.conf",
                            "--nofork", f"--address={address}", "--print-address=1"],
                           stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    expect(proc.stdout.readline().strip(), f"the {name} did not start")
    return address


def gdbus(env, service, path, method, *args):
    return subprocess.run(["gdbus", "call", "--session", "--dest", service, "--object-path",
                           path, "--method", method, *args], env=env, capture_output=True,
                          text=True, timeout=20)


MONITOR = ("org.gnome.Mutter.IdleMonitor", "/org/gnome/Mutter/IdleMonitor/Core")

# Stands in for GNOME Shell's lock screen, which is not run here: the shell's interface,
# active from the start, as when the screen locks while the saver runs.
LOCK_SCREEN = r'''
from gi.repository import Gio, GLib
XML = """<node><interface name="org.gnome.ScreenSaver">
  <method name="GetActive"><arg type="b" direction="out"/></method>
  <signal name="ActiveChanged"><arg type="b"/></signal></interface></node>"""
def call(connection, sender, path, interface, method, parameters, invocation):
    invocation.return_value(GLib.Variant("(b)", (True,)))
def acquired(connection, name):
    connection.register_object("/org/gnome/ScreenSaver",
                               Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], call)
    connection.emit_signal(None, "/org/gnome/ScreenSaver", "org.gnome.ScreenSaver",
                           "ActiveChanged", GLib.Variant("(b)", (True,)))
    print("locked", flush=True)
Gio.bus_own_name(Gio.BusType.SESSION, "org.gnome.ScreenSaver", 0, None, acquired, None)
GLib.MainLoop().run()
'''


@case("gnome_idle_monitor_starts_it_an_inhibitor_holds_it_back_the_lock_ends_it",
      needs=("mutter", "gnome-session", "dbus-daemon", "gdbus"))
def gnome(ctx, box):
    session_bus = start_bus(box, "session-bus")
    system_bus = start_bus(box, "system-bus")
    share = os.path.join(box.root, "share")
    os.makedirs(os.path.join(share, "gnome-session", "sessions"))
    os.makedirs(os.path.join(box.root, "autostart"))
    with open(os.path.join(share, "gnome-session", "sessions", "vokabo-e2e.session"), "w") as s:
        s.write("[GNOME Session]\nName=Vokabo e2e\nRequiredComponents=\n")
    env = {key: value for key, value in os.environ.items()
           if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(XDG_RUNTIME_DIR=box.runtime, HOME=box.home, DBUS_SESSION_BUS_ADDRESS=session_bus,
               DBUS_SYSTEM_BUS_ADDRESS=system_bus, XDG_DATA_DIRS=f"{share}:/usr/share",
               XDG_CONFIG_HOME=box.config)
    for command, log in (
            (["gnome-session", "--builtin", "--session=vokabo-e2e",
              f"--autostart={os.path.join(box.root, 'autostart')}",
              "--disable-acceleration-check"], "gnome-session.log"),
            (["mutter", "--headless", "--wayland", "--no-x11", "--virtual-monitor",
              "1280x1024"], "mutter.log")):
        with open(os.path.join(box.root, log), "w") as out:
            PROCESSES.spawn(command, env=env, stdout=out, stderr=subprocess.STDOUT, cwd=box.root)
    has_owner = lambda name: "true" in gdbus(  # noqa: E731
        env, "org.freedesktop.DBus", "/org/freedesktop/DBus",
        "org.freedesktop.DBus.NameHasOwner", name).stdout
    for name in ("org.gnome.SessionManager", MONITOR[0]):
        expect(wait_for(lambda: has_owner(name), 20, step=0.3), f"{name} did not come up")
    expect(wait_for(lambda: os.path.exists(os.path.join(box.runtime, "wayland-0")), LATE),
           "mutter made no Wayland socket")

    ctx.extra_env = dict(WAYLAND_DISPLAY="wayland-0", QT_QPA_PLATFORM="wayland",
                         DBUS_SESSION_BUS_ADDRESS=session_bus)
    box.store(bpozadi="255", **FIXED_PLACEMENT)

    def user_comes_back():
        gdbus(env, *MONITOR, "org.gnome.Mutter.IdleMonitor.ResetIdletime")
        return time.monotonic()

    since = user_comes_back()
    watcher = box.watch("--after", str(int(IDLE)))
    expect_idle_start(box, since, watcher)
    time.sleep(1.0)
    expect(box.programs("vokabo"), "the saver did not stay up on GNOME's compositor")

    # An application takes an inhibitor while the user is away: no saver however long.
    for pid in box.programs("vokabo"):
        os.kill(pid, signal.SIGTERM)
    expect(wait_for(lambda: not box.programs("vokabo"), 5), "the saver did not end")
    holder = PROCESSES.spawn([SYSTEM_PYTHON, "-c", INHIBITOR], env=env, stdout=subprocess.PIPE,
                             text=True)
    expect(holder.stdout.readline().strip() == "inhibited", "no inhibitor could be taken")
    user_comes_back()
    expect_held_back_then_new_period(box, holder, watcher)

    # The lock screen comes up over the saver: the saver makes way, and none starts while
    # the screen stays locked.
    lock = PROCESSES.spawn([SYSTEM_PYTHON, "-c", LOCK_SCREEN], env=env, stdout=subprocess.PIPE,
                           text=True)
    expect(lock.stdout.readline().strip() == "locked", "the stand-in lock screen did not start")
    expect(wait_for(lambda: not box.programs("vokabo"), 5), "the saver stayed over the lock screen")
    user_comes_back()
    time.sleep(IDLE + 3)
    expect(not box.programs("vokabo"), "a saver started over the lock screen")
    watcher.send_signal(signal.SIGTERM)
    expect(wait_exit(watcher, 5) == 0, "the watcher did not end on SIGTERM")


# --- main --------------------------------------------------------------------------------

def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--watcher", required=True)
    parser.add_argument("--artifacts", default=os.path.join(tempfile.gettempdir(),
                                                            "vokabo-idle-e2e-artifacts"))
    parser.add_argument("cases", nargs="*", help="run only these cases")
    options = parser.parse_args()
    watcher = os.path.abspath(options.watcher)
    return run_cases(CASES, options, lambda ctx, name: IdleSandbox(ctx, name, watcher),
                     "vokabo-idle-e2e-")


if __name__ == "__main__":
    sys.exit(main())
