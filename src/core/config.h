#pragma once

// The ini-style configuration file (kestrova.conf). Section and key names compare without
// case; booleans are stored as "1"/"0" and read as integers; integers read in decimal or "0x"
// hexadecimal; every write reaches the disk at once through a new file renamed over the old.

#include <QString>
#include <QStringList>

#include <cstdint>

namespace kestrova {

inline constexpr char ConfigSection[] = "Parametros";

class IniFile
{
public:
    // Reads the file (Windows-1252 or UTF-8); a missing or unreadable file is an empty one.
    explicit IniFile(QString path);

    QString ReadString(const QString &section, const QString &key, const QString &def) const;
    int ReadInteger(const QString &section, const QString &key, int def) const;
    bool ReadBool(const QString &section, const QString &key, bool def) const;
    // A text that may hold line breaks, stored on one line with "\n", "\r" and "\\" escapes.
    QString ReadMultiLineString(const QString &section, const QString &key, const QString &def) const;

    // Each write creates the file, section and key as needed and saves the file at once.
    // Returns false when the file could not be written (the caller usually ignores it).
    bool WriteString(const QString &section, const QString &key, const QString &value);
    bool WriteInteger(const QString &section, const QString &key, int value);
    bool WriteBool(const QString &section, const QString &key, bool value);
    bool WriteMultiLineString(const QString &section, const QString &key, const QString &value);

    const QString &path() const { return m_path; }

private:
    bool find(const QString &section, const QString &key, QString *value) const;
    bool save() const;

    QString m_path;
    QStringList m_lines;
};

// Shorthands for the section "Parametros" of the file at ConfigFilePath.
QString ConfigReadString(const QString &key, const QString &def);
int ConfigReadInteger(const QString &key, int def);
bool ConfigReadBool(const QString &key, bool def);
bool ConfigWriteString(const QString &key, const QString &value);
bool ConfigWriteInteger(const QString &key, int value);
bool ConfigWriteBool(const QString &key, bool value);

// The settings the main window keeps in memory, read at start-up right after it writes "Versão".
struct StartupSettings
{
    uint8_t HardwareLimiar = 3;   // instrument variant 1, 2 or 3
    QString Serial = QStringLiteral("COM1");
    bool AquisicaoFC = true;
    bool AquisicaoFCMed = false;
    bool LogFCFCMed = false;
    uint8_t BackupCont = 0;       // evaluations saved since the last backup (wraps at 256)
};
StartupSettings WriteVersionAndReadStartupSettings(const QString &version);

// Windows-1252 conversion of the configuration and text-export files.
QByteArray ToWindows1252(const QString &text);   // characters outside the code page become '?'
QString FromWindows1252(const QByteArray &bytes);
// A file carried over from elsewhere may be UTF-8: take it as UTF-8 when it decodes cleanly.
QString DecodeTextFile(const QByteArray &bytes);

} // namespace kestrova
