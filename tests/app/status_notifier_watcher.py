'''The watcher of a notification area that draws its items and their menus itself: a host is
registered, and every item that registers is listed and announced.'''

import dbus

BUS_NAME = 'org.kde.StatusNotifierWatcher'
MAIN_OBJ = '/StatusNotifierWatcher'
MAIN_IFACE = 'org.kde.StatusNotifierWatcher'
SYSTEM_BUS = False


def load(mock, parameters):
    mock.AddProperties(MAIN_IFACE, {
        'IsStatusNotifierHostRegistered': dbus.Boolean(True),
        'ProtocolVersion': dbus.Int32(0),
        'RegisteredStatusNotifierItems': dbus.Array([], signature='s'),
    })
    mock.AddMethods(MAIN_IFACE, [
        ('RegisterStatusNotifierItem', 's', '',
         'items = self.Get("%s", "RegisteredStatusNotifierItems"); '
         'self.Set("%s", "RegisteredStatusNotifierItems", dbus.Array(items + [args[0]], signature="s")); '
         'self.EmitSignal("%s", "StatusNotifierItemRegistered", "s", [args[0]])'
         % (MAIN_IFACE, MAIN_IFACE, MAIN_IFACE)),
        ('RegisterStatusNotifierHost', 's', '', ''),
    ])
