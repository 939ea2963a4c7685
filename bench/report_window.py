"""The report window's opening on a district (bench/run drives it): from the
press of "Comprobar" (Alt+C) in the stand-alone window, started in a TEBA
folder with the work folder's tables as its own, until the report window
shows its text. The Qt program on an Xvfb of its own, its keys through
XTest (by ctypes, so that nothing more is needed than the X libraries Qt
uses), the window seen with xwininfo; the Windows programs under Wine,
measured inside Wine by tht-bench-window --report."""
import ctypes
import os
import re
import shutil
import statistics
import subprocess
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
REPORT_TITLE = "Transhoraventteba"  # the application title, which the report window bears


def _top_level(env, title):
    """The id of the top-level window named `title` and wider than 300
    pixels (Qt names a small window of its own after the program too), or
    None."""
    tree = subprocess.run(["xwininfo", "-root", "-children"], env=env, capture_output=True, text=True,
                          errors="replace").stdout
    for line in tree.splitlines():
        found = re.match(r'\s*(0x[0-9a-f]+) "(.*)": \(.*\)\s+(\d+)x\d+[+-]', line)
        if found and found.group(2) == title and int(found.group(3)) > 300:
            return int(found.group(1), 16)
    return None


def _wait_for(env, title, seconds):
    start = time.perf_counter()
    while time.perf_counter() - start < seconds:
        window = _top_level(env, title)
        if window:
            return window
        time.sleep(0.002)
    return None


def qt(app, teba, work, runs):
    """Milliseconds, median of `runs`; None without Xvfb, xwininfo or Xlib."""
    if not shutil.which("Xvfb") or not shutil.which("xwininfo") or not os.path.exists(app):
        return None
    try:
        xlib, xtst = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
    except OSError:
        return None
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XStringToKeysym.restype = ctypes.c_ulong
    xlib.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    xlib.XKeysymToKeycode.restype = ctypes.c_ubyte
    xlib.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
    xlib.XFlush.argtypes = xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
    # An X error (a window not yet viewable when focused) must not end Python.
    handler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(lambda display, event: 0)
    xlib.XSetErrorHandler(handler)

    display = f":{300 + (os.getpid() + 7) % 5000}"
    server = subprocess.Popen(["Xvfb", display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    prefix = tempfile.mkdtemp(prefix="tht-bench-qt-")
    os.makedirs(os.path.join(prefix, "drive_c"))
    os.symlink(work, os.path.join(prefix, "drive_c", "HTEMP"))  # the program's work folder
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM="xcb", WINEPREFIX=prefix)
    connection = None
    times = []
    try:
        for _ in range(200):
            connection = xlib.XOpenDisplay(display.encode())
            if connection:
                break
            time.sleep(0.05)
        if not connection:
            return None
        alt, c = (xlib.XKeysymToKeycode(connection, xlib.XStringToKeysym(k)) for k in (b"Alt_L", b"c"))
        for _ in range(runs):
            program = subprocess.Popen([os.path.abspath(app)], cwd=teba, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            try:
                window = _wait_for(env, "Exportar e importar datos entre Horavent y TEBA", 30)
                if not window:
                    return None
                time.sleep(1)  # until it is viewable, and Qt takes keys once it has made it its active window
                xlib.XSetInputFocus(connection, window, 2, 0)
                xlib.XFlush(connection)
                time.sleep(0.5)
                start = time.perf_counter()
                for code, down in ((alt, 1), (c, 1), (c, 0), (alt, 0)):
                    xtst.XTestFakeKeyEvent(connection, code, down, 0)
                xlib.XFlush(connection)
                if not _wait_for(env, REPORT_TITLE, 120):
                    return None
                times.append((time.perf_counter() - start) * 1000)
            finally:
                program.kill()
                program.wait()
        return statistics.median(times)
    finally:
        if connection:
            xlib.XCloseDisplay(connection)
        server.kill()
        server.wait()
        shutil.rmtree(prefix, ignore_errors=True)


def windows(teba, work, runs):
    """Per build of build-win32/ and build-win64/: (arch, milliseconds, median of `runs`)."""
    results = []
    if not shutil.which("xvfb-run"):
        return results
    for arch, bits in (("win32", "32"), ("win64", "64")):
        tool = os.path.join(ROOT, f"build-{arch}", "win32", "TransHoraventTEBA.exe")
        meter = os.path.join(ROOT, f"build-{arch}", "bench", "tht-bench-window.exe")
        if not (os.path.exists(tool) and os.path.exists(meter)):
            continue
        prefix = tempfile.mkdtemp(prefix=f"tht-bench-report{bits}-")
        runner = os.path.join(ROOT, "tests", "support", "wine-run")
        try:
            subprocess.run(["sh", runner, bits, prefix, "--setup"], check=True,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            shutil.copytree(work, os.path.join(prefix, "drive_c", "HTEMP"))  # C:\HTEMP
            command = ["sh", os.path.join(ROOT, "tests", "support", "wine-window-run"), bits, prefix, meter,
                       "Z:" + tool.replace("/", "\\"), str(runs), "--report", "Z:" + teba.replace("/", "\\")]
            output = subprocess.run(command, stdin=subprocess.DEVNULL, capture_output=True, text=True).stdout.split()
            if output[-2:-1] == ["median"]:
                results.append((arch, float(output[-1])))
        finally:
            subprocess.run(["sh", runner, bits, prefix, "--teardown"], stderr=subprocess.DEVNULL)
            shutil.rmtree(prefix, ignore_errors=True)
    return results


def table(size, lines, qt_ms, windows_ms):
    """The rows as Markdown; None when nothing was measured."""
    rows = ([("Qt (Linux)", qt_ms)] if qt_ms is not None else []) + \
        [(f"{arch} under Wine", ms) for arch, ms in windows_ms]
    if not rows:
        return None
    return "\n".join(["| window | size | lines | report window open: from Alt+C to its text shown, median |",
                      "|---|---|---|---|"] +
                     [f"| {name} | {size}x | {lines} | {ms:.0f} ms |" for name, ms in rows])
