// Schema upgrade of databases restored from older backups, and recovery after a failed save.

#include "data_module.h"

#include "formatting.h"
#include "protocol_loader.h"

namespace kestrova {

namespace {

const QString UpgradeCaption = QStringLiteral("Atualizando Banco de Dados...");

void Report(const ProgressFn &progress, const QString &caption, int percent)
{
    if (progress)
        progress(caption, percent);
}

// The evaluation numbers in Avaliacao order, read apart from the cursors so that walking them
// does not depend on the current row of the evaluation list.
QList<qint64> EvaluationNumbers(Connection &c)
{
    QList<qint64> numbers;
    Statement s(c, QStringLiteral("SELECT Avaliacao FROM AVALIACOES ORDER BY Avaliacao, rowid"));
    while (s.step())
        numbers << s.columnInt64(0);
    return numbers;
}

} // namespace

void TfrmDM::UpgradeDatabase(uint16_t storedVersion, const ProgressFn &progress)
{
    Report(progress, UpgradeCaption, 0);
    if (!Connect()) {
        m_messages.error(QStringLiteral("Erro ao ativar sessão do banco de dados!"));
        return;
    }
    int v = storedVersion;
    bool stopped = false;
    while (v < DatabaseVersion && !stopped) {
        if (v >= 7000 && v <= 7006) {
            v = 7006;
            try {
                ExecSQL(QStringLiteral("ALTER TABLE AvaliacoesDados ADD COLUMN Estagio INTEGER"));
            } catch (const StorageError &) {
                // The column is already there: a second run is harmless.
            }
            if (!OpenDatabase()) {
                stopped = true;
                break;
            }
            upgradeStages(progress);
            CloseDatabase();
            Connect();
        } else if (v >= 7007 && v <= 7010) {
            v = 7010;
            try {
                ExecSQL(QStringLiteral("ALTER TABLE Avaliacoes ADD COLUMN FCLimiar1 INTEGER;"));
                ExecSQL(QStringLiteral("ALTER TABLE Avaliacoes ADD COLUMN FCLimiar1Amostra INTEGER;"));
                ExecSQL(QStringLiteral("ALTER TABLE AvaliacoesDados ADD COLUMN PFCLimiar1 DOUBLE;"));
            } catch (const StorageError &) {
            }
            if (!OpenDatabase()) {
                stopped = true;
                break;
            }
            upgradeThreshold1(progress);
            CloseDatabase();
            Connect();
        }
        ++v;
    }
    Connect();
    Report(progress, UpgradeCaption, 100);
}

void TfrmDM::upgradeStages(const ProgressFn &progress)
{
    const QList<qint64> evaluations = EvaluationNumbers(m_connection);
    Report(progress, UpgradeCaption, 0);
    int done = 0;
    for (qint64 n : evaluations) {
        qAvaliacoes.locate(QStringLiteral("Avaliacao"), n);
        TProtocolo protocol;
        protocol.Protocolo = int32_t(qAvaliacoes.asInteger(QStringLiteral("Protocolo")));
        bool loaded = false;
        try {
            loaded = LoadProtocol(*this, protocol);
        } catch (const StorageError &) {
            // A protocol the record cannot hold: its evaluations keep their samples unstaged.
        }
        if (loaded)
            RestageSamples(*this, protocol, int(n));
        ++done;
        Report(progress, UpgradeCaption, evaluations.isEmpty() ? 100 : done * 100 / int(evaluations.size()));
    }
}

void TfrmDM::upgradeThreshold1(const ProgressFn &progress)
{
    const QList<qint64> evaluations = EvaluationNumbers(m_connection);
    Report(progress, UpgradeCaption, 0);
    int done = 0;
    for (qint64 n : evaluations) {
        if (!qAvaliacoes.locate(QStringLiteral("Avaliacao"), n))
            continue;
        const qint64 threshold1 = RoundHalfEven(double(qAvaliacoes.asInteger(QStringLiteral("FCLimiar"))) * 0.85);
        qAvaliacoes.edit();
        qAvaliacoes.setValue(QStringLiteral("FCLimiar1"), threshold1);
        qAvaliacoes.post();
        qAvaliacoesDados.setParam(QStringLiteral("AVALIACAO"), n);
        qAvaliacoesDados.close();
        qAvaliacoesDados.open();
        qAvaliacoesDados.first();
        while (!qAvaliacoesDados.eof()) {
            qAvaliacoesDados.edit();
            // Without threshold 1 the percentage cannot be formed; it is stored as 0.
            qAvaliacoesDados.setValue(QStringLiteral("PFCLimiar1"),
                                      threshold1 == 0 ? 0.0
                                                      : qAvaliacoesDados.asFloat(QStringLiteral("FC")) / double(threshold1) * 100.0);
            qAvaliacoesDados.post();
            qAvaliacoesDados.next();
        }
        ++done;
        Report(progress, UpgradeCaption, evaluations.isEmpty() ? 100 : done * 100 / int(evaluations.size()));
    }
    qAvaliacoes.post();
    qAvaliacoes.refresh();
}

void TfrmDM::RecoverEvaluation(int evaluation, const ProgressFn &progress)
{
    DatabaseRepaired = true;
    auto step = [&](int percent) {
        Report(progress, QStringLiteral("Recuperando BD... %") + QString::number(percent), percent);
    };
    step(15);
    try {
        qAvaliacoesDados.post();
        qAvaliacoesDados.refresh();
    } catch (const StorageError &) {
        qAvaliacoesDados.cancel();
    }
    step(25);
    try {
        qAvaliacoes.post();
        qAvaliacoes.refresh();
    } catch (const StorageError &) {
        qAvaliacoes.cancel();
    }
    step(45);
    qAvaliacoesDados.setParam(QStringLiteral("AVALIACAO"), evaluation);
    qAvaliacoesDados.close();
    qAvaliacoesDados.open();
    step(55);
    qAvaliacoesDados.first();
    while (!qAvaliacoesDados.eof()) {
        if (qAvaliacoesDados.asInteger(QStringLiteral("Avaliacao")) < evaluation)
            qAvaliacoesDados.next();
        else
            qAvaliacoesDados.remove();
    }
    step(75);
    qAvaliacoes.first();
    if (qAvaliacoes.locate(QStringLiteral("Avaliacao"), evaluation))
        qAvaliacoes.remove();
    else
        // A row hidden by the list's criteria is removed all the same.
        ExecSQL(QStringLiteral("DELETE FROM AVALIACOES WHERE Avaliacao = :AVALIACAO"),
                {{QStringLiteral("AVALIACAO"), evaluation}});
    step(95);
    CloseDatabase();
    OpenDatabase();
    step(100);
}

} // namespace kestrova
