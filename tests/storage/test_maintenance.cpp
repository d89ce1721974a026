#include "storage_fixture.h"

#include "protocol_loader.h"

#include <QFile>

namespace kestrova::test {
namespace {

// A database as an older version left it: no AVALIACOESDADOS.Estagio, no threshold 1 columns.
class Upgrade : public StorageTest
{
protected:
    void SetUp() override { makeOldDatabase(); }

    void makeOldDatabase()
    {
        closeModule();
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(path() + QLatin1String(suffix));
        Connection c;
        c.open(path(), false, true);
        c.exec(QStringLiteral(
            "CREATE TABLE AVALIADOS (Avaliado INTEGER, Nome TEXT, Apelido TEXT, Nascimento DATETIME, Sexo TEXT, "
            "Altura DOUBLE, Modalidade TEXT, Posicao TEXT, Observacao TEXT);"
            "CREATE TABLE GRUPOS (Grupo INTEGER, Nome TEXT, Temporada TEXT, Observacao TEXT);"
            "CREATE TABLE PROTOCOLOS (Protocolo INTEGER, Nome TEXT, TipoErgometro TEXT, NumEstagios INTEGER, "
            "TipoEstagio TEXT, UnidCarga TEXT, DuracaoTotal INTEGER, RPM INTEGER);"
            "CREATE TABLE PROTOCOLOSESTAGIOS (Protocolo INTEGER, Estagio INTEGER NOT NULL, Duracao INTEGER, "
            "DuracaoFim INTEGER, Carga DOUBLE, CargaKgfm DOUBLE, CargaIncr DOUBLE, Inclinacao DOUBLE, "
            "InclinacaoIncr DOUBLE, RPM INTEGER);"
            "CREATE TABLE AVALIACOES (Avaliacao INTEGER, Avaliado INTEGER, Grupo INTEGER, Protocolo INTEGER, "
            "FCLimiar INTEGER, VO2Maximo DOUBLE);"
            "CREATE TABLE AVALIACOESDADOS (Avaliacao INTEGER, SeqAmostra INTEGER NOT NULL, FC INTEGER, "
            "TempoTotal INTEGER);"
            "CREATE TABLE LABORATORIO (Nome TEXT, AvaliadorPadrao INTEGER, RelLogo BLOB, RelMargemInf DOUBLE, "
            "RelRodape TEXT);"
            "CREATE TABLE AVALIADORES (Avaliador INTEGER, Nome TEXT, Observacao TEXT);"
            "INSERT INTO GRUPOS VALUES (0, 'INDIVIDUAL', NULL, NULL);"
            "INSERT INTO PROTOCOLOS (Protocolo, Nome, NumEstagios) VALUES (1, 'DOIS', 2);"
            "INSERT INTO PROTOCOLOSESTAGIOS (Protocolo, Estagio, Duracao, DuracaoFim) VALUES (1, 1, 60, 60), (1, 2, 60, 120);"
            "INSERT INTO AVALIACOES (Avaliacao, Protocolo, FCLimiar) VALUES (1, 1, 170), (2, 1, 150);"
            "INSERT INTO AVALIACOESDADOS VALUES (1, 1, 153, 30), (1, 2, 160, 60), (1, 3, 170, 90), (1, 4, 172, 180),"
            "(2, 1, 120, 60), (2, 2, 128, 120);"));
    }

