#!/usr/bin/env python3
"""A Wine prefix of its own for running the Windows build, apart from the user's ~/.wine.

    wineprefix.py make PREFIX                        a fresh prefix, fonts mapped
    wineprefix.py run PREFIX PROGRAM [ARGUMENT ...]   runs a program in it, with its status
    wineprefix.py remove PREFIX                      ends its programs and deletes it

CTest runs the cross-built suites through `run`; the end-to-end driver and the start
benchmark use the functions below.
"""

import glob
import os
import select
import shutil
import subprocess
import sys
import tempfile

WINE = shutil.which("wine") or "/usr/lib/wine/wine64"
WINESERVER = shutil.which("wineserver") or "/usr/lib/wine/wineserver"

# Wine has neither Arial nor Times New Roman, in which the windows are designed; the
# Liberation fonts have their metrics. Wine lists a replacement under the name it stands
# for, so that Qt's font list has the two names.
FONT_REPLACEMENTS = {"Arial": "Liberation Sans", "Times New Roman": "Liberation Serif"}

SETTINGS_KEY = r"HKCU\Software\VB and VBA Program Settings\VKB_S\nastaveni"


def environment(prefix, display=None):
    env = {key: value for key, value in os.environ.items()
           if not key.startswith(("WINE", "QT_")) and key != "DISPLAY"}
    env.update(WINEPREFIX=os.path.abspath(prefix), WINEARCH="win64", WINEDEBUG="-all",
               # Nothing to offer to install (Mono, Gecko), and no menu entries or file
               # associations for the desktop of whoever runs the tests.
               WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d",
               HOME=os.path.join(os.path.abspath(prefix), "home"))
    if display:
        env["DISPLAY"] = display
    return env


def wine(prefix, *argv, display=None, **kwargs):
    """Runs a Windows program (or one of Wine's own: reg, regedit, wineboot) to its end, its
    output not read."""
    return subprocess.run([WINE, *argv], env=environment(prefix, display), **kwargs)


def output_of(prefix, *argv, display=None, echo=None):
    """Runs a Windows program to its end: its status and its output (stdout and stderr),
    passed on to echo as it comes. Wine's own services, which the first program of a prefix
    starts, inherit its output and keep it open long after the program has ended, so the
    output is read only as long as the program runs."""
    proc = subprocess.Popen([WINE, *argv], env=environment(prefix, display),
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    output = bytearray()
    pipe = proc.stdout.fileno()
    while True:
        ready, _, _ = select.select([pipe], [], [], 0.1)
        if ready:
            chunk = os.read(pipe, 65536)
            if not chunk:
                break
            output += chunk
            if echo:
                echo(chunk)
        elif proc.poll() is not None:
            break
    proc.stdout.close()
    return proc.wait(), bytes(output)


def spawn(prefix, *argv, display=None, **kwargs):
    return subprocess.Popen([WINE, *argv], env=environment(prefix, display), **kwargs)


def wait_idle(prefix):
    """Waits until every process of the prefix has ended and the server with them."""
    subprocess.run([WINESERVER, "-w"], env=environment(prefix), check=False)


def stop(prefix):
    subprocess.run([WINESERVER, "-k"], env=environment(prefix), check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def remove(prefix):
    if not os.path.exists(prefix):
        return
    stop(prefix)
    # The server's socket folder is named after the prefix's device and inode; run as root,
    # Wine puts it into a temporary folder of its own, which it leaves behind.
    info = os.stat(prefix)
    server = f"server-{info.st_dev:x}-{info.st_ino:x}"
    for folder in glob.glob(os.path.join(tempfile.gettempdir(), "wine-*")):
        if os.path.isdir(os.path.join(folder, server)):
            shutil.rmtree(folder, ignore_errors=True)
    shutil.rmtree(prefix)


def make(prefix):
    remove(prefix)
    os.makedirs(os.path.join(prefix, "home"))
    quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wine(prefix, "wineboot", "--init", check=True, **quiet)
    lines = ["Windows Registry Editor Version 5.00", "",
             r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
    lines += [f'"{name}"="{font}"' for name, font in FONT_REPLACEMENTS.items()]
    # Without a console of its own, Qt would hand its messages and the test results to the
    # debugger. Wine keeps the QT_ variables of Linux away from Windows programs, so the
    # setting goes into the user's Windows environment.
    lines += ["", r"[HKEY_CURRENT_USER\Environment]", '"QT_FORCE_STDERR_LOGGING"="1"']
    import_registry(prefix, lines)
    wait_idle(prefix)


def import_registry(prefix, lines):
    """Imports the lines of a .reg file, in one start of regedit."""
    path = os.path.join(prefix, "import.reg")
    with open(path, "w", encoding="utf-16") as out:
        out.write("\r\n".join(lines) + "\r\n")
    wine(prefix, "regedit", "/S", path, check=True, stdout=subprocess.DEVNULL,
         stderr=subprocess.DEVNULL)
    os.remove(path)


def query(prefix, key):
    """The values of a registry key as reg query shows them: {name: (type, text)}, or None
    when there is no such key."""
    status, output = output_of(prefix, "reg", "query", key)
    if status != 0:
        return None
    values = {}
    for line in output.decode("utf-8", "replace").splitlines():
        parts = line.strip("\r").split("    ")
        # "    name    REG_SZ    text": empty first part, then name, type and the text.
        if len(parts) >= 3 and parts[0] == "" and parts[2].startswith("REG_"):
            values[parts[1]] = (parts[2], "    ".join(parts[3:]))
    return values


def main(argv):
    if len(argv) >= 2 and argv[0] == "make":
        make(argv[1])
        return 0
    if len(argv) >= 2 and argv[0] == "remove":
        remove(argv[1])
        return 0
    if len(argv) >= 3 and argv[0] == "run":
        def echo(chunk):
            sys.stdout.buffer.write(chunk)
            sys.stdout.flush()
        return output_of(argv[1], *argv[2:], echo=echo)[0]
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
