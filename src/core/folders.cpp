#include "folders.h"

#include "kestrova_version.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace kestrova {

namespace {

QString withoutTrailingSeparator(QString path)
{
    while (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

std::optional<ProgramFolders> &current()
{
    static std::optional<ProgramFolders> folders;
    return folders;
}

} // namespace

QString ShellFolderPath(int folder)
{
    switch (folder) {
    case ShellFolderAppData:
        return withoutTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
    case ShellFolderDocuments:
        return withoutTrailingSeparator(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    default:
        return QString();
    }
}

QString ProgramFolders::ConfigFolder() const
{
    const int slash = ConfigFilePath.lastIndexOf(u'/');
    return slash < 0 ? QString() : ConfigFilePath.left(slash + 1);
}

ProgramFolders ComputeProgramFolders(const QString &executableFolder, bool createConfigFolder)
{
    ProgramFolders f;
    f.ConfigFilePath = ShellFolderPath(ShellFolderAppData) + QStringLiteral("/Tavrel/Kestrova70/kestrova.conf");
    if (createConfigFolder)
        QDir().mkpath(f.ConfigFolder());
    f.UserFilesFolder = ShellFolderPath(ShellFolderDocuments) + QStringLiteral("/Tavrel/Kestrova70/");
    QString exe = executableFolder;
    if (exe.isEmpty() && QCoreApplication::instance())
        exe = QCoreApplication::applicationDirPath();
    f.TemplatesFolder = withoutTrailingSeparator(exe) + QStringLiteral("/Modelos/");
    f.DatabasePath = f.ConfigFolder() + QStringLiteral("kestrova.db");
    return f;
}

const ProgramFolders &Folders()
{
    auto &f = current();
    if (!f)
        f = ComputeProgramFolders(QString(), false);
    return *f;
}

void SetFolders(const ProgramFolders &folders)
{
    current() = folders;
}

QString GetFileVersionString()
{
    return QStringLiteral(KESTROVA_VERSION_STRING);
}

} // namespace kestrova
