"""Start-up to the first painted preview: starts the designer window on the X display it runs
on, with a fresh profile, and times how long until the screen shows the composite (black frames
on the page and the surround colour beside it). Screenshots are taken one after another, so a
figure is late by at most one screenshot (tens of milliseconds). Prints the median of the runs.

Usage: xvfb-run -a -s "-screen 0 1600x1000x24" /usr/bin/python3 bench/startup_time.py \
           BUILD/montage-designer [RUNS]"""

import os
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "tests", "support"))
import ui_driver  # noqa: E402

SURROUND = (214, 211, 206)


def preview_painted(shot):
    """Whether a row through the middle of the screen crosses the surround colour and a frame."""
    middle = shot.height // 2
    row = [shot.at(x, middle) for x in range(0, shot.width, 2)]
    column = [shot.at(shot.width // 4, y) for y in range(0, shot.height, 2)]
    return SURROUND in row + column and (0, 0, 0) in row + column


def one_run(executable):
    scratch = tempfile.mkdtemp(prefix="montage-start-")
    env = dict(os.environ, XDG_CONFIG_HOME=os.path.join(scratch, "config"), HOME=scratch)
    env.pop("QT_QPA_PLATFORM", None)
    started = time.monotonic()
    process = subprocess.Popen([executable], env=env, stderr=subprocess.DEVNULL)
    try:
        while time.monotonic() - started < 30:
            if preview_painted(ui_driver.Screenshot()):
                return time.monotonic() - started
        raise ui_driver.UiError("the preview was not painted within 30 s")
    finally:
        process.terminate()
        process.wait()


def main():
    executable = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 5
    times = [one_run(executable) for _ in range(runs)]
    print("start-up to first painted preview: median %.3f s (runs: %s)" % (
        statistics.median(times), ", ".join("%.3f" % t for t in times)))


if __name__ == "__main__":
    main()
