#!/usr/bin/env python3
"""The control under input from the window system: vantil-host --window on the xcb platform of
an X server of its own, keys and clicks sent by xdotool as a user's arrive. The host runs its
event loop only inside "wait EVENT", so every input is sent after the host says "waiting".

Usage: real_input.py VANTIL_HOST [ime]   (run under xvfb-run; exit 77 when a tool is missing)
"""
import os
import queue
import shutil
import subprocess
import sys
import threading

SKIP = 77
# A watchdog, not a wait: every answer of the host comes within a second or two. The window
# system does not promise to deliver input sent while a window is still being mapped, so a
# session whose input never arrived is run once more instead of hanging until CTest ends it.
STUCK_AFTER_S = 20
HOSTS = []


class Stuck(Exception):
    pass


class Host:
    def __init__(self, exe, env=None):
        self.p = subprocess.Popen([exe, "--window"], stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                  text=True, bufsize=1, env=env)
        self.events = []
        self.lines = queue.Queue()
        threading.Thread(target=self._read, daemon=True).start()
        HOSTS.append(self)

    def _read(self):
        for line in self.p.stdout:
            self.lines.put(line)
        self.lines.put("")

    def _line(self):
        try:
            line = self.lines.get(timeout=STUCK_AFTER_S)
        except queue.Empty:
            raise Stuck() from None
        if not line:
            raise RuntimeError("vantil-host ended")
        return line.rstrip("\n")

    def cmd(self, line):
        """Sends one command and answers its result line (event lines are kept)."""
        self.p.stdin.write(line + "\n")
        self.p.stdin.flush()
        while True:
            out = self._line()
            if out.startswith("event "):
                self.events.append(out[6:])
            else:
                return out

    def wait_for(self, event, action):
        """Runs `action` (the input) once the host's loop runs, then waits for `event`."""
        if os.environ.get("REAL_INPUT_TRACE"):
            print("wait", event, self.events[-3:], flush=True)
        self.p.stdin.write("wait " + event + "\n")
        self.p.stdin.flush()
        while self._line() != "waiting " + event:
            pass
        action()
        while True:
            out = self._line()
            if out.startswith("event "):
                self.events.append(out[6:])
            elif out == "ok":
                return
            else:
                raise RuntimeError("wait answered " + out)

    def close(self):
        try:
            self.p.stdin.close()
            self.p.wait(timeout=STUCK_AFTER_S)
        except (OSError, subprocess.TimeoutExpired):
            self.p.kill()
            self.p.wait()


def xdotool(args, **kwargs):
    # "--sync" waits for the window system to confirm: bounded by the same watchdog.
    try:
        return subprocess.run(["xdotool", *args], check=True, timeout=STUCK_AFTER_S, **kwargs)
    except subprocess.TimeoutExpired:
        print("xdotool %s got no answer" % " ".join(args[:2]), flush=True)
        raise Stuck() from None


def xdo(*args):
    xdotool(args, stdout=subprocess.DEVNULL)


def where(host):
    x, y, w, h = (int(v) for v in host.cmd("where").split())
    return x, y, w, h


def check(name, actual, expected):
    if actual != expected:
        print(f"FAIL {name}: {actual!r}, expected {expected!r}")
        return False
    print(f"ok   {name}")
    return True


def window_of(host):
    # The form is mapped once the host's first command ran its pending events.
    host.cmd("dropped")
    # xdotool ends with an X error when a window it walks past is destroyed under it (Qt makes
    # and drops windows of its own while starting): such a walk is asked again.
    for _ in range(100):
        try:
            out = xdotool(["search", "--sync", "--onlyvisible", "--name", "^vantil-host$"],
                          capture_output=True, text=True)
            return out.stdout.split()[0]
        except subprocess.CalledProcessError as e:
            if "X Error" not in e.stderr:
                raise
    raise Stuck()


