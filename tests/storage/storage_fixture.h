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

    // Runs one statement on its own connection (outside the data module's cursors).
    void exec(const QString &sql, const std::map<QString, QVariant> &params = {})
    {
        Connection c;
        c.open(path());
        Statement s(c, sql);
        for (const auto &[name, value] : params)
            s.bind(name, value);
        s.execute();
    }
    QVariant scalar(const QString &sql)
    {
        Connection c;
        c.open(path());
        Statement s(c, sql);
        return s.step() ? s.columnValue(0) : QVariant();
    }

    ScriptedMessages messages;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TfrmDM> m_dm;
};

} // namespace kestrova::test
