#pragma once

#include "data_module.h"
#include "messages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QWidget>

#include <map>
#include <memory>

namespace kestrova::test {

// A fresh database (with the standard protocols and group 0) in a temporary folder per test.
class CatalogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_dm = std::make_unique<TfrmDM>(messages, m_dir.filePath(QStringLiteral("kestrova.db")));
        ASSERT_TRUE(m_dm->DatabaseOpen);
    }

    TfrmDM &dm() { return *m_dm; }
    QString folder() const { return m_dir.path(); }

    void exec(const QString &sql, const std::map<QString, QVariant> &params = {}) { dm().ExecSQL(sql, params); }
    QVariant scalar(const QString &sql)
    {
        Statement s(dm().connection(), sql);
        return s.step() ? s.columnValue(0) : QVariant();
    }
    // An evaluation that refers to the given rows (enough for the delete checks).
    void addEvaluation(int number, int person, int group, int protocol, const QString &evaluator)
    {
        exec(QStringLiteral("INSERT INTO AVALIACOES (Avaliacao, Avaliado, Grupo, Protocolo, Avaliador) "
                            "VALUES (:A, :P, :G, :R, :V)"),
             {{QStringLiteral("A"), number}, {QStringLiteral("P"), person}, {QStringLiteral("G"), group},
              {QStringLiteral("R"), protocol}, {QStringLiteral("V"), evaluator}});
    }

    QStringList texts() const { return messages.texts(); }
    QString lastText() const { return messages.shown.empty() ? QString() : messages.shown.back().text; }
    void clearMessages() { messages.shown.clear(); }

    ScriptedMessages messages;

private:
    QTemporaryDir m_dir;
    std::unique_ptr<TfrmDM> m_dm;
};

// Types the text into the widget key by key, as the keyboard would.
inline void TypeText(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

inline void PressKey(QWidget *w, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(w, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers);
    QApplication::sendEvent(w, &release);
}

} // namespace kestrova::test
