#include "port_discovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSerialPortInfo>
#include <QStandardPaths>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <csignal>
#include <unistd.h>
#endif

namespace kestrova {

namespace {

const QString DevPrefix = QStringLiteral("/dev/");
const QString AnnouncementSuffix = QStringLiteral(".port");

bool ProcessAlive(qint64 pid)
{
#ifdef Q_OS_UNIX
    if (pid <= 0)
        return false;
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
#else
    return pid > 0;
#endif
}

// Name without its trailing number, and that number (-1 when none).
std::pair<QString, qint64> SplitTrailingNumber(const QString &name)
{
    qsizetype i = name.size();
    while (i > 0 && name[i - 1].isDigit())
        --i;
    if (i == name.size())
        return {name, -1};
    const QString digits = name.mid(i, 18);
    return {name.left(i), digits.toLongLong()};
}

bool NaturalLess(const QString &a, const QString &b)
{
    const auto [pa, na] = SplitTrailingNumber(a);
    const auto [pb, nb] = SplitTrailingNumber(b);
    if (pa != pb)
        return pa < pb;
    if (na != nb)
        return na < nb;
    return a < b;
}

} // namespace

QString VirtualPortsFolder()
{
    QString base = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (base.isEmpty() || !QFileInfo(base).isDir())
        base = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (base.isEmpty() || !QFileInfo(base).isDir()) {
#ifdef Q_OS_UNIX
        return QDir::tempPath() + QStringLiteral("/kestrova-%1/ports").arg(::getuid());
#else
        return QDir::tempPath() + QStringLiteral("/kestrova/ports");
#endif
    }
    return base + QStringLiteral("/kestrova/ports");
}

QString AnnounceVirtualPort(const QString &device, const QString &folder)
{
    if (!QDir().mkpath(folder))
        return {};
    QString name = PortNameForDevice(device);
    name.replace(QLatin1Char('/'), QLatin1Char('-'));
    const QString path = folder + QLatin1Char('/') + name + AnnouncementSuffix;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
#ifdef Q_OS_UNIX
    const qint64 pid = ::getpid();
#else
    const qint64 pid = 1;
#endif
    file.write(device.toLocal8Bit() + '\n' + QByteArray::number(pid) + '\n');
    return file.commit() ? path : QString();
}

bool WithdrawVirtualPort(const QString &announcementFile)
{
    return announcementFile.isEmpty() || QFile::remove(announcementFile) || !QFile::exists(announcementFile);
}

QStringList AnnouncedVirtualPorts(const QString &folder)
{
    QStringList devices;
    const QDir dir(folder);
    const QStringList files = dir.entryList({QStringLiteral("*") + AnnouncementSuffix}, QDir::Files, QDir::Name);
    for (const QString &f : files) {
        QFile file(dir.filePath(f));
        if (file.size() > 4096 || !file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = file.readAll().split('\n');
        if (lines.size() < 2)
            continue;
        const QString device = QString::fromLocal8Bit(lines[0]).trimmed();
        bool ok = false;
        const qint64 pid = lines[1].trimmed().toLongLong(&ok);
        if (device.isEmpty() || !ok || !QFileInfo::exists(device) || !ProcessAlive(pid))
            continue;
        if (!devices.contains(device))
            devices.append(device);
    }
    std::sort(devices.begin(), devices.end(), NaturalLess);
    return devices;
}

QString PortNameForDevice(const QString &device)
{
    return device.startsWith(DevPrefix) ? device.mid(DevPrefix.size()) : device;
}

QString PortDevicePath(const QString &portName)
{
    if (portName.isEmpty() || portName.startsWith(QLatin1Char('/')))
        return portName;
#ifdef Q_OS_UNIX
    return DevPrefix + portName;
#else
    return portName;
#endif
}

QStringList OrderedPortNames(const QStringList &systemDevices, const QStringList &virtualDevices)
{
    QStringList system;
    for (const QString &d : systemDevices)
        system.append(PortNameForDevice(d));
    std::sort(system.begin(), system.end(), NaturalLess);
    QStringList virt;
    for (const QString &d : virtualDevices)
        virt.append(PortNameForDevice(d));
    std::sort(virt.begin(), virt.end(), NaturalLess);
    QStringList result;
    for (const QString &n : system + virt)
        if (!n.isEmpty() && !result.contains(n))
            result.append(n);
    return result;
}

QStringList ListSerialPortNames()
{
    QStringList system;
    const auto infos = QSerialPortInfo::availablePorts();
    for (const QSerialPortInfo &info : infos)
        system.append(info.systemLocation());
    return OrderedPortNames(system, AnnouncedVirtualPorts());
}

QString ListSerialPorts()
{
    return ListSerialPortNames().join(QLatin1Char(','));
}

PortAvailability CheckPortAvailability(const QString &portName, const SerialPortFactory &factory)
{
    const QString device = PortDevicePath(portName);
    if (device.isEmpty())
        return PortAvailability::NotFound;
#ifdef Q_OS_UNIX
    const QByteArray path = QFile::encodeName(device);
    if (::access(path.constData(), F_OK) != 0)
        return PortAvailability::NotFound;
    if (::access(path.constData(), R_OK | W_OK) != 0)
        return errno == EACCES || errno == EPERM || errno == EROFS ? PortAvailability::NoPermission
                                                                  : PortAvailability::InUse;
#endif
    PortHandle port = factory();
    if (!port)
        return PortAvailability::InUse;
    if (!port->Open(device)) {
        switch (port->LastError()) {
        case SerialDeviceNotFound: return PortAvailability::NotFound;
#ifndef Q_OS_UNIX
        case SerialPermission: return PortAvailability::NoPermission;
#endif
        default: return PortAvailability::InUse;
        }
    }
    port->Close();
    return PortAvailability::Available;
}

QString PortAvailabilityText(PortAvailability availability)
{
    switch (availability) {
    case PortAvailability::Available: return QStringLiteral("Disponível");
    case PortAvailability::InUse: return QStringLiteral("Não disponível");
    case PortAvailability::NoPermission: return QStringLiteral("Sem permissão de acesso");
    case PortAvailability::NotFound: return QStringLiteral("Não encontrada");
    }
    return {};
}

QString PortPermissionHint()
{
    return QStringLiteral("O usuário não tem permissão para abrir a porta serial.\r"
                          "Peça ao administrador para incluí-lo no grupo \"dialout\" e entre novamente no sistema.");
}

} // namespace kestrova
