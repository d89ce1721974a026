#include "database_setup.h"

#include "sqlite_connection.h"

#include "schema_sql.h"

#include <QFile>
#include <QRegularExpression>

namespace kestrova {

namespace {

struct StandardProtocol
{
    const char *nome;
    const char *tipoErgometro;
    const char *unidCarga;
    int stages;
    int duration;    // seconds per stage
    double first;    // load of stage 1 in the protocol's unit
    double step;     // increment per stage
    int rpm;
    double incline;  // treadmill incline, percent
};

// Cycle loads: watts = kgfm x 0.98 x RPM.
const StandardProtocol StandardProtocols[] = {
    {"CICLO 25 WATTS 2 MIN", "C", "watts", 12, 120, 25, 25, 60, 0},
    {"CICLO 0,5 KGFM 2 MIN", "C", "kgfm", 10, 120, 0.5, 0.5, 60, 0},
    {"ESTEIRA 1 KM/H 1 MIN", "E", "km/h", 14, 60, 6, 1, 0, 1},
};

void InsertStandardProtocols(Connection &c)
{
    Statement protocol(c, QStringLiteral(
        "INSERT INTO PROTOCOLOS (Protocolo, Nome, TipoErgometro, NumEstagios, TipoEstagio, UnidCarga, DuracaoTotal) "
        "VALUES (:Protocolo, :Nome, :TipoErgometro, :NumEstagios, 'R', :UnidCarga, :DuracaoTotal)"));
    Statement stage(c, QStringLiteral(
        "INSERT INTO PROTOCOLOSESTAGIOS (Protocolo, Estagio, Duracao, DuracaoFim, Carga, CargaKgfm, CargaIncr, "
        "Inclinacao, InclinacaoIncr, RPM) VALUES (:Protocolo, :Estagio, :Duracao, :DuracaoFim, :Carga, :CargaKgfm, "
        ":CargaIncr, :Inclinacao, :InclinacaoIncr, :RPM)"));
    int number = 0;
    for (const StandardProtocol &p : StandardProtocols) {
        ++number;
        const bool cycle = QLatin1String(p.tipoErgometro) == QLatin1String("C");
        const bool kgfm = QLatin1String(p.unidCarga) == QLatin1String("kgfm");
        protocol.bind(QStringLiteral("Protocolo"), number);
        protocol.bind(QStringLiteral("Nome"), QString::fromUtf8(p.nome));
        protocol.bind(QStringLiteral("TipoErgometro"), QString::fromLatin1(p.tipoErgometro));
        protocol.bind(QStringLiteral("NumEstagios"), p.stages);
        protocol.bind(QStringLiteral("UnidCarga"), QString::fromLatin1(p.unidCarga));
        protocol.bind(QStringLiteral("DuracaoTotal"), p.stages * p.duration);
        protocol.execute();
        for (int s = 1; s <= p.stages; ++s) {
            const double load = p.first + p.step * (s - 1);
            double watts = load, loadKgfm = 0;
            if (cycle && kgfm) {
                loadKgfm = load;
                watts = load * 0.98 * p.rpm;
            } else if (cycle) {
                loadKgfm = load / (0.98 * p.rpm);
            }
            stage.bind(QStringLiteral("Protocolo"), number);
            stage.bind(QStringLiteral("Estagio"), s);
            stage.bind(QStringLiteral("Duracao"), p.duration);
            stage.bind(QStringLiteral("DuracaoFim"), p.duration * s);
            stage.bind(QStringLiteral("Carga"), watts);
            stage.bind(QStringLiteral("CargaKgfm"), loadKgfm);
            stage.bind(QStringLiteral("CargaIncr"), s == 1 ? 0.0 : p.step);
            stage.bind(QStringLiteral("Inclinacao"), p.incline);
            stage.bind(QStringLiteral("InclinacaoIncr"), 0.0);
            stage.bind(QStringLiteral("RPM"), p.rpm);
            stage.execute();
        }
    }
}

} // namespace

QString SchemaSql()
{
    return QString::fromUtf8(kSchemaSql);
}

void CreateDatabase(const QString &path)
{
    const QString partial = path + QStringLiteral(".novo");
    QFile::remove(partial);
    {
        Connection c;
        c.open(partial, false, true);
        try {
            c.begin();
            c.exec(SchemaSql());
            c.exec(QStringLiteral("INSERT INTO GRUPOS (Grupo, Nome) VALUES (0, 'INDIVIDUAL')"));
            InsertStandardProtocols(c);
            c.commit();
        } catch (const StorageError &) {
            c.rollback();
            c.close();
            QFile::remove(partial);
            throw;
        }
    }
    // Made under another name and renamed, so a failure never leaves a half-made kestrova.db.
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw StorageError(QStringLiteral("Não foi possível criar o banco de dados %1.").arg(path));
    }
}

void EnsureIndexes(Connection &connection)
{
    static const QRegularExpression index(QStringLiteral("CREATE INDEX[^;]*;"));
    auto it = index.globalMatch(SchemaSql());
    while (it.hasNext()) {
        try {
            connection.exec(it.next().captured(0));
        } catch (const StorageError &) {
        }
    }
}

} // namespace kestrova
