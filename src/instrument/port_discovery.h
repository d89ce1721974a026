#pragma once

// Where the instrument may be: the machine's serial devices and the virtual ports that running
// simulators announce.
//
// Announcements live in VirtualPortsFolder(): $XDG_RUNTIME_DIR/kestrova/ports, else Qt's
// runtime location + /kestrova/ports, else /tmp/kestrova-<uid>/ports. Each announcement is one
// file "<name>.port" holding the pty device path on its first line and the owner's process id
// on the second. An announcement whose device is gone or whose owner has died is ignored.
//
// Port names are what the user sees: the device path without "/dev/" (ttyUSB0, ttyACM0,
// pts/4); PortDevicePath turns a name back into the path to open.

#include "serial_port.h"

#include <QString>
#include <QStringList>

namespace kestrova {

QString VirtualPortsFolder();
// Writes the announcement for device into folder (created as needed); returns the file path
// or an empty string when it could not be written.
QString AnnounceVirtualPort(const QString &device, const QString &folder = VirtualPortsFolder());
bool WithdrawVirtualPort(const QString &announcementFile);
// Device paths of the live announcements in folder, sorted.
QStringList AnnouncedVirtualPorts(const QString &folder = VirtualPortsFolder());

QString PortNameForDevice(const QString &device);
QString PortDevicePath(const QString &portName);

// Stable order: system devices first, by name with numbers compared as numbers (ttyS2 before
// ttyS10), then the virtual ports; duplicates dropped.
QStringList OrderedPortNames(const QStringList &systemDevices, const QStringList &virtualDevices);

// The serial devices Qt finds, plus the announced virtual ports.
QStringList ListSerialPortNames();
// The same as comma-separated text.
QString ListSerialPorts();

enum class PortAvailability {
    Available,      // can be opened and closed now
    InUse,          // exists but another program holds it, or it refuses to open
    NoPermission,   // exists but this user may not open it
    NotFound,
};
PortAvailability CheckPortAvailability(const QString &portName,
                                       const SerialPortFactory &factory = DefaultSerialPortFactory());
// "Disponível", "Não disponível", "Sem permissão de acesso", "Não encontrada".
QString PortAvailabilityText(PortAvailability availability);
// The explanation to show with NoPermission.
QString PortPermissionHint();

} // namespace kestrova
