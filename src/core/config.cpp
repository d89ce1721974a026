#include "config.h"

#include "folders.h"
#include "formatting.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

#include <limits>
#include <optional>

namespace kestrova {

namespace {

// Windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 marks the five unassigned codes.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

// The Windows-1252 byte of a character; nullopt when the code page has none.
std::optional<char> to1252(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return char(u);
    for (int i = 0; i < 32; ++i)
        if (Cp1252High[i] != 0 && Cp1252High[i] == u)
            return char(0x80 + i);
    return std::nullopt;
}

bool isSection(const QString &line, QString *name)
{
    const QString t = line.trimmed();
    if (t.size() < 2 || !t.startsWith(u'[') || !t.endsWith(u']'))
        return false;
    *name = t.mid(1, t.size() - 2).trimmed();
    return true;
}

bool isKey(const QString &line, QString *key, QString *value)
{
    const int eq = line.indexOf(u'=');
    if (eq <= 0)
        return false;
    const QString k = line.left(eq).trimmed();
    if (k.isEmpty() || k.startsWith(u';'))
        return false;
    *key = k;
    *value = line.mid(eq + 1).trimmed();
    return true;
}

QString escapeLines(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString unescapeLines(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size()) {
            const QChar n = text[i + 1];
            if (n == u'n' || n == u'r' || n == u'\\') {
                out += n == u'n' ? QChar(u'\n') : n == u'r' ? QChar(u'\r') : QChar(u'\\');
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace

QByteArray ToWindows1252(const QString &text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar c : text)
        out += to1252(c).value_or('?');
    return out;
}

QString FromWindows1252(const QByteArray &bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F)
            out += Cp1252High[b - 0x80] ? QChar(Cp1252High[b - 0x80]) : QChar(u'?');
        else
            out += QChar(b);
    }
    return out;
}

QString DecodeTextFile(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    bool ascii = true;
    for (char ch : bytes)
        if (static_cast<unsigned char>(ch) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return QString::fromLatin1(bytes);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString s = utf8.decode(bytes);
    if (!utf8.hasError())
        return s;
    return FromWindows1252(bytes);
}

IniFile::IniFile(QString path) : m_path(std::move(path))
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    QString text = DecodeTextFile(f.readAll());
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    m_lines = text.split(u'\n');
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

bool IniFile::find(const QString &section, const QString &key, QString *value) const
{
    bool inSection = false;
    QString name, k, v;
    for (const QString &line : m_lines) {
        if (isSection(line, &name)) {
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            continue;
        }
        if (inSection && isKey(line, &k, &v) && k.compare(key, Qt::CaseInsensitive) == 0) {
            *value = v;
            return true;
        }
    }
    return false;
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &def) const
{
    QString v;
    return find(section, key, &v) ? v : def;
}

int IniFile::ReadInteger(const QString &section, const QString &key, int def) const
{
    QString v;
    if (!find(section, key, &v))
        return def;
    const auto n = TryParseInteger(v);
    if (!n || *n < std::numeric_limits<int>::min() || *n > std::numeric_limits<int>::max())
        return def;
    return int(*n);
}

bool IniFile::ReadBool(const QString &section, const QString &key, bool def) const
{
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

QString IniFile::ReadMultiLineString(const QString &section, const QString &key, const QString &def) const
{
    QString v;
    return find(section, key, &v) ? unescapeLines(v) : def;
}

bool IniFile::WriteString(const QString &section, const QString &key, const QString &value)
{
    // A value is one line; line breaks would split it into a stray key.
    QString clean = value;
    clean.replace(u'\r', u' ');
    clean.replace(u'\n', u' ');
    const QString keyLine = key + u'=' + clean;

    int sectionStart = -1;
    int lastKeyInSection = -1;
    bool inSection = false;
    QString name, k, v;
    for (int i = 0; i < m_lines.size(); ++i) {
        if (isSection(m_lines[i], &name)) {
            if (inSection)
                break;
            inSection = name.compare(section, Qt::CaseInsensitive) == 0;
            if (inSection) {
                sectionStart = i;
                lastKeyInSection = i;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (isKey(m_lines[i], &k, &v)) {
            if (k.compare(key, Qt::CaseInsensitive) == 0) {
                m_lines[i] = k + u'=' + clean;
                return save();
            }
            lastKeyInSection = i;
        }
    }
    if (sectionStart < 0) {
        if (!m_lines.isEmpty() && !m_lines.last().trimmed().isEmpty())
            m_lines << QString();
        m_lines << u'[' + section + u']' << keyLine;
    } else {
        m_lines.insert(lastKeyInSection + 1, keyLine);
    }
    return save();
}

bool IniFile::WriteInteger(const QString &section, const QString &key, int value)
{
    return WriteString(section, key, QString::number(value));
}

bool IniFile::WriteBool(const QString &section, const QString &key, bool value)
{
    return WriteString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

bool IniFile::WriteMultiLineString(const QString &section, const QString &key, const QString &value)
{
    return WriteString(section, key, escapeLines(value));
}

bool IniFile::save() const
{
    const QString text = m_lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    bool all1252 = true;
    for (QChar c : text)
        if (!to1252(c)) {
            all1252 = false;
            break;
        }
    // Text that Windows-1252 cannot hold is kept whole by writing the file in UTF-8.
    const QByteArray bytes = all1252 ? ToWindows1252(text) : text.toUtf8();
    QSaveFile f(m_path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    if (f.write(bytes) != bytes.size()) {
        f.cancelWriting();
        return false;
    }
    return f.commit();
}

QString ConfigReadString(const QString &key, const QString &def)
{
    return IniFile(Folders().ConfigFilePath).ReadString(ConfigSection, key, def);
}

int ConfigReadInteger(const QString &key, int def)
{
    return IniFile(Folders().ConfigFilePath).ReadInteger(ConfigSection, key, def);
}

bool ConfigReadBool(const QString &key, bool def)
{
    return IniFile(Folders().ConfigFilePath).ReadBool(ConfigSection, key, def);
}

bool ConfigWriteString(const QString &key, const QString &value)
{
    return IniFile(Folders().ConfigFilePath).WriteString(ConfigSection, key, value);
}

bool ConfigWriteInteger(const QString &key, int value)
{
    return IniFile(Folders().ConfigFilePath).WriteInteger(ConfigSection, key, value);
}

bool ConfigWriteBool(const QString &key, bool value)
{
    return IniFile(Folders().ConfigFilePath).WriteBool(ConfigSection, key, value);
}

StartupSettings WriteVersionAndReadStartupSettings(const QString &version)
{
    IniFile ini(Folders().ConfigFilePath);
    ini.WriteString(ConfigSection, QStringLiteral("Versão"), version);
    StartupSettings s;
    s.HardwareLimiar = uint8_t(ini.ReadInteger(ConfigSection, QStringLiteral("HardwareLimiar"), 3));
    s.Serial = ini.ReadString(ConfigSection, QStringLiteral("Serial"), QStringLiteral("COM1"));
    s.AquisicaoFC = ini.ReadBool(ConfigSection, QStringLiteral("AquisicaoFC"), true);
    s.AquisicaoFCMed = ini.ReadBool(ConfigSection, QStringLiteral("AquisicaoFCMed"), false);
    s.LogFCFCMed = ini.ReadBool(ConfigSection, QStringLiteral("LogFCFCMed"), false);
    s.BackupCont = uint8_t(ini.ReadInteger(ConfigSection, QStringLiteral("BackupCont"), 0));
    return s;
}

} // namespace kestrova
