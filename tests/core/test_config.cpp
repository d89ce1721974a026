#include "config.h"
#include "folders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kestrova;

namespace {

class ConfigTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        path = dir.filePath("kestrova.conf");
    }

    void writeRaw(const QByteArray &bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    QByteArray readRaw() const
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString path;
};

TEST_F(ConfigTest, MissingFileGivesDefaults)
{
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("Parametros", "Serial", "COM1"), "COM1");
    EXPECT_EQ(ini.ReadInteger("Parametros", "HardwareLimiar", 3), 3);
    EXPECT_TRUE(ini.ReadBool("Parametros", "AquisicaoFC", true));
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ConfigTest, ReadsValuesByType)
{
    writeRaw("[parametros]\r\n"
             "AquisicaoFC=2\r\n"
             "AquisicaoFCMed=abc\r\n"
             "GraficoVE4=abc\r\n"
             "GRAFICOVE=0\r\n"
             "HardwareLimiar=0x2\r\n"
             "TempoAmostragem=05\r\n"
             "BackupCont=300\r\n"
             "IC=0,027000\r\n"
             "Obs= texto com espaços \r\n"
             "Quebrado=12abc\r\n"
             "Enorme=99999999999\r\n"
             "[Outra]\r\n"
             "Serial=ttyS9\r\n");
    IniFile ini(path);
    struct BoolCase
    {
        const char *key;
        bool def;
        bool expected;
    } bools[] = {
        {"AquisicaoFC", true, true},       // 2 is true
        {"AquisicaoFCMed", true, true},    // abc gives the default
        {"GraficoVE4", false, false},      // abc gives the default
        {"GraficoVE", true, false},        // key case does not matter
        {"Ausente", true, true},
    };
    for (const auto &c : bools)
        EXPECT_EQ(ini.ReadBool("Parametros", c.key, c.def), c.expected) << c.key;
    EXPECT_EQ(ini.ReadInteger("PARAMETROS", "HardwareLimiar", 3), 2);
    EXPECT_EQ(ini.ReadInteger("Parametros", "TempoAmostragem", 10), 5);
    EXPECT_EQ(ini.ReadString("Parametros", "TempoAmostragem", "10"), "05");
    EXPECT_EQ(uint8_t(ini.ReadInteger("Parametros", "BackupCont", 0)), 44);
    EXPECT_EQ(ini.ReadString("Parametros", "IC", ""), "0,027000");
    EXPECT_EQ(ini.ReadString("Parametros", "Obs", ""), "texto com espaços");
    EXPECT_EQ(ini.ReadInteger("Parametros", "Quebrado", 7), 7);
    EXPECT_EQ(ini.ReadInteger("Parametros", "Enorme", 7), 7);
    // A key of another section is not seen.
    EXPECT_EQ(ini.ReadString("Parametros", "Serial", "COM1"), "COM1");
    EXPECT_EQ(ini.ReadString("outra", "serial", ""), "ttyS9");
}

TEST_F(ConfigTest, WritesInPlaceAndCreatesWhatIsMissing)
{
    writeRaw("; comentário\r\n[parametros]\r\nSerial=COM1\r\n\r\n[Outra]\r\nX=1\r\n");
    {
        IniFile ini(path);
        EXPECT_TRUE(ini.WriteString("Parametros", "SERIAL", "ttyUSB0"));
        EXPECT_TRUE(ini.WriteBool("Parametros", "AquisicaoFC", false));
        EXPECT_TRUE(ini.WriteInteger("Nova", "Valor", -3));
    }
    IniFile again(path);
    EXPECT_EQ(again.ReadString("Parametros", "Serial", ""), "ttyUSB0");
    EXPECT_FALSE(again.ReadBool("Parametros", "AquisicaoFC", true));
    EXPECT_EQ(again.ReadInteger("nova", "valor", 0), -3);
    EXPECT_EQ(again.ReadString("Outra", "X", ""), "1");
    const QByteArray raw = readRaw();
    EXPECT_EQ(raw.count("[parametros]"), 1) << raw.constData();
    EXPECT_EQ(raw.count("[Parametros]"), 0) << raw.constData();
    EXPECT_TRUE(raw.contains("Serial=ttyUSB0\r\nAquisicaoFC=0\r\n")) << raw.constData();
    EXPECT_TRUE(raw.startsWith("; comentário") == false);  // the file is Windows-1252, not UTF-8
    EXPECT_TRUE(raw.startsWith("; coment\xE1rio"));
}

