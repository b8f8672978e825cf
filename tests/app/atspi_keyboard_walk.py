#!/usr/bin/python3
"""Drives the settings dialog of the program named by TV_PROGRAM with real keys and reads it
through AT-SPI, as a screen reader does, on the X server of DISPLAY and a session bus of its own.
Prints what it found on the standard error; exits 0 when every check held."""

import os
import subprocess
import sys
import time

from gi.repository import Gio, GLib

ACCESSIBLE = "org.a11y.atspi.Accessible"
ROOT = "/org/a11y/atspi/accessible/root"
STATE_FOCUSED = 12
STATE_SELECTED = 23
STATE_SHOWING = 25
CATEGORIES = ["ドライブ単位", "ファイル・ディレクトリ単位", "リムーバブル類の動作", "詳細設定",
              "スケジュール表示", "ネットワーク設定", "設定一覧", "保存先の閲覧", "活動ログ表示",
              "テストモード", "ヘルプ"]


def until(what, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = what()
        except GLib.Error:
            found = None
        if found:
            return found
        time.sleep(0.1)
    return None


class Bus:
    def __init__(self, address):
        flags = (Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
                 Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION)
        self.connection = Gio.DBusConnection.new_for_address_sync(address, flags, None, None)

    def call(self, node, interface, method, args=None, reply=None):
        result = self.connection.call_sync(node[0], node[1], interface, method, args,
                                           GLib.VariantType(reply) if reply else None,
                                           Gio.DBusCallFlags.NONE, 5000, None)
        return result.unpack() if result else None

    def children(self, node):
        return [tuple(child) for child in self.call(node, ACCESSIBLE, "GetChildren", None,
                                                    "(a(so))")[0]]

    def name(self, node):
        return self.call(node, "org.freedesktop.DBus.Properties", "Get",
                         GLib.Variant("(ss)", (ACCESSIBLE, "Name")), "(v)")[0]

    def role(self, node):
        return self.call(node, ACCESSIBLE, "GetRoleName", None, "(s)")[0]

    def has(self, node, state):
        words = self.call(node, ACCESSIBLE, "GetState", None, "(au)")[0]
        return bool(words[state // 32] & (1 << (state % 32)))

    # The nodes under node, depth first, passing over what is not on screen.
    def walk(self, node):
        for child in self.children(node):
            if not self.has(child, STATE_SHOWING):
                continue
            yield child
            yield from self.walk(child)

    def find(self, under, role, name):
        for node in self.walk(under):
            if self.role(node) == role and self.name(node) == name:
                return node
        return None

    def focused(self, under):
        for node in self.walk(under):
            if self.has(node, STATE_FOCUSED):
                return node
        return None


def key(*names):
    for name in names:
        subprocess.run(["xdotool", "key", name], check=True)
        time.sleep(0.15)


failures = []


def say(*what):
    print(*what, file=sys.stderr, flush=True)


def check(condition, what):
    say(("ok   " if condition else "FAIL ") + what)
    if not condition:
        failures.append(what)


def main(program):
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    address = until(lambda: session.call_sync(
        "org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress", None,
        GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE, 2000, None).unpack()[0])
    bus = Bus(address)
    registry = ("org.a11y.atspi.Registry", ROOT)
    bus.children(registry)  # starts the registry before the program looks for it
    # Qt exports to AT-SPI on X11 when told to, whether or not a screen reader is running.
    started = subprocess.Popen([program], env=dict(os.environ, QT_QPA_PLATFORM="xcb",
                                                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))
    try:
        dialog = until(lambda: next((app for app in bus.children(registry)
                                     if bus.find(app, "dialog", "設定ダイアログ")), None))
        check(dialog is not None, "the settings dialog is on the accessibility bus")
        if dialog is None:
            return
        categories = until(lambda: bus.find(dialog, "list", "設定項目"))
        check(categories is not None, "the category list is a list named 設定項目")
        items = bus.children(categories)
        check([bus.name(item) for item in items] == CATEGORIES, "its items are the categories")
        check(until(lambda: bus.has(items[0], STATE_FOCUSED)), "the first item has the focus")

        key("Down", "Down", "Down", "space")
        check(until(lambda: bus.has(items[3], STATE_SELECTED)), "Down and Space chose 詳細設定")
        names = []
        for _ in range(80):
            node = until(lambda: bus.focused(dialog), 5)
            if node is None or node == categories or node in items:
                break
            names.append((bus.role(node), bus.name(node)))
            key("Tab")
        say("Tab walk:", names)
        check(names and all(name for _, name in names), "every control Tab reaches is named")
        for expected in ["音声案内 する", "フォルダ選択", "サブフォルダも除外", "基準日",
                         "アイドリング時のみ実施", "設定", "キャンセル"]:
            check(any(name == expected for _, name in names), "Tab reaches " + expected)
    finally:
        started.terminate()
        started.wait(10)
        launcher.terminate()


if __name__ == "__main__":
    if "DBUS_SESSION_BUS_ADDRESS" not in os.environ:
        os.execvp("dbus-run-session", ["dbus-run-session", "--", sys.executable, __file__])
    main(os.environ["TV_PROGRAM"])
    say(f"{len(failures)} failed")
    sys.exit(1 if failures else 0)