def press_focus_and_drop(exe):
    """A click on the unfocused control with DropDownAtGotFocus opens the list and keeps it."""
    host = Host(exe)
    good = True
    try:
        win = window_of(host)
        xdo("windowfocus", "--sync", win)
        for t in ("一", "二", "三"):
            host.cmd(f'call AddItem , "{t}"')
        host.cmd("set DropDownAtGotFocus = True")
        host.cmd("blur")
        x, y, w, h = where(host)
        host.wait_for("MouseUp", lambda: xdo("mousemove", "--sync", str(x + 20),
                                             str(y + h // 2), "click", "1"))
        good &= check("DropDownAtGotFocus: the list stays open", host.cmd("dropped"), "True")
        good &= check("DropDownAtGotFocus: no cancel", any(e.startswith("CloseUp")
                                                           for e in host.events), False)
    finally:
        host.close()
    host = Host(exe)
    try:
        win = window_of(host)
        xdo("windowfocus", "--sync", win)
        host.cmd('call AddItem , "一"')
        host.cmd("set KillClickFocus = True")
        host.cmd("set DropDownAtGotFocus = True")
        host.cmd("blur")
        x, y, w, h = where(host)
        host.wait_for("MouseUp", lambda: xdo("mousemove", "--sync", str(x + 20),
                                             str(y + h // 2), "click", "1"))
        # Focus would have opened the list.
        good &= check("KillClickFocus: no focus taken", host.cmd("dropped"), "False")
        good &= check("KillClickFocus: only the mouse events",
                      [e.split()[0] for e in host.events if not e.startswith("MouseMove")],
                      ["MouseDown", "MouseUp"])
    finally:
        host.close()
    return good


def typing_into_the_open_list(exe):
    """Typed keys with the list open drop its row: Return keeps the typed text."""
    host = Host(exe)
    good = True
    try:
        win = window_of(host)
        xdo("windowfocus", "--sync", win)
        for t in ("abc", "abd"):
            host.cmd(f'call AddItem , "{t}"')
        host.cmd("focus")
        host.wait_for("DropDown", lambda: xdo("key", "F4"))
        host.wait_for("Click", lambda: xdo("key", "Down"))
        good &= check("Down in the open list", host.cmd("get ListIndex"), "0")
        host.wait_for("KeyPress", lambda: xdo("type", "x"))
        good &= check("typing drops the row", host.cmd("get ListIndex"), "-1")
        host.wait_for("CloseUp", lambda: xdo("key", "Return"))
        good &= check("Return keeps no row", host.cmd("get ListIndex"), "-1")
        # The committed row's text was selected whole, so the typed key replaced it.
        good &= check("BoundText is the typed text", host.cmd("get BoundText"), '"x"')
    finally:
        host.close()
    return good


def japanese_input_method(exe):
    """Hiragana typed through ibus-anthy and converted: the control's text is the kanji."""
    # The engine is a Python program found through PATH: the system's Python comes first.
    env = dict(os.environ, PATH="/usr/bin:/bin:" + os.environ.get("PATH", ""),
               QT_IM_MODULE="ibus", XMODIFIERS="@im=ibus")
    bus = subprocess.run(["dbus-launch", "--sh-syntax"], check=True, capture_output=True,
                         text=True, env=env).stdout
    for part in bus.split(";"):
        part = part.strip()
        if part.startswith("DBUS_SESSION_BUS_ADDRESS=") or part.startswith("DBUS_SESSION_BUS_PID="):
            name, value = part.split("=", 1)
            env[name] = value.strip("'")
    good = True
    try:
        subprocess.run(["ibus-daemon", "--xim", "--daemonize", "--replace", "--panel=disable",
                        "--cache=refresh"], check=True, env=env)
        # The daemon is ready once its name is on the bus.
        subprocess.run(["gdbus", "wait", "--session", "org.freedesktop.IBus"], check=True,
                       env=env)
        host = Host(exe, env)
        try:
            win = window_of(host)
            xdo("windowfocus", "--sync", win)
            host.cmd("focus")
            subprocess.run(["ibus", "engine", "anthy"], env=env)

            # One key at a time, each sent once the host runs its loop and answered by its
            # release reaching the control: the input method sees them in order.
            for key, code in (("ctrl+j", 74), ("n", 78), ("i", 73), ("h", 72), ("o", 79),
                              ("n", 78), ("space", 32)):
                host.wait_for(f"KeyUp {code}", lambda k=key: xdo("key", k))
            host.wait_for("ChangeText", lambda: xdo("key", "Return"))
            while host.events.count("ChangeText") < 2:
                host.wait_for("ChangeText", lambda: None)
            good &= check("ibus-anthy: にほん converted", host.cmd("get Text"), '"日本"')
        finally:
            host.close()
    finally:
        subprocess.run(["ibus", "exit"], env=env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        if env.get("DBUS_SESSION_BUS_PID"):
            subprocess.run(["kill", env["DBUS_SESSION_BUS_PID"]])
    return good


def ime_available():
    return (shutil.which("ibus-daemon") and shutil.which("dbus-launch") and
            shutil.which("gdbus") and os.path.exists("/usr/share/ibus/component/anthy.xml"))


def main():
    # Each line reaches the test log at once, also when CTest ends the run.
    sys.stdout.reconfigure(line_buffering=True)
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    if shutil.which("xdotool") is None or not os.environ.get("DISPLAY"):
        print("skipped: no X server or no xdotool")
        return SKIP
    exe = sys.argv[1]
    os.environ["QT_QPA_PLATFORM"] = "xcb"
    if sys.argv[2:] == ["ime"]:
        if not ime_available():
            print("skipped: no ibus with the anthy engine")
            return SKIP
        return 0 if japanese_input_method(exe) else 1
    good = run_session(press_focus_and_drop, exe)
    good &= run_session(typing_into_the_open_list, exe)
    return 0 if good else 1


def run_session(session, exe):
    """Runs one session; one whose input the window system never delivered runs once more."""
    for attempt in (1, 2):
        try:
            return session(exe)
        except Stuck:
            for h in HOSTS:
                h.p.kill()
            HOSTS.clear()
            print("input not delivered in %s (attempt %d)" % (session.__name__, attempt))
    return False


if __name__ == "__main__":
    sys.exit(main())
