#include "protocol_store.h"

#include "data_module.h"
#include "protocol_rules.h"

namespace kestrova {

namespace {

const QString Saving = QStringLiteral("Salvando...");

bool EvaluationRefers(TfrmDM &dm, const QString &column, const QVariant &value)
{
    // Asked of the table itself: the evaluation list may be narrowed by the browser's criteria.
    Statement s(dm.connection(),
                QStringLiteral("SELECT 1 FROM AVALIACOES WHERE TRIM(CAST(%1 AS TEXT)) = :VALUE LIMIT 1").arg(column));
    s.bind(QStringLiteral("VALUE"), value);
    return s.step();
}

} // namespace

bool ProtocolInUse(TfrmDM &dm, qint64 protocol)
{
    return EvaluationRefers(dm, QStringLiteral("Protocolo"), QString::number(protocol));
}

bool PersonInUse(TfrmDM &dm, qint64 person)
{
    return EvaluationRefers(dm, QStringLiteral("Avaliado"), QString::number(person));
}

bool GroupInUse(TfrmDM &dm, qint64 group)
{
    return EvaluationRefers(dm, QStringLiteral("Grupo"), QString::number(group));
}

bool EvaluatorInUse(TfrmDM &dm, qint64 evaluator)
{
    return EvaluationRefers(dm, QStringLiteral("Avaliador"), QString::number(evaluator));
}

SaveProtocolResult SaveProtocol(TfrmDM &dm, TProtocolo &p, bool isNew, Messages &messages,
                                const ProgressWindow &progress)
{
    const int total = p.NumEstagios + 20;
    progress.set(Saving, 0, total);
    Cursor &q = dm.qProtocolos;
    Cursor &stages = dm.qProtocolosEstagios;
    ComputeStoredValues(p);
    try {
        if (isNew) {
            q.append();
        } else {
            q.refresh();
            if (!q.locate(QStringLiteral("Protocolo"), p.Protocolo)) {
                messages.error(QStringLiteral("Erro ao alterar Protocolo.\rProtocolo não encontrado!"));
                progress.close();
                return SaveProtocolResult::NotFound;
            }
            q.edit();
        }
        q.setValue(QStringLiteral("Protocolo"), p.Protocolo);
        q.setValue(QStringLiteral("Nome"), p.Nome);
        q.setValue(QStringLiteral("TipoErgometro"), QString(QLatin1Char(p.TipoErgometro)));
        q.setValue(QStringLiteral("TipoEstagio"), QString(QLatin1Char(p.TipoEstagio)));
        q.setValue(QStringLiteral("NumEstagios"), p.NumEstagios);
        q.setValue(QStringLiteral("UnidCarga"), p.UnidCarga);
        q.post();
        progress.set(Saving, 10, total);

        stages.setParam(QStringLiteral("PROTOCOLO"), p.Protocolo);
        stages.close();
        stages.open();
        while (!stages.isEmpty()) {
            stages.first();
            stages.remove();
        }
        progress.set(Saving, 20, total);

        for (int i = 1; i <= p.NumEstagios; ++i) {
            const TStage &s = p.Estagios[i];
            stages.append();
            stages.setValue(QStringLiteral("Protocolo"), p.Protocolo);
            stages.setValue(QStringLiteral("Estagio"), i);
            stages.setValue(QStringLiteral("Duracao"), s.Duracao);
            stages.setValue(QStringLiteral("DuracaoFim"), s.DuracaoFim);
            stages.setValue(QStringLiteral("Carga"), s.Carga);
            stages.setValue(QStringLiteral("CargaKgfm"), s.CargaKgfm);
            stages.setValue(QStringLiteral("CargaIncr"), s.CargaIncr);
            stages.setValue(QStringLiteral("RPM"), s.RPM);
            stages.setValue(QStringLiteral("Inclinacao"), s.Inclinacao);
            stages.setValue(QStringLiteral("InclinacaoIncr"), s.InclinacaoIncr);
            stages.post();
            progress.set(Saving, 20 + i, total);
        }

        q.refresh();
        if (q.locate(QStringLiteral("Protocolo"), p.Protocolo)) {
            q.edit();
            q.setValue(QStringLiteral("DuracaoTotal"), p.DuracaoTotal);
            q.post();
        }
    } catch (const StorageError &e) {
        progress.close();
        messages.error(e.message());
        return SaveProtocolResult::Failed;
    }
    progress.close();
    return SaveProtocolResult::Saved;
}

bool DeleteCurrentProtocol(TfrmDM &dm, Messages &messages, const ProgressWindow &progress)
{
    Cursor &q = dm.qProtocolos;
    Cursor &stages = dm.qProtocolosEstagios;
    const QString caption = QStringLiteral("Excluindo...");
    const qint64 number = q.asInteger(QStringLiteral("Protocolo"));
    try {
        stages.setParam(QStringLiteral("PROTOCOLO"), number);
        stages.close();
        stages.open();
        const int count = stages.recordCount();
        progress.set(caption, 0, count);
        int done = 0;
        while (!stages.isEmpty()) {
            stages.first();
            stages.remove();
            progress.set(caption, ++done, count);
        }
        if (!q.locate(QStringLiteral("Protocolo"), number))
            throw StorageError(QStringLiteral("Protocolo não encontrado!"));
        q.remove();
    } catch (const StorageError &e) {
        progress.close();
        messages.error(e.message());
        return false;
    }
    progress.close();
    return true;
}

} // namespace kestrova
