# Runs every end-to-end test: the functions test_* of tests/e2e/test_*.py, in file order, each
# given the shared display as its parameter `desktop`. Prints one line per test and a closing
# 'e2e: N passed, N failed' line.   python3 tests/e2e/run.py [-k substring]
import importlib
import sys
import time
import traceback
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import harness  # noqa: E402

selector = sys.argv[2] if sys.argv[1:2] == ["-k"] else ""
modules = [importlib.import_module(path.stem) for path in sorted(HERE.glob("test_*.py"))]
tests = [(f"{m.__name__}.{name}", fn) for m in modules for name, fn in vars(m).items()  # in file order
         if name.startswith("test_") and callable(fn) and selector in f"{m.__name__}.{name}"]
desktop = harness.Desktop()
failed = skipped = 0
for name, fn in tests:
    start = time.monotonic()
    try:
        fn(desktop)
        print(f"[ PASS ] {name} ({time.monotonic() - start:.1f} s)", flush=True)
    except harness.Skip as why:
        skipped += 1
        print(f"[ SKIP ] {name}: {why}", flush=True)
    except Exception as e:  # noqa: BLE001 - every failure is reported, the run goes on
        failed += 1
        print(f"[ FAIL ] {name} ({time.monotonic() - start:.1f} s): {e}", flush=True)
        traceback.print_exc(file=sys.stdout)
        desktop.screenshot(f"failed-{name}.png")
    for proc in desktop.started:  # whatever the test left running
        proc.kill()
    for _ in range(20 if desktop.started else 0):  # Wine's tray drops a dead program's icon when
        if not any(desktop.tray_slots()):         # the mouse passes over it
            break
        desktop.xdotool("mousemove", "--window", desktop.tray_window(), 9, 9, "sleep", 0.3, "mousemove_relative", 1, 1)
    desktop.started.clear()
desktop.close()
print(f"e2e: {len(tests) - failed - skipped} passed, {failed} failed, {skipped} skipped")
sys.exit(0 if len(tests) > skipped and not failed else 1)
