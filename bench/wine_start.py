#!/usr/bin/env python3
"""Start to first word of the Windows build under Wine, beside the Linux build, taken in
turns on one Xvfb with a black root window (see measure.py for how the first word is seen).

  wine_start.py --linux PROGRAM --windows PROGRAM.scr --prefix FOLDER [--runs N]

Both run with their first-run settings; the first start of each is not counted (it writes
the settings, and under Wine it also starts Wine's own services).
"""

import argparse
import os
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
# The shared modules are imported from the source tree, which stays free of their caches.
sys.dont_write_bytecode = True
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
import measure  # noqa: E402
import wineprefix  # noqa: E402


class WineProgram(measure.Program):
    def __init__(self, label, path, args, prefix):
        super().__init__(label, path, args, None)
        self.prefix = prefix

    def start(self):
        return wineprefix.spawn(self.prefix, self.path, *self.args,
                                display=os.environ["DISPLAY"], stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--linux", required=True)
    parser.add_argument("--windows", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--runs", type=int, default=10)
    options = parser.parse_args()

    wineprefix.make(options.prefix)
    config = tempfile.mkdtemp()
    runtime = tempfile.mkdtemp()
    linux = measure.Program("Linux build", options.linux, ["/s"],
                            dict(os.environ, XDG_CONFIG_HOME=config, XDG_RUNTIME_DIR=runtime,
                                 QT_QPA_PLATFORM="xcb"))
    windows = WineProgram("Windows build under Wine", options.windows, ["/s"], options.prefix)
    screen = measure.Screen()
    figures = {}
    try:
        for program in (linux, windows):
            figures[program.label] = measure.startup(screen, program, options.runs)
    finally:
        wineprefix.remove(options.prefix)
    for label, (median, fastest, slowest) in figures.items():
        print(f"{label}: start to first word painted {median * 1000:.0f} ms (median of "
              f"{options.runs}; min {fastest * 1000:.0f}, max {slowest * 1000:.0f})")
    ratio = figures[windows.label][0] / figures[linux.label][0]
    print(f"Wine to Linux: {ratio:.1f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
