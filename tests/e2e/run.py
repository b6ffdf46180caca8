# Runs every end-to-end test: the functions test_* of tests/e2e/test_*.py, in file order, each on a
# desktop of its own (a display and a copy of the run's one Wine prefix, given in GLUMA_WINEPREFIX
# or made here), so that a failing test leaves nothing to the next. Each runs on the release build
# (i686), under emulation where the kernel runs no 32-bit code, or on x86_64 with GLUMA_ARCH=x86_64.
# The build's first tray icon on a fresh desktop, against a fast machine's, scales the tests'
# waits. Prints one line per test, a line naming the tests when they did not run on the shipped
# build, and 'e2e BUILD: N passed, N failed, N skipped'.   python3 tests/e2e/run.py [-k substring]
import collections, importlib, os, shutil, sys, time, traceback
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import harness  # noqa: E402
from program import App  # noqa: E402

selector = sys.argv[2] if sys.argv[1:2] == ["-k"] else ""
modules = [importlib.import_module(path.stem) for path in sorted(HERE.glob("test_*.py"))]
tests = [(f"{m.__name__}.{name}", fn) for m in modules for name, fn in vars(m).items()  # in file order
         if name.startswith("test_") and callable(fn) and selector in f"{m.__name__}.{name}"]
prefix = Path(os.environ.get("GLUMA_WINEPREFIX") or harness.OUT / "wineprefix-made")
os.environ.get("GLUMA_WINEPREFIX") or harness.make_prefix(prefix)
counts, arch = collections.Counter(), harness.ARCH  # outcome: tests
harness.PACE, desktop, start = 30, harness.Desktop(prefix), time.monotonic()
try:
    App(desktop)
finally:
    desktop.close()
harness.PACE = max(1.0, (time.monotonic() - start) / harness.ICON_SECONDS)
print(f"{arch}: first icon after {time.monotonic() - start:.1f} s: waits x{harness.PACE:.1f}", flush=True)
for name, fn in tests:
    desktop, start = harness.Desktop(prefix), time.monotonic()
    try:
        fn(desktop)
        outcome, why = "passed", ""
    except harness.Skip as e:
        outcome, why = "skipped", f": {e}"
    except Exception as e:  # noqa: BLE001 - every failure is reported, the run goes on
        outcome, why = "failed", f": {e}"
        traceback.print_exc(file=sys.stdout)
        desktop.screenshot(f"failed-{name}.png")
    finally:
        desktop.close()
    counts[outcome] += 1
    print(f"[ {outcome[:4].upper()} ] {name} ({arch}, {time.monotonic() - start:.1f} s){why}", flush=True)
os.environ.get("GLUMA_WINEPREFIX") or shutil.rmtree(prefix, ignore_errors=True)
if arch != "i686":
    print(f"e2e: not run on the shipped build/i686, but on build/{arch}: {', '.join(name for name, _ in tests)}")
print(f"e2e {arch}: " + ", ".join(f"{counts[outcome]} {outcome}" for outcome in ("passed", "failed", "skipped")))
sys.exit(0 if tests and not counts["failed"] else 1)
