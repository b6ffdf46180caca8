"""Runs every end-to-end test: functions named test_* in tests/e2e/test_*.py, each given the
shared display as its parameter `desktop`. Prints one line per test and a closing
'e2e: N passed, N failed' line.

    python3 tests/e2e/run.py [-k substring]"""

import argparse
import importlib.util
import inspect
import sys
import time
import traceback
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import harness  # noqa: E402


def discover(selector):
    for path in sorted(HERE.glob("test_*.py")):
        spec = importlib.util.spec_from_file_location(path.stem, path)
        module = importlib.util.module_from_spec(spec)
        spec.loader.exec_module(module)
        for name, fn in inspect.getmembers(module, inspect.isfunction):
            if name.startswith("test_") and fn.__module__ == module.__name__:
                full = f"{path.stem}.{name}"
                if not selector or selector in full:
                    yield full, fn, fn.__code__.co_firstlineno


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("-k", default="", help="run only tests whose name contains this")
    args = parser.parse_args()

    tests = sorted(discover(args.k), key=lambda t: (t[0].split(".")[0], t[2]))
    desktop = harness.Desktop()
    passed = failed = 0
    try:
        for name, fn, _ in tests:
            start = time.monotonic()
            try:
                fn(desktop)
                passed += 1
                print(f"[ PASS ] {name} ({time.monotonic() - start:.1f} s)", flush=True)
            except Exception as e:  # noqa: BLE001 - every failure is reported, the run goes on
                failed += 1
                print(f"[ FAIL ] {name} ({time.monotonic() - start:.1f} s): {e}", flush=True)
                traceback.print_exc(file=sys.stdout)
                try:
                    desktop.screenshot(f"failed-{name}.png")
                except Exception:  # noqa: BLE001
                    pass
            for proc in desktop.started:
                proc.kill()
                proc.wait(10)
            desktop.started.clear()
    finally:
        desktop.close()
    print(f"e2e: {passed} passed, {failed} failed")
    return 0 if failed == 0 and passed > 0 else 1


if __name__ == "__main__":
    sys.exit(main())
