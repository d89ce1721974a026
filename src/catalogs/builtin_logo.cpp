#include "builtin_logo.h"

#include <QDir>
#include <QFile>

namespace kestrova {

QString BuiltInLogoResource()
{
    return QStringLiteral(":/catalogs/RelLogotipoTavrel.jpg");
}

bool InstallBuiltInLogo(const QString &configFolder)
{
    const QString target = QDir(configFolder).filePath(QString::fromLatin1(BuiltInLogoFile));
    if (QFile::exists(target))
        return true;
    QDir().mkpath(configFolder);
    if (!QFile::copy(BuiltInLogoResource(), target))
        return false;
    // Copies out of the resources are read-only; the backup and restore replace this file.
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    return true;
}

} // namespace kestrova
