#include "protocol_loader.h"

#include "data_module.h"

namespace kestrova {

bool LoadProtocol(TfrmDM &dm, TProtocolo &protocol)
{
    Connection &c = dm.connection();
    Statement &p = c.cached(QStringLiteral(
        "SELECT Nome, TipoErgometro, TipoEstagio, NumEstagios, UnidCarga, DuracaoTotal FROM PROTOCOLOS "
        "WHERE Protocolo = :PROTOCOLO ORDER BY rowid LIMIT 1"));
    p.bind(QStringLiteral("PROTOCOLO"), protocol.Protocolo);
    if (!p.step())
        return false;
    const QString nome = p.columnValue(0).toString();
    const QString ergometro = p.columnValue(1).toString();
    const QString estagio = p.columnValue(2).toString();
    const qint64 stages = p.columnInt64(3);
    const QString unidade = p.columnValue(4).toString();
    const qint64 total = p.columnInt64(5);
    p.reset();
    if (stages < 1 || stages > MaxStages)
        throw StorageError(QStringLiteral("O protocolo %1 (%2) tem %3 estágios; o número de estágios deve estar "
                                          "entre 1 e %4.")
                               .arg(protocol.Protocolo)
                               .arg(nome)
                               .arg(stages)
                               .arg(MaxStages));

    TProtocolo loaded;
    loaded.Protocolo = protocol.Protocolo;
    loaded.Nome = nome;
    loaded.TipoErgometro = ergometro.isEmpty() ? ' ' : ergometro.at(0).toLatin1();
    loaded.TipoEstagio = estagio.isEmpty() ? ' ' : estagio.at(0).toLatin1();
    loaded.NumEstagios = int32_t(stages);
    loaded.UnidCarga = unidade;
    loaded.DuracaoTotal = int32_t(total);

    Statement &s = c.cached(QStringLiteral(
        "SELECT Duracao, DuracaoFim, Carga, CargaKgfm, CargaIncr, RPM, Inclinacao, InclinacaoIncr "
        "FROM PROTOCOLOSESTAGIOS WHERE PROTOCOLO = :PROTOCOLO ORDER BY rowid"));
    s.bind(QStringLiteral("PROTOCOLO"), protocol.Protocolo);
    TStage last;
    bool more = s.step();
    for (int i = 1; i <= loaded.NumEstagios; ++i) {
        if (more) {
            last.Duracao = int32_t(s.columnInt64(0));
            last.DuracaoFim = int32_t(s.columnInt64(1));
            last.Carga = s.columnDouble(2);
            last.CargaKgfm = s.columnDouble(3);
            last.CargaIncr = s.columnDouble(4);
            last.RPM = int32_t(s.columnInt64(5));
            last.Inclinacao = s.columnDouble(6);
            last.InclinacaoIncr = s.columnDouble(7);
            more = s.step();
        }
        // Stages without a row of their own repeat the last row.
        loaded.Estagios[i] = last;
    }
    s.reset();
    protocol = loaded;
    return true;
}

void RestageSamples(TfrmDM &dm, const TProtocolo &protocol, int evaluation)
{
    if (protocol.NumEstagios < 1 || protocol.NumEstagios > MaxStages)
        throw StorageError(QStringLiteral("O protocolo %1 tem um número de estágios inválido (%2).")
                               .arg(protocol.Protocolo)
                               .arg(protocol.NumEstagios));
    Cursor &q = dm.qAvaliacoesDados;
    q.setParam(QStringLiteral("AVALIACAO"), evaluation);
    q.close();
    q.open();
    int stage = 1;
    q.first();
    while (!q.eof()) {
        if (protocol.Estagios[stage].DuracaoFim < q.asInteger(QStringLiteral("TempoTotal"))
            && stage < protocol.NumEstagios)
            ++stage;
        q.edit();
        q.setValue(QStringLiteral("Estagio"), stage);
        q.post();
        q.next();
    }
}

} // namespace kestrova
