# SPDX-License-Identifier: MIT
"""The window over the accessibility bus, as a screen reader sees it.

Starts the program with the accessibility bridge on, finds it through AT-SPI (pyatspi), walks
its tree and looks for the named controls with their roles. Then asks every object for all its
properties at once (org.freedesktop.DBus.Properties.GetAll, with and without the interface
argument) and checks that the program is still there and still answers.
Run under an X server and a private session bus: tests/window/atspi-check <program>.

Qt 5's bridge registers with the registry in one call and never again when that call fails.
It failed (2 runs in 14, "Error in contacting registry: Disconnected") when this check ran
beside another one: without XDG_RUNTIME_DIR every session's accessibility bus has its socket at
~/.cache/at-spi/bus_<display>, and a session ending or starting on a display number just freed
takes the socket of the other. atspi-check gives each run a runtime folder of its own, and the
bus and its registry are started and asked here before the program starts, so that the program
meets a bus that is up. When the program does not show, the check says which step failed: the
program ended, it never connected to the accessibility bus (and whether the bus's socket is
gone), or it connected and the registry does not list it.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import Gio, GLib

# (name, role) pairs that must be in the tree. Roles are compared, not their names: the names
# are the client library's (at-spi2-core 2.46 says "push button", 2.56 "button").
EXPECTED = [
    ("Калькулятор расчета кабинета ОТ", pyatspi.ROLE_FRAME),
    ("Площадь кабинета м2", pyatspi.ROLE_TEXT),
    ("Стоимость", pyatspi.ROLE_TEXT),
    ("Пустые витрины", pyatspi.ROLE_TEXT),
    ("Учебные места", pyatspi.ROLE_TEXT),
    ("Учебные места", pyatspi.ROLE_CHECK_BOX),
    ("уровень комфорта", pyatspi.ROLE_SLIDER),
    ("Комплектация кабинета", pyatspi.ROLE_PANEL),
    ("Компьютерная сеть", pyatspi.ROLE_PANEL),
    ("Мебель", pyatspi.ROLE_PANEL),
    ("ПРЕМИУМ-КЛАСС", pyatspi.ROLE_RADIO_BUTTON),
    ("Стенды и лозунги", pyatspi.ROLE_CHECK_BOX),
    ("ВЕДРАМО", pyatspi.ROLE_LINK),
    ("Магазин плакатов", pyatspi.ROLE_LINK),
    ("Рассчитать", pyatspi.ROLE_PUSH_BUTTON),
    ("Краткое описание комплектующих кабинета", pyatspi.ROLE_TEXT),
]

# What a screen reader reads from single objects: (name, role, what, expected).
READ = [
    ("Площадь кабинета м2", pyatspi.ROLE_TEXT, "attribute run", (0, 4)),  # "0,00" whole
    ("уровень комфорта", pyatspi.ROLE_SLIDER, "value", 10.0),  # the percentage, not the position
    ("Закрыть", pyatspi.ROLE_PUSH_BUTTON, "has a description", True),
]

GET_ALL_ARGS = [GLib.Variant("(s)", ("org.a11y.atspi.Accessible",)), None]


def role_name(role):
    return pyatspi.Atspi.role_get_name(role)


REGISTRY = "org.a11y.atspi.Registry"
ROOT = "/org/a11y/atspi/accessible/root"


def call(bus, name, path, interface, method, args=None, reply=None, timeout_ms=5000):
    return bus.call_sync(name, path, interface, method, args,
                         GLib.VariantType(reply) if reply else None, 0, timeout_ms, None).unpack()


def registry_children(bus):
    """The applications the registry lists, asked over D-Bus: (bus name, path) pairs."""
    return call(bus, REGISTRY, ROOT, "org.a11y.atspi.Accessible", "GetChildren",
                reply="(a(so))")[0]


def start_registry(seconds=60):
    """Starts the accessibility bus and its registry and waits until the registry answers.
    Gives the bus and how long that took, or None and why not."""
    start = time.time()
    error = None
    while time.time() < start + seconds:
        try:
            bus = a11y_bus()
            registry_children(bus)
            return bus, time.time() - start, None
        except GLib.GError as e:
            error = e.message
            time.sleep(0.2)
    return None, time.time() - start, error


def why_not_shown(proc, bus):
    """Which step of showing on the bus the program missed."""
    if proc.poll() is not None:
        return f"the program ended ({proc.returncode}) before it showed on the accessibility bus"
    names = [n for n in call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus",
                             "org.freedesktop.DBus", "ListNames", reply="(as)")[0]
             if n.startswith(":")]
    own = []
    for name in names:
        try:
            if call(bus, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                    "GetConnectionUnixProcessID", GLib.Variant("(s)", (name,)),
                    "(u)")[0] == proc.pid:
                own.append(name)
        except GLib.GError:
            pass
    if not own:
        socket = bus_socket()
        if socket and not os.path.exists(socket):
            return (f"the program runs but never connected to the accessibility bus: its socket "
                    f"{socket} is gone (another session's bus on the same path ended)")
        return ("the program runs but never connected to the accessibility bus "
                "(it did not find the bus, or gave up asking for its address)")
    listed = [n for n, _ in registry_children(bus)]
    if not any(n in listed for n in own):
        return (f"the program is on the accessibility bus ({', '.join(own)}) but the registry "
                f"does not list it (its registration failed): registry lists {listed}")
    return (f"the registry lists the program ({', '.join(own)}) but the client library does "
            "not show it")


def find_app(pid, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except GLib.GError:
                pass
        time.sleep(0.2)
    return None


def walk(node, out, depth=0):
    if depth > 30:
        return
    try:
        out.append((node.name, node.getRole(), node))
        for child in node:
            if child is not None:
                walk(child, out, depth + 1)
    except GLib.GError:
        pass


def read(node, what):
    if what == "attribute run":
        _, start, end = node.queryText().getAttributeRun(0, False)
        return (start, end)
    if what == "value":
        return node.queryValue().currentValue
    return bool(node.description)


def results_told(nodes):
    """Presses "Рассчитать" and listens for the results: once, on the button, with the text in
    the event as screen readers speak it (an announcement, or before Qt 6.8 the button's
    changed description), holding the price field's text."""
    told = []
    pyatspi.Registry.registerEventListener(
        lambda e: told.append((e.source.name, e.any_data)),
        "object:property-change:accessible-description", "object:announcement")
    button = next(node for name, role, node in nodes
                  if (name, role) == ("Рассчитать", pyatspi.ROLE_PUSH_BUTTON))
    action = button.queryAction()
    action.doAction(next(i for i in range(action.nActions) if action.getName(i).lower() == "press"))
    context = GLib.MainContext.default()
    end = time.time() + 10
    while time.time() < end and not any(isinstance(d, str) for _, d in told):
        context.iteration(False)
        time.sleep(0.01)
    end = time.time() + 1  # a second telling would come within this
    while time.time() < end:
        context.iteration(False)
        time.sleep(0.01)
    spoken = [d for n, d in told if isinstance(d, str)]
    price = next(node for name, role, node in nodes
                 if (name, role) == ("Стоимость", pyatspi.ROLE_TEXT)).queryText().getText(0, -1)
    if len(spoken) != 1 or not price or price.strip() not in spoken[0] or \
            any(n != "Рассчитать" for n, d in told if isinstance(d, str)):
        return [f"the results are not told once on the button: {told!r}, price {price!r}"]
    print(f"told: {spoken[0]}")
    return []


