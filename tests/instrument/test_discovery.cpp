#include <fake_serial_port.h>
#include <port_discovery.h>

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <sys/wait.h>
#include <unistd.h>

using namespace kestrova;

TEST(PortDiscovery, StableOrderSystemFirstThenVirtual)
{
    const QStringList names = OrderedPortNames(
        {"/dev/ttyUSB1", "/dev/ttyS10", "/dev/ttyACM0", "/dev/ttyS2", "/dev/ttyUSB0", "/dev/ttyS2"},
        {"/dev/pts/12", "/dev/pts/3"});
    EXPECT_EQ(names, QStringList({"ttyACM0", "ttyS2", "ttyS10", "ttyUSB0", "ttyUSB1", "pts/3", "pts/12"}));
}

TEST(PortDiscovery, NamesAndDevicePaths)
{
    EXPECT_EQ(PortNameForDevice("/dev/ttyUSB0"), QStringLiteral("ttyUSB0"));
    EXPECT_EQ(PortNameForDevice("/dev/pts/4"), QStringLiteral("pts/4"));
    EXPECT_EQ(PortDevicePath("pts/4"), QStringLiteral("/dev/pts/4"));
    EXPECT_EQ(PortDevicePath("/tmp/x"), QStringLiteral("/tmp/x"));
    EXPECT_TRUE(VirtualPortsFolder().startsWith(qEnvironmentVariable("XDG_RUNTIME_DIR")));
    EXPECT_TRUE(VirtualPortsFolder().endsWith("/kestrova/ports"));
}

TEST(PortDiscovery, AnnouncementsIgnoreStaleEntries)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString folder = dir.path() + "/ports";
    const QString device = dir.path() + "/fake-tty";
    QFile(device).open(QIODevice::WriteOnly);

    const QString file = AnnounceVirtualPort(device, folder);
    ASSERT_FALSE(file.isEmpty());
    EXPECT_EQ(AnnouncedVirtualPorts(folder), QStringList({device}));

    // A simulator that died without cleaning up, and one whose device is gone.
    pid_t child = fork();
    if (child == 0)
        _exit(0);
    waitpid(child, nullptr, 0);
    const auto writeAnnouncement = [&](const QString &name, const QByteArray &content) {
        QFile f(folder + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    };
    writeAnnouncement("dead.port", device.toLocal8Bit() + "\n" + QByteArray::number(child) + "\n");
    writeAnnouncement("gone.port", dir.path().toLocal8Bit() + "/no-such-tty\n" + QByteArray::number(getpid()) + "\n");
    writeAnnouncement("broken.port", "only one line");
    EXPECT_EQ(AnnouncedVirtualPorts(folder), QStringList({device}));

    EXPECT_TRUE(WithdrawVirtualPort(file));
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_TRUE(AnnouncedVirtualPorts(folder).isEmpty());
}

TEST(PortDiscovery, AvailabilityOfPorts)
{
    QTemporaryDir dir;
    const QString device = dir.path() + "/ttyFAKE0";
    QFile(device).open(QIODevice::WriteOnly);
    FakePorts ports;
    ports.Line(device);
    EXPECT_EQ(CheckPortAvailability(device, ports.Factory()), PortAvailability::Available);
    ports.Line(device)->openError = SerialPermission;   // locked by another program
    EXPECT_EQ(CheckPortAvailability(device, ports.Factory()), PortAvailability::InUse);
    EXPECT_EQ(CheckPortAvailability(dir.path() + "/ttyNONE", ports.Factory()), PortAvailability::NotFound);

    EXPECT_EQ(PortAvailabilityText(PortAvailability::Available), QStringLiteral("Disponível"));
    EXPECT_EQ(PortAvailabilityText(PortAvailability::InUse), QStringLiteral("Não disponível"));
    EXPECT_EQ(PortAvailabilityText(PortAvailability::NoPermission), QStringLiteral("Sem permissão de acesso"));
}

TEST(PortDiscovery, PortWithoutRightsIsReportedAsSuch)
{
    // The device must sit in a folder every user may traverse, owned by someone else.
    QTemporaryFile file(QDir::tempPath() + "/kestrova-tty-XXXXXX");
    ASSERT_TRUE(file.open());
    ASSERT_TRUE(QFile::setPermissions(file.fileName(), QFile::ReadOwner | QFile::WriteOwner));
    const QString device = file.fileName();
    FakePorts ports;
    ports.Line(device);
    if (geteuid() != 0) {
        // Owned by us: only a mode without rights keeps us out.
        ASSERT_TRUE(QFile::setPermissions(device, QFileDevice::Permissions()));
        EXPECT_EQ(CheckPortAvailability(device, ports.Factory()), PortAvailability::NoPermission);
        return;
    }
    // Root may open anything: ask as an unprivileged user in a child process.
    pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(100);
        _exit(static_cast<int>(CheckPortAvailability(device, ports.Factory())));
    }
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_NE(WEXITSTATUS(status), 100);
    EXPECT_EQ(WEXITSTATUS(status), static_cast<int>(PortAvailability::NoPermission));
}