    bool hasColumn(const char *table, const char *column)
    {
        return scalar(QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('%1') WHERE name = '%2'")
                          .arg(QLatin1String(table), QLatin1String(column)))
                   .toInt()
            == 1;
    }
    QString stages(int evaluation)
    {
        return scalar(QStringLiteral("SELECT group_concat(COALESCE(Estagio, '-'), '') FROM "
                                     "(SELECT Estagio FROM AVALIACOESDADOS WHERE Avaliacao = %1 ORDER BY SeqAmostra)")
                          .arg(evaluation))
            .toString();
    }
};

TEST_F(Upgrade, StepsByStoredVersion)
{
    struct Case
    {
        const char *name;
        uint16_t version;
        bool stages;
        bool threshold1;
    };
    for (const Case &c : {Case{"from 0 both steps", 0, true, true}, Case{"from 6500 both steps", 6500, true, true},
                          Case{"from 7008 only the second", 7008, false, true},
                          Case{"from 7011 nothing", 7011, false, false}}) {
        makeOldDatabase();
        if (!c.stages)
            exec(QStringLiteral("ALTER TABLE AVALIACOESDADOS ADD COLUMN Estagio INTEGER"));
        if (!c.threshold1 && c.version == 7011) {
            // A current database: the columns are there; nothing may change.
            exec(QStringLiteral("ALTER TABLE AVALIACOES ADD COLUMN FCLimiar1 INTEGER"));
            exec(QStringLiteral("ALTER TABLE AVALIACOES ADD COLUMN FCLimiar1Amostra INTEGER"));
            exec(QStringLiteral("ALTER TABLE AVALIACOESDADOS ADD COLUMN PFCLimiar1 DOUBLE"));
        }
        TfrmDM &d = open(DataModuleOptions{false, false});
        ASSERT_TRUE(d.DatabaseOpen) << c.name;
        d.CloseDatabase();
        std::vector<int> percents;
        d.UpgradeDatabase(c.version, [&](const QString &caption, int percent) {
            EXPECT_EQ(caption, QStringLiteral("Atualizando Banco de Dados..."));
            percents.push_back(percent);
        });
        EXPECT_TRUE(d.Connected()) << c.name;
        EXPECT_FALSE(d.qAvaliacoes.isActive()) << c.name;
        ASSERT_TRUE(d.OpenDatabase()) << c.name;
        EXPECT_TRUE(hasColumn("AVALIACOESDADOS", "Estagio"));
        EXPECT_TRUE(hasColumn("AVALIACOES", "FCLimiar1"));
        EXPECT_TRUE(hasColumn("AVALIACOESDADOS", "PFCLimiar1"));
        EXPECT_EQ(stages(1), c.stages ? QStringLiteral("1122") : QStringLiteral("----")) << c.name;
        EXPECT_EQ(stages(2), c.stages ? QStringLiteral("12") : QStringLiteral("--")) << c.name;
        const QVariant t1 = scalar(QStringLiteral("SELECT group_concat(COALESCE(FCLimiar1, '-'), ' ') FROM AVALIACOES"));
        EXPECT_EQ(t1.toString(), c.threshold1 ? QStringLiteral("144 128") : QStringLiteral("- -")) << c.name;
        if (c.threshold1) {
            EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT PFCLimiar1 FROM AVALIACOESDADOS WHERE Avaliacao = 2 AND "
                                                   "SeqAmostra = 2")).toDouble(),
                             100.0);
            EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT PFCLimiar1 FROM AVALIACOESDADOS WHERE Avaliacao = 1 AND "
                                                   "SeqAmostra = 1")).toDouble(),
                             153.0 / 144.0 * 100.0);
            ASSERT_FALSE(percents.empty());
            EXPECT_EQ(percents.back(), 100);
        }
        closeModule();
    }
}

TEST_F(Upgrade, RunningTwiceIsHarmless)
{
    TfrmDM &d = open(DataModuleOptions{false, false});
    d.CloseDatabase();
    d.UpgradeDatabase(0);
    exec(QStringLiteral("UPDATE AVALIACOES SET FCLimiar = 100 WHERE Avaliacao = 1"));
    d.UpgradeDatabase(7008);
    EXPECT_TRUE(d.OpenDatabase());
    EXPECT_EQ(scalar(QStringLiteral("SELECT FCLimiar1 FROM AVALIACOES WHERE Avaliacao = 1")).toInt(), 85);
    EXPECT_EQ(stages(1), QStringLiteral("1122"));
}

using Recover = StorageTest;

