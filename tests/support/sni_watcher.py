#!/usr/bin/python3
"""A small StatusNotifierWatcher for tests: owns org.kde.StatusNotifierWatcher on the session bus,
reports that a host (a tray) is there, and keeps the list of registered items, dropping an item
when its owner leaves the bus or takes its name back. Runs until terminated."""

import signal
import sys

from gi.repository import Gio, GLib

NAME = "org.kde.StatusNotifierWatcher"
PATH = "/StatusNotifierWatcher"
XML = """
<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
</node>
"""

items = {}  # "bus name/path" -> bus name whose owner we watch
watches = {}


def emit(conn, name, value):
    conn.emit_signal(None, PATH, NAME, name, GLib.Variant("(s)", (value,)))


def drop(conn, entry):
    if entry in items:
        del items[entry]
        Gio.bus_unwatch_name(watches.pop(entry))
        emit(conn, "StatusNotifierItemUnregistered", entry)


def on_call(conn, sender, path, interface, method, params, invocation):
    if method == "RegisterStatusNotifierItem":
        service = params.unpack()[0]
        # An item names either its bus name (and sits at /StatusNotifierItem) or an object path
        # on the caller's own connection.
        if service.startswith("/"):
            bus_name, item_path = sender, service
        else:
            bus_name, item_path = service, "/StatusNotifierItem"
        entry = bus_name + item_path
        if entry not in items:
            items[entry] = bus_name
            watches[entry] = Gio.bus_watch_name_on_connection(
                conn, bus_name, Gio.BusNameWatcherFlags.NONE, None,
                lambda c, n, e=entry: drop(c, e))
            emit(conn, "StatusNotifierItemRegistered", entry)
    invocation.return_value(None)


def on_get(conn, sender, path, interface, prop):
    if prop == "RegisteredStatusNotifierItems":
        return GLib.Variant("as", list(items))
    if prop == "IsStatusNotifierHostRegistered":
        return GLib.Variant("b", True)
    if prop == "ProtocolVersion":
        return GLib.Variant("i", 0)
    return None


def main():
    loop = GLib.MainLoop()
    node = Gio.DBusNodeInfo.new_for_xml(XML)

    def on_bus(conn, name):
        conn.register_object(PATH, node.interfaces[0], on_call, on_get, None)

    def on_lost(conn, name):
        sys.exit("sni_watcher: could not own " + NAME)

    Gio.bus_own_name(Gio.BusType.SESSION, NAME, Gio.BusNameOwnerFlags.NONE, on_bus, None, on_lost)
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
    loop.run()


if __name__ == "__main__":
    main()
