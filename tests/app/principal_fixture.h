#pragma once

// A main window on a temporary folder, with scripted messages, no real serial port and a clock
// that moves only when the link waits.

#include "config.h"
#include "principal.h"

#include <fake_serial_port.h>

#include <gtest/gtest.h>

#include <QDialog>
#include <QTemporaryDir>

#include <memory>

namespace kestrova::testing {

class PrincipalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        folders.ConfigFilePath = dir.path() + QStringLiteral("/config/Tavrel/Kestrova70/kestrova.conf");
        folders.DatabasePath = dir.path() + QStringLiteral("/config/Tavrel/Kestrova70/kestrova.db");
        folders.UserFilesFolder = dir.path() + QStringLiteral("/docs/Tavrel/Kestrova70/");
        folders.TemplatesFolder = dir.path() + QStringLiteral("/bin/Modelos/");
    }

    PrincipalEnvironment environment()
    {
        PrincipalEnvironment env;
        env.messages = &messages;
        env.folders = folders;
        env.link.clock = &clock;
        env.link.portFactory = ports.Factory();
        env.link.listPorts = [this] { return portNames; };
        env.link.saveSettings = [](const QString &, uint8_t) {};
        env.runModal = [this](QDialog &d) {
            ++modalRuns;
            return onModal ? onModal(d) : int(QDialog::Accepted);
        };
        return env;
    }

    TfrmPrincipal &create()
    {
        window = std::make_unique<TfrmPrincipal>(environment());
        EXPECT_TRUE(window->FormCreate());
        return *window;
    }

    QString configText(const QString &key)
    {
        return IniFile(folders.ConfigFilePath).ReadString(ConfigSection, key, QStringLiteral("<none>"));
    }

    QTemporaryDir dir;
    ProgramFolders folders;
    ScriptedMessages messages;
    ManualClock clock;
    FakePorts ports {&clock};
    QStringList portNames;
    int modalRuns = 0;
    std::function<int(QDialog &)> onModal;
    std::unique_ptr<TfrmPrincipal> window;
};

} // namespace kestrova::testing