def a11y_address():
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    return call(session, "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                reply="(s)")[0]


def bus_socket():
    """The file of the accessibility bus's socket, None for an abstract one."""
    for part in a11y_address().split(","):
        if part.startswith("unix:path="):
            return GLib.uri_unescape_string(part[len("unix:path="):], None)
    return None


def a11y_bus():
    return Gio.DBusConnection.new_for_address_sync(
        a11y_address(), Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
        Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)


def check(program):
    failures = []
    bus, took, error = start_registry()
    if bus is None:
        return [f"the accessibility registry did not answer within {took:.0f} s: {error}"]
    print(f"the accessibility registry answered after {took:.1f} s")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    started = time.time()
    proc = subprocess.Popen([program], env=env)
    try:
        app = find_app(proc.pid)
        if app is None:
            return [f"the program does not show on the accessibility bus after "
                    f"{time.time() - started:.0f} s: {why_not_shown(proc, bus)}"]
        print(f"the program showed on the bus after {time.time() - started:.1f} s")
        nodes = []
        walk(app, nodes)
        print(f"{len(nodes)} accessible objects, {sum(1 for n, _, _ in nodes if n)} named")
        found = {(name, role) for name, role, _ in nodes}
        failures += [f"missing ({name!r}, {role_name(role)!r})"
                     for name, role in EXPECTED if (name, role) not in found]
        qt = tuple(int(n) for n in app.get_toolkit_version().split(".")[:2])
        print(f"Qt {app.get_toolkit_version()}")
        for name, role, what, want in READ:
            if what == "attribute run" and qt >= (6, 8):
                continue  # Qt's own edit interface, whose runs are empty; Orca 48 reads it whole
            got = [read(node, what) for n, r, node in nodes if (n, r) == (name, role)]
            if got != [want]:
                failures.append(f"{name} {role_name(role)}: {what} {got!r}, not {want!r}")
        failures += results_told(nodes)

        calls = errors = 0
        for obj in [app] + [node for _, _, node in nodes]:
            for args in GET_ALL_ARGS:
                calls += 1
                try:
                    bus.call_sync(app.app.bus_name, obj.path, "org.freedesktop.DBus.Properties",
                                  "GetAll", args, None, 0, 5000, None)
                except GLib.GError as e:
                    errors += 1
                    if "UnknownMethod" not in e.message:
                        failures.append(f"GetAll on {obj.path}: {e.message}")
                        break
            if proc.poll() is not None:
                break
        print(f"{calls} GetAll calls, {errors} answered with an error")
        if proc.poll() is not None:
            failures.append(f"the program ended ({proc.returncode}) after GetAll")
        elif app[0].name != "Калькулятор расчета кабинета ОТ":
            failures.append("the window no longer answers after GetAll")
    finally:
        if proc.poll() is None:
            proc.terminate()
            proc.wait(10)
    return failures


failures = check(sys.argv[1])
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
