#!/usr/bin/env python3
"""Start to first word of the Windows build under Wine, beside the Linux build, the two
started in turns on one Xvfb with a black root window (see measure.py for how the first word
is seen).

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
    with tempfile.TemporaryDirectory() as config, tempfile.TemporaryDirectory() as runtime:
        linux = measure.Program("Linux build", options.linux, ["/s"],
                                dict(os.environ, XDG_CONFIG_HOME=config,
                                     XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb"))
        windows = WineProgram("Windows build under Wine", options.windows, ["/s"],
                              options.prefix)
        try:
            figures = measure.interleaved(measure.Screen(), [linux, windows], options.runs)
        finally:
            wineprefix.remove(options.prefix)
    for label, figure in figures.items():
        wall, cpu = figure["wall"], figure["cpu"]
        print(f"{label}: start to first word painted {wall[0] * 1000:.0f} ms (median of "
              f"{options.runs}; min {wall[1] * 1000:.0f}, max {wall[2] * 1000:.0f}), "
              f"CPU by then {cpu[0] * 1000:.0f} ms")
    ratio = figures[windows.label]["wall"][0] / figures[linux.label]["wall"][0]
    print(f"Wine to Linux: {ratio:.1f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
