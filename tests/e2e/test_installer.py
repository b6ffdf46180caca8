# The setup program (scripts/package) under Wine: a silent install puts everything where it belongs,
# the installed program runs, a silent reinstall over it keeps "start at sign-in" unchecked, a silent
# uninstall ends the program and leaves nothing behind; and a picture of the first page to look at.
import re, subprocess, time
from pathlib import Path

import harness
from harness import BUILD, OUT, ROOT, WINE, Skip, wait_for
from program import App

KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion"
VERSION = ".".join(re.findall(r"#define GLUMA_VERSION_M\w+ (\d+)", (ROOT / "resources/version.h").read_text()))
SETUP = ROOT / "dist" / f"GlumaNote-{VERSION}-setup.exe"


def test_install_and_remove(d):
    # The setup program is 32-bit, whatever build the run tests (the shell's "Exec format error"
    # where the kernel runs no 32-bit code).
    if subprocess.run(["sh", "-c", "/usr/lib/wine/wine --version"], capture_output=True).returncode:
        raise Skip("this machine cannot run 32-bit Windows programs")
    # Wine writes non-ASCII file names (说明.txt, 桌面格卢玛.lnk) only under a UTF-8 Linux locale of
    # the name it is given, which need not be installed here: compile one into OUT. No Linux menus.
    (OUT / "zh_CN.UTF-8").exists() or subprocess.run(["localedef", "-i", "zh_CN", "-f", "UTF-8", str(OUT / "zh_CN.UTF-8")])
    d.env.update(LOCPATH=str(OUT), WINEDLLOVERRIDES=d.env["WINEDLLOVERRIDES"] + ";winemenubuilder.exe=d")
    run = lambda *a: d.run([WINE["i686"], *map(str, a)])
    values = lambda key: dict(re.findall(r"^ {4}(\S+) +REG_\w+ +(.*?)\r?$", d.reg("query", rf"{KEY}\{key}"), re.M))
    unix = lambda path: Path(d.env["WINEPREFIX"], "drive_c") / path[3:].replace("\\", "/")  # C:\...
    state = lambda: {*map(str, (Path(d.env["WINEPREFIX"], "drive_c")).rglob("*")), *d.reg("query", KEY, "/s").splitlines()}
    before = state()
    run(SETUP, "/S")
    folder = (entry := values(r"Uninstall\GlumaNote"))["InstallLocation"]
    exe, uninstaller = folder + r"\GlumaNote.exe", folder + r"\uninstall.exe"
    assert entry == {"DisplayName": '"ZQ"桌面格卢玛', "DisplayVersion": VERSION, "Publisher": "ZQ", "DisplayIcon": f'"{exe}",0',
                     "EstimatedSize": entry["EstimatedSize"], "InstallLocation": folder, "UninstallString": f'"{uninstaller}"',
                     "QuietUninstallString": f'"{uninstaller}" /S', "NoModify": "0x1", "NoRepair": "0x1"}
    sizes = {p.name: p.stat().st_size for p in unix(folder).iterdir()}  # EstimatedSize is in KB
    assert sizes.keys() == {"GlumaNote.exe", "Gluma Note.chm", "说明.txt", "uninstall.exe"} and abs(int(entry["EstimatedSize"], 16) - sum(sizes.values()) / 1024) < 8, sizes
    assert unix(exe).read_bytes() == (BUILD / "i686/GlumaNote.exe").read_bytes() and values("Run")["GlumaNote"] == f'"{exe}"'
    assert folder.endswith(r"\AppData\Local\Programs\GlumaNote") and (  # per user; the Start menu's shortcut
        unix(folder).parents[2] / "Roaming/Microsoft/Windows/Start Menu/Programs/桌面格卢玛.lnk").exists(), folder
    app = App(d, exe=unix(exe))  # waits for its tray icon
    d.reg("delete", rf"{KEY}\Run", "/v", "GlumaNote", "/f")  # as if "start at sign-in" was unchecked
    run(SETUP, "/S")  # over the running program, which it ends
    assert wait_for(lambda: app.proc.poll() is not None, timeout=10, what="GlumaNote to end") and "GlumaNote" not in values("Run"), values("Run")
    app = App(d, exe=unix(exe))
    run(uninstaller, "/S")  # the QuietUninstallString
    wait_for(lambda: app.proc.poll() is not None, timeout=10, what="the uninstaller to end GlumaNote")
    deadline = time.monotonic() + 20 * harness.PACE  # the uninstaller's copy of itself in the temporary folder goes last
    while (left := state() - before) and time.monotonic() < deadline:
        time.sleep(1)
    assert not left, f"left behind: {sorted(left)}"
    page = subprocess.Popen([WINE["i686"], str(SETUP)], env=d.env)  # found, then a second to paint
    d.started.append(page)
    wait_for(lambda: d.run(["xdotool", "search", "--name", "格卢玛 安装"], check=False).stdout and not time.sleep(1),
             timeout=30, what="the installer's first page")
    d.screenshot("installer.png")