TEST_F(ConfigTest, EncodingWindows1252AndUtf8)
{
    {
        IniFile ini(path);
        ini.WriteString("Parametros", "Versão", "7.0.0.1");
        ini.WriteString("Parametros", "Individuo", "SEDENTÁRIO");
    }
    const QByteArray raw = readRaw();
    EXPECT_TRUE(raw.contains("Vers\xE3o=7.0.0.1")) << raw.constData();
    EXPECT_EQ(IniFile(path).ReadString("Parametros", "versão", ""), "7.0.0.1");

    // A file carried over in UTF-8 reads without garbling.
    writeRaw(QString("[Parametros]\nVersão=7.0.0.2\nIndividuo=SEDENTÁRIO\n").toUtf8());
    IniFile utf8(path);
    EXPECT_EQ(utf8.ReadString("Parametros", "Versão", ""), "7.0.0.2");
    EXPECT_EQ(utf8.ReadString("Parametros", "Individuo", ""), "SEDENTÁRIO");

    // Text that Windows-1252 cannot hold is kept (the file becomes UTF-8).
    IniFile w(path);
    w.WriteString("Parametros", "Obs", "VO₂ máx");
    EXPECT_EQ(IniFile(path).ReadString("Parametros", "Obs", ""), "VO₂ máx");
    EXPECT_EQ(IniFile(path).ReadString("Parametros", "Individuo", ""), "SEDENTÁRIO");
}

TEST_F(ConfigTest, MultiLineTextRoundTrips)
{
    const QString obs = "linha 1\r\nlinha 2 com \\ barra\nfim";
    IniFile(path).WriteMultiLineString("Parametros", "Obs", obs);
    IniFile(path).WriteString("Parametros", "Depois", "x");
    EXPECT_EQ(IniFile(path).ReadMultiLineString("Parametros", "Obs", ""), obs);
    EXPECT_EQ(IniFile(path).ReadString("Parametros", "Depois", ""), "x");
    // A plain write never splits a value across lines.
    IniFile(path).WriteString("Parametros", "Solta", "a\nb=c");
    EXPECT_EQ(IniFile(path).ReadString("Parametros", "Solta", ""), "a b=c");
    EXPECT_EQ(IniFile(path).ReadString("Parametros", "b", "none"), "none");
}

TEST_F(ConfigTest, FailedWriteIsReportedAndKeepsTheFile)
{
    IniFile(path).WriteString("Parametros", "Serial", "ttyUSB0");
    const QByteArray before = readRaw();
    // A path below a regular file cannot be written, whatever the user's rights.
    IniFile blocked(path + "/kestrova.conf");
    EXPECT_FALSE(blocked.WriteString("Parametros", "Serial", "ttyUSB1"));
    EXPECT_EQ(readRaw(), before);
    // No temporary file is left beside the configuration.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList {"kestrova.conf"});
}

TEST(ProgramFoldersTest, FirstStartCreatesFolderAndWritesOnlyVersion)
{
    const ProgramFolders f = ComputeProgramFolders("/opt/kestrova/bin/");
    const QString home = QDir::homePath();
    EXPECT_EQ(f.ConfigFilePath, home + "/.config/Tavrel/Kestrova70/kestrova.conf");
    EXPECT_EQ(f.DatabasePath, home + "/.config/Tavrel/Kestrova70/kestrova.db");
    EXPECT_EQ(f.UserFilesFolder, home + "/Documents/Tavrel/Kestrova70/");
    EXPECT_EQ(f.TemplatesFolder, "/opt/kestrova/bin/Modelos/");
    EXPECT_TRUE(QFileInfo(f.ConfigFolder()).isDir());
    EXPECT_FALSE(QFileInfo::exists(f.UserFilesFolder));

    SetFolders(f);
    const StartupSettings s = WriteVersionAndReadStartupSettings(GetFileVersionString());
    EXPECT_EQ(s.HardwareLimiar, 3);
    EXPECT_EQ(s.Serial, "COM1");
    EXPECT_TRUE(s.AquisicaoFC);
    EXPECT_FALSE(s.AquisicaoFCMed);
    EXPECT_FALSE(s.LogFCFCMed);
    EXPECT_EQ(s.BackupCont, 0);
    QFile file(f.ConfigFilePath);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[Parametros]\r\nVers\xE3o=" + GetFileVersionString().toLatin1() + "\r\n");
    EXPECT_TRUE(GetFileVersionString().startsWith("7.0.0."));
    EXPECT_EQ(GetFileVersionString().split('.').size(), 4);

    ConfigWriteInteger("BackupCont", 300);
    ConfigWriteString("HardwareLimiar", "0x101");
    const StartupSettings again = WriteVersionAndReadStartupSettings("7.0.0.9");
    EXPECT_EQ(again.BackupCont, 44);
    EXPECT_EQ(again.HardwareLimiar, 1);
    EXPECT_EQ(ConfigReadString("Versão", ""), "7.0.0.9");
}

} // namespace
