// Every test executable starts here: it points HOME and the XDG folders at a fresh temporary
// folder before Qt reads them, so no test ever touches the real user's files.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

#ifdef KESTROVA_GUI_TEST
#include <QApplication>
using TestApp = QApplication;
#else
#include <QCoreApplication>
using TestApp = QCoreApplication;
#endif

int main(int argc, char **argv)
{
    QTemporaryDir home(QDir::tempPath() + "/kestrova-test-XXXXXX");
    if (!home.isValid())
        return 2;
    const QByteArray h = home.path().toLocal8Bit();
    setenv("HOME", h.constData(), 1);
    setenv("XDG_CONFIG_HOME", (h + "/.config").constData(), 1);
    setenv("XDG_DATA_HOME", (h + "/.local/share").constData(), 1);
    setenv("XDG_CACHE_HOME", (h + "/.cache").constData(), 1);
    setenv("XDG_RUNTIME_DIR", (h + "/run").constData(), 1);
    setenv("XDG_DOCUMENTS_DIR", (h + "/Documents").constData(), 1);
    QDir(home.path()).mkpath("run");
    QFile::setPermissions(home.path() + "/run", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
#ifdef KESTROVA_GUI_TEST
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
#endif
    TestApp app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
