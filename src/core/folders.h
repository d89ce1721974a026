#pragma once

// The program's folders, derived once at start-up.

#include <QString>

namespace kestrova {

inline constexpr int ShellFolderAppData = 26;
inline constexpr int ShellFolderDocuments = 5;

// The per-user folder without trailing separator: application data (26) is the XDG config home,
// documents (5) the user's documents folder. Empty when it cannot be found.
QString ShellFolderPath(int folder);

struct ProgramFolders
{
    QString ConfigFilePath;   // <config home>/Tavrel/Kestrova70/kestrova.conf
    QString DatabasePath;     // beside the configuration file: kestrova.db
    QString UserFilesFolder;  // <documents>/Tavrel/Kestrova70/ (trailing separator)
    QString TemplatesFolder;  // <executable folder>/Modelos/ (trailing separator)
    QString ConfigFolder() const;  // folder of ConfigFilePath, with trailing separator
};

// Computes the folders from the current environment. executableFolder defaults to the running
// program's folder. Creates the configuration folder with its parents when createConfigFolder.
ProgramFolders ComputeProgramFolders(const QString &executableFolder = QString(), bool createConfigFolder = true);

// The folders in use by the whole program (set at start-up, or by a test).
const ProgramFolders &Folders();
void SetFolders(const ProgramFolders &folders);

// "major.minor.release.build" as stamped by the build.
QString GetFileVersionString();

} // namespace kestrova
