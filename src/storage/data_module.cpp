#include "data_module.h"

#include "database_setup.h"
#include "folders.h"

#include <QFileInfo>

#include <cmath>

namespace kestrova {

namespace {

const QString AVALIACAO = QStringLiteral("AVALIACAO");

} // namespace

TfrmDM::TfrmDM(Messages &messages, const QString &databasePath, const DataModuleOptions &options)
    : qAvaliados(m_connection, QStringLiteral("qAvaliados"), QStringLiteral("AVALIADOS"), QString(), QStringLiteral("Avaliado")),
      qGrupos(m_connection, QStringLiteral("qGrupos"), QStringLiteral("GRUPOS"), QString(), QStringLiteral("Grupo")),
      qProtocolos(m_connection, QStringLiteral("qProtocolos"), QStringLiteral("PROTOCOLOS"), QString(),
                  QStringLiteral("Protocolo")),
      qProtocolosEstagios(m_connection, QStringLiteral("qProtocolosEstagios"), QStringLiteral("PROTOCOLOSESTAGIOS"),
                          QStringLiteral("PROTOCOLO = :PROTOCOLO"), QStringLiteral("Estagio")),
      qAvaliacoes(m_connection, QStringLiteral("qAvaliacoes"), QStringLiteral("AVALIACOES"), QString(),
                  QStringLiteral("Avaliacao")),
      qAvaliacoesDados(m_connection, QStringLiteral("qAvaliacoesDados"), QStringLiteral("AVALIACOESDADOS"),
                       QStringLiteral("AVALIACAO = :AVALIACAO")),
      qLaboratorio(m_connection, QStringLiteral("qLaboratorio"), QStringLiteral("LABORATORIO")),
      qAvaliadores(m_connection, QStringLiteral("qAvaliadores"), QStringLiteral("AVALIADORES")),
      m_messages(messages),
      m_path(databasePath.isEmpty() ? Folders().DatabasePath : databasePath),
      m_options(options)
{
    DatabaseVersion = 7011;
    SelectionCriteria.clear();
    configureCursors();
    configureDisplay();
    configureLookups();
    linkSamplesToEvaluation();
    if (m_options.createIfMissing && !m_options.readOnly && !QFileInfo::exists(m_path)) {
        try {
            CreateDatabase(m_path);
        } catch (const StorageError &) {
            // Reported below: the connection to the missing file fails.
        }
    }
    DatabaseOpen = OpenDatabase();
}

TfrmDM::~TfrmDM()
{
    SelectionCriteria.clear();
    CloseDatabase();
    Disconnect();
}

void TfrmDM::configureCursors()
{
    qAvaliados.setKeyFields({QStringLiteral("Avaliado")});
    qAvaliados.setAutoKeyField(QStringLiteral("Avaliado"));
    qGrupos.setKeyFields({QStringLiteral("Grupo")});
    qGrupos.setAutoKeyField(QStringLiteral("Grupo"));
    qProtocolos.setKeyFields({QStringLiteral("Protocolo")});
    qProtocolos.setAutoKeyField(QStringLiteral("Protocolo"));
    qProtocolosEstagios.setKeyFields({QStringLiteral("Protocolo"), QStringLiteral("Estagio")});
    qAvaliacoes.setKeyFields({QStringLiteral("Avaliacao")});
    qAvaliacoes.setAutoKeyField(QStringLiteral("Avaliacao"));
    qAvaliacoesDados.setKeyFields({QStringLiteral("Avaliacao"), QStringLiteral("SeqAmostra")});
    qAvaliadores.setKeyFields({QStringLiteral("Avaliador")});
    qAvaliadores.setAutoKeyField(QStringLiteral("Avaliador"));
    // LABORATORIO has no key: its rows are matched by every old value.

    qGrupos.afterOpen = [this](Cursor &c) { ensureReservedGroup(c); };
    // Re-reading the evaluation list re-reads the names it looks up.
    qAvaliacoes.beforeRead = [this](Cursor &) { m_lookups.clear(); };

    for (Cursor *c : {&qAvaliados, &qGrupos, &qProtocolos, &qProtocolosEstagios, &qAvaliacoes, &qAvaliacoesDados,
                      &qLaboratorio, &qAvaliadores})
        c->afterChange = [this](Cursor &changed) { invalidateLookups(changed.table()); };

    qProtocolos.setCalcFields([this](Cursor &, CursorRow &row) { computeFirstStage(row); });
    qAvaliacoesDados.setCalcFields([this](Cursor &, CursorRow &row) { computeLoadPercentage(row); });
    qAvaliacoes.setRecordFilter([this](const RowContext &row) {
        return SelectionCriteria.isEmpty() || RowMeetsCriteria(row, SelectionCriteria);
    });
}

void TfrmDM::ensureReservedGroup(Cursor &grupos)
{
    if (m_ensuringGroup || grupos.locate(QStringLiteral("Grupo"), 0))
        return;
    m_ensuringGroup = true;
    try {
        grupos.append();
        grupos.setValue(QStringLiteral("Grupo"), 0);
        grupos.setValue(QStringLiteral("Nome"), QStringLiteral("INDIVIDUAL"));
        grupos.post();
        grupos.close();
        grupos.open();
    } catch (...) {
        m_ensuringGroup = false;
        throw;
    }
    m_ensuringGroup = false;
}

void TfrmDM::computeFirstStage(CursorRow &row)
{
    const int first = qProtocolos.dataFieldCount();
    Statement &s = m_connection.cached(QStringLiteral(
        "SELECT Duracao, Carga, CargaKgfm, CargaIncr, RPM, Inclinacao, InclinacaoIncr FROM PROTOCOLOSESTAGIOS "
        "WHERE PROTOCOLO = :PROTOCOLO ORDER BY Estagio, rowid LIMIT 1"));
    s.bind(QStringLiteral("PROTOCOLO"), row.values.value(qProtocolos.fieldIndex(QStringLiteral("Protocolo"))));
    if (s.step()) {
        // The calculated columns follow the stored ones in the order they were declared.
        for (int i = 0; i < 7; ++i)
            row.values[first + i] = s.columnValue(i);
    }
    s.reset();
}

void TfrmDM::computeLoadPercentage(CursorRow &row)
{
    const int target = qAvaliacoesDados.fieldIndex(QStringLiteral("pVO2CARGA"));
    const int source = qAvaliacoesDados.fieldIndex(QStringLiteral("VO2RelCarga"));
    if (target < 0)
        return;
    row.values[target] = QVariant();
    if (source < 0 || !(m_linkedVO2Max > 0))
        return;
    const double p = row.values.value(source).toDouble() / m_linkedVO2Max * 100.0;
    if (std::isfinite(p))
        row.values[target] = std::min(p, 100.0);
}

void TfrmDM::linkSamplesToEvaluation()
{
    qAvaliacoes.afterScroll = [this](Cursor &master) {
        if (!qAvaliacoesDados.isActive())
            return;
        const bool has = master.isActive() && !master.isEmpty();
        const QVariant key = has ? master.value(QStringLiteral("Avaliacao")) : QVariant();
        const double vo2 = has && master.hasField(QStringLiteral("VO2Maximo")) ? master.asFloat(QStringLiteral("VO2Maximo")) : 0.0;
        if (KeyText(key) == KeyText(qAvaliacoesDados.param(AVALIACAO)) && vo2 == m_linkedVO2Max
            && key.isNull() == qAvaliacoesDados.param(AVALIACAO).isNull())
            return;
        m_linkedVO2Max = vo2;
        qAvaliacoesDados.setParam(AVALIACAO, key);
        qAvaliacoesDados.close();
        qAvaliacoesDados.open();
    };
}

QVariant TfrmDM::lookup(const QString &table, const QString &keyColumn, const QString &resultColumn,
                        const QVariant &key)
{
    const QString k = KeyText(key);
    if (k.isEmpty() || !m_connection.isOpen())
        return QVariant();
    LookupTable &t = m_lookups[table + QLatin1Char('.') + keyColumn];
    if (!t.loaded) {
        t = LookupTable();
        t.keyColumn = keyColumn;
        try {
            Statement s(m_connection, QStringLiteral("SELECT * FROM %1").arg(table));
            for (int c = 0; c < s.columnCount(); ++c)
                t.columns << s.columnName(c).toUpper();
            const int keyIndex = int(t.columns.indexOf(keyColumn.toUpper()));
            while (s.step()) {
                QVector<QVariant> values(t.columns.size());
                for (int c = 0; c < s.columnCount(); ++c)
                    values[c] = s.columnValue(c);
                const QString rowKey = KeyText(values.value(keyIndex));
                // The first row with a key wins, as a search from the top finds it.
                if (!rowKey.isEmpty() && !t.rows.contains(rowKey))
                    t.rows.insert(rowKey, values);
            }
        } catch (const StorageError &) {
            t.rows.clear();
        }
        t.loaded = true;
    }
    const auto it = t.rows.constFind(k);
    const int column = int(t.columns.indexOf(resultColumn.toUpper()));
    if (it == t.rows.constEnd() || column < 0)
        return QVariant();
    return it->value(column);
}

void TfrmDM::invalidateLookups(const QString &table)
{
    for (auto &[name, t] : m_lookups)
        if (name.startsWith(table + QLatin1Char('.'), Qt::CaseInsensitive))
            t.loaded = false;
}

void TfrmDM::configureLookups()
{
    struct Def
    {
        const char *field;
        FieldKind kind;
        const char *table;
        const char *keyColumn;
        const char *result;
        const char *localKey;
    };
    static const Def evaluationLookups[] = {
        {"NomeAvaliado", FieldKind::Text, "AVALIADOS", "Avaliado", "Nome", "Avaliado"},
        {"Apelido", FieldKind::Text, "AVALIADOS", "Avaliado", "Apelido", "Avaliado"},
        {"Modalidade", FieldKind::Text, "AVALIADOS", "Avaliado", "Modalidade", "Avaliado"},
        {"Posicao", FieldKind::Text, "AVALIADOS", "Avaliado", "Posicao", "Avaliado"},
        {"Altura", FieldKind::Double, "AVALIADOS", "Avaliado", "Altura", "Avaliado"},
        {"NomeGrupo", FieldKind::Text, "GRUPOS", "Grupo", "Nome", "Grupo"},
        {"Temporada", FieldKind::Text, "GRUPOS", "Grupo", "Temporada", "Grupo"},
        {"NomeProtocolo", FieldKind::Text, "PROTOCOLOS", "Protocolo", "Nome", "Protocolo"},
        {"NomeAvaliador", FieldKind::Text, "AVALIADORES", "Avaliador", "Nome", "Avaliador"},
    };
    for (const Def &d : evaluationLookups) {
        const QString table = QString::fromLatin1(d.table), key = QString::fromLatin1(d.keyColumn),
                      result = QString::fromLatin1(d.result), local = QString::fromLatin1(d.localKey);
        qAvaliacoes.addLookupField(QString::fromLatin1(d.field), d.kind, [=, this](const RowContext &row) {
            return lookup(table, key, result, row.value(local));
        });
    }
    qLaboratorio.addLookupField(QStringLiteral("NomeAvaliadorPadrao"), FieldKind::Text, [this](const RowContext &row) {
        return lookup(QStringLiteral("AVALIADORES"), QStringLiteral("Avaliador"), QStringLiteral("Nome"),
                      row.value(QStringLiteral("AvaliadorPadrao")));
    });

    for (const char *name : {"Duracao", "Carga", "CargaKgfm", "CargaIncr", "RPM1", "Inclinacao", "InclinacaoIncr"})
        qProtocolos.addCalculatedField(QString::fromLatin1(name), qstrcmp(name, "Duracao") == 0 || qstrcmp(name, "RPM1") == 0
                                                                      ? FieldKind::Integer
                                                                      : FieldKind::Double);
    qAvaliacoesDados.addCalculatedField(QStringLiteral("pVO2CARGA"), FieldKind::Double);
}

void TfrmDM::prepareConnection()
{
    if (m_options.readOnly)
        return;
    // The exclusive lock mode must be set before WAL, so the log's index lives in memory.
    if (m_options.exclusiveLock) {
        try {
            Statement s(m_connection, QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
            s.execute();
        } catch (const StorageError &) {
        }
    }
    // WAL with synchronous=NORMAL: a commit appends to the log without waiting for the disk, and
    // a crash loses at most the last commits, never the file's consistency. The log is folded into
    // the file every 8000 pages rather than 1000, since each fold waits on the disk.
    for (const char *pragma :
         {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL", "PRAGMA wal_autocheckpoint = 8000"}) {
        try {
            Statement s(m_connection, QString::fromLatin1(pragma));
            s.execute();
        } catch (const StorageError &) {
        }
    }
    EnsureIndexes(m_connection);
    try {
        DeleteOrphanSamples();
    } catch (const StorageError &) {
    }
}

bool TfrmDM::Connect()
{
    if (m_connection.isOpen())
        return true;
    try {
        m_connection.open(m_path, m_options.readOnly);
        prepareConnection();
    } catch (const StorageError &) {
        m_connection.close();
        return false;
    }
    return true;
}

void TfrmDM::Disconnect()
{
    m_lookups.clear();
    m_connection.close();
}

bool TfrmDM::OpenDatabase()
{
    if (!Connect()) {
        m_messages.error(QStringLiteral("Erro ao ativar sessão do banco de dados!"));
        return false;
    }
    m_lookups.clear();
    struct Step
    {
        Cursor *cursor;
        const char *message;
    };
    const Step steps[] = {
        {&qAvaliados, "Erro ao abrir tabela Avaliados!"},
        {&qGrupos, "Erro ao abrir tabela Grupos!"},
        {&qProtocolos, "Erro ao abrir tabela Protocolos!"},
        {&qProtocolosEstagios, "Erro ao abrir tabela Protocolos Estágios!"},
        {&qAvaliacoes, "Erro ao abrir tabela Avaliações!"},
        {&qAvaliacoesDados, "Erro ao abrir tabela Avaliações Dados!"},
        {&qLaboratorio, "Erro ao abrir tabela Laboratórios!"},
        {&qAvaliadores, "Erro ao abrir tabela Avaliadores!"},
    };
    for (const Step &step : steps) {
        try {
            if (step.cursor == &qAvaliacoesDados) {
                const bool has = qAvaliacoes.isActive() && !qAvaliacoes.isEmpty();
                qAvaliacoesDados.setParam(AVALIACAO, has ? qAvaliacoes.value(QStringLiteral("Avaliacao")) : QVariant());
                m_linkedVO2Max = has && qAvaliacoes.hasField(QStringLiteral("VO2Maximo"))
                                     ? qAvaliacoes.asFloat(QStringLiteral("VO2Maximo"))
                                     : 0.0;
            }
            step.cursor->open();
        } catch (const StorageError &) {
            m_messages.error(QString::fromUtf8(step.message));
            return false;
        }
    }
    return true;
}

bool TfrmDM::CloseDatabase()
{
    for (Cursor *c : {&qAvaliados, &qGrupos, &qProtocolos, &qProtocolosEstagios, &qAvaliacoes, &qAvaliacoesDados,
                      &qLaboratorio, &qAvaliadores}) {
        c->cancel();
        c->close();
    }
    // Closing the last connection folds the log back into the file and removes it.
    Disconnect();
    return true;
}

int TfrmDM::ExecSQL(const QString &sql, const std::map<QString, QVariant> &params)
{
    if (!m_connection.isOpen())
        throw StorageError(QStringLiteral("O banco de dados não está aberto."));
    int changed = 0;
    try {
        m_connection.begin();
        Statement s(m_connection, sql);
        for (const auto &[name, value] : params)
            s.bind(name, value);
        changed = s.execute();
        m_connection.commit();
    } catch (const StorageError &) {
        m_connection.rollback();
        m_lookups.clear();
        throw;
    }
    m_lookups.clear();
    return changed;
}

bool TfrmDM::CheckpointDatabase()
{
    if (!m_connection.isOpen())
        return true;
    try {
        Statement s(m_connection, QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
        // Returns (busy, log frames, checkpointed frames); busy means the copy would be incomplete.
        if (s.step() && s.columnInt64(0) != 0)
            return false;
        s.reset();
    } catch (const StorageError &) {
        return false;
    }
    return true;
}

int TfrmDM::DeleteOrphanSamples()
{
    return ExecSQL(QStringLiteral("DELETE FROM AVALIACOESDADOS WHERE NOT EXISTS "
                                  "(SELECT 1 FROM AVALIACOES WHERE AVALIACOES.Avaliacao = AVALIACOESDADOS.Avaliacao)"));
}

} // namespace kestrova