TEST_F(Recover, RemovesTheEvaluationAndReopens)
{
    dm();
    closeModule();
    exec(QStringLiteral("INSERT INTO AVALIACOES (Avaliacao) VALUES (1), (2)"));
    exec(QStringLiteral("INSERT INTO AVALIACOESDADOS (Avaliacao, SeqAmostra) VALUES (1, 1), (1, 2), (2, 1), (2, 2), (2, 3)"));
    TfrmDM &d = open();
    // A save that failed half-way: a pending sample row of evaluation 2.
    d.qAvaliacoesDados.append();
    d.qAvaliacoesDados.setValue(QStringLiteral("Avaliacao"), 2);
    d.qAvaliacoesDados.setValue(QStringLiteral("SeqAmostra"), 4);
    QStringList captions;
    d.RecoverEvaluation(2, [&](const QString &caption, int) { captions << caption; });
    EXPECT_TRUE(d.DatabaseRepaired);
    EXPECT_EQ(captions.first(), QStringLiteral("Recuperando BD... %15"));
    EXPECT_EQ(captions.last(), QStringLiteral("Recuperando BD... %100"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIACOESDADOS WHERE Avaliacao = 2")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIACOES WHERE Avaliacao = 2")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIACOESDADOS WHERE Avaliacao = 1")).toInt(), 2);
    EXPECT_TRUE(d.qAvaliacoes.isActive());
    EXPECT_EQ(d.qAvaliacoes.recordCount(), 1);

    // A number with no rows only reopens.
    d.DatabaseRepaired = false;
    d.RecoverEvaluation(9);
    EXPECT_TRUE(d.DatabaseRepaired);
    EXPECT_TRUE(d.qAvaliadores.isActive());
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIACOES")).toInt(), 1);
}

class Protocols : public StorageTest
{
protected:
    void SetUp() override
    {
        dm();
        closeModule();
        exec(QStringLiteral("INSERT INTO PROTOCOLOS (Protocolo, Nome, TipoErgometro, TipoEstagio, NumEstagios, UnidCarga, "
                            "DuracaoTotal) VALUES (10, 'TRES', 'CICLO', 'R', 3, 'watts', 180), "
                            "(11, 'QUATRO', 'E', 'I', 4, 'km/h', 240), (12, 'ZERO', 'C', 'R', 0, 'watts', 0), "
                            "(13, 'DEMAIS', 'C', 'R', 241, 'watts', 0)"));
        for (int s = 1; s <= 5; ++s)
            exec(QStringLiteral("INSERT INTO PROTOCOLOSESTAGIOS (Protocolo, Estagio, Duracao, DuracaoFim, Carga, RPM) "
                                "VALUES (10, :S, 60, :FIM, :CARGA, 60)"),
                 {{QStringLiteral("S"), s}, {QStringLiteral("FIM"), 60 * s}, {QStringLiteral("CARGA"), 25.0 * s}});
        exec(QStringLiteral("INSERT INTO PROTOCOLOSESTAGIOS (Protocolo, Estagio, Duracao, DuracaoFim, Carga, Inclinacao) "
                            "VALUES (11, 1, 60, 60, 6, 1), (11, 2, 60, 120, 7, 2)"));
        open();
    }
};

TEST_F(Protocols, LoadsStagesUpToNumEstagios)
{
    TProtocolo p;
    p.Estagios[5].Carga = 99;   // leftovers of an earlier protocol
    p.Protocolo = 10;
    ASSERT_TRUE(LoadProtocol(dm(), p));
    EXPECT_EQ(p.Nome, QStringLiteral("TRES"));
    EXPECT_EQ(p.TipoErgometro, 'C');
    EXPECT_EQ(p.TipoEstagio, 'R');
    EXPECT_EQ(p.NumEstagios, 3);
    EXPECT_EQ(p.UnidCarga, QStringLiteral("watts"));
    EXPECT_EQ(p.DuracaoTotal, 180);
    EXPECT_DOUBLE_EQ(p.Estagios[3].Carga, 75);
    EXPECT_EQ(p.Estagios[3].DuracaoFim, 180);
    EXPECT_EQ(p.Estagios[2].RPM, 60);
    for (int s = 4; s <= MaxStages; ++s)
        ASSERT_EQ(p.Estagios[s].Carga, 0) << s;

    p.Protocolo = 11;
    ASSERT_TRUE(LoadProtocol(dm(), p));
    EXPECT_EQ(p.NumEstagios, 4);
    EXPECT_DOUBLE_EQ(p.Estagios[3].Carga, 7) << "stages without rows repeat the last row";
    EXPECT_DOUBLE_EQ(p.Estagios[4].Inclinacao, 2);
    EXPECT_EQ(p.Estagios[4].DuracaoFim, 120);
    EXPECT_EQ(p.Estagios[5].Carga, 0);
}

TEST_F(Protocols, MissingOrOversizedProtocolLeavesTheRecord)
{
    TProtocolo p;
    p.Protocolo = 10;
    ASSERT_TRUE(LoadProtocol(dm(), p));
    struct Case
    {
        const char *name;
        int number;
        bool throws;
    };
    for (const Case &c : {Case{"missing", 99, false}, Case{"no stages", 12, true}, Case{"more than 240", 13, true}}) {
        TProtocolo q = p;
        q.Protocolo = c.number;
        if (c.throws) {
            EXPECT_THROW(LoadProtocol(dm(), q), StorageError) << c.name;
        } else {
            EXPECT_FALSE(LoadProtocol(dm(), q)) << c.name;
        }
        EXPECT_EQ(q.Nome, QStringLiteral("TRES")) << c.name;
        EXPECT_EQ(q.NumEstagios, 3) << c.name;
        EXPECT_DOUBLE_EQ(q.Estagios[3].Carga, 75) << c.name;
    }
}

TEST_F(Protocols, RestagingKeepsLateSamplesAtTheLastStage)
{
    dm().ExecSQL(QStringLiteral("INSERT INTO AVALIACOES (Avaliacao, Protocolo) VALUES (1, 10)"));
    for (int s = 1; s <= 8; ++s)
        dm().ExecSQL(QStringLiteral("INSERT INTO AVALIACOESDADOS (Avaliacao, SeqAmostra, TempoTotal, Estagio) "
                                    "VALUES (1, :S, :T, 9)"),
                     {{QStringLiteral("S"), s}, {QStringLiteral("T"), 30 * s}});
    TProtocolo p;
    p.Protocolo = 10;
    ASSERT_TRUE(LoadProtocol(dm(), p));
    RestageSamples(dm(), p, 1);
    // Stage ends at 60, 120 and 180 s; a sample moves on once the stage's end is behind it.
    EXPECT_EQ(scalar(QStringLiteral("SELECT group_concat(Estagio, '') FROM "
                                    "(SELECT Estagio FROM AVALIACOESDADOS ORDER BY SeqAmostra)"))
                  .toString(),
              QStringLiteral("11223333"));
}

} // namespace
} // namespace kestrova::test
