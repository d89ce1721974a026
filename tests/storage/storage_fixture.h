#pragma once

#include "data_module.h"
#include "messages.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <map>
#include <memory>

namespace kestrova::test {

// A fresh database folder per test; dm() opens (creating it when missing) kestrova.db there.
class StorageTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.path() + QStringLiteral("/kestrova.db"); }
    QString folder() const { return m_dir.path(); }

    TfrmDM &open(const DataModuleOptions &options = DataModuleOptions())
    {
        m_dm.reset();
        m_dm = std::make_unique<TfrmDM>(messages, path(), options);
        return *m_dm;
    }
    TfrmDM &dm() { return m_dm ? *m_dm : open(); }
    void closeModule() { m_dm.reset(); }

    // Runs one statement outside the data module's cursors: on the module's own connection while
    // it is open (it holds the file lock), else on a connection of its own.
    void exec(const QString &sql, const std::map<QString, QVariant> &params = {})
    {
        Connection own;
        Statement s(connection(own), sql);
        for (const auto &[name, value] : params)
            s.bind(name, value);
        s.execute();
    }
    QVariant scalar(const QString &sql, bool ownConnection = false)
    {
        Connection own;
        if (ownConnection)
            own.open(path());
        Statement s(ownConnection ? own : connection(own), sql);
        return s.step() ? s.columnValue(0) : QVariant();
    }

    ScriptedMessages messages;

private:
    Connection &connection(Connection &own)
    {
        if (m_dm && m_dm->Connected())
            return m_dm->connection();
        own.open(path());
        return own;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TfrmDM> m_dm;
};

} // namespace kestrova::test
