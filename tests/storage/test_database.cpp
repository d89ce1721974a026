#include "storage_fixture.h"

#include "database_setup.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace kestrova::test {
namespace {

using Database = StorageTest;

TEST_F(Database, MissingFileIsCreatedWithReservedGroupAndStandardProtocols)
{
    TfrmDM &d = dm();
    ASSERT_TRUE(d.DatabaseOpen) << messages.texts().join(QStringLiteral("; ")).toStdString();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(d.DatabaseVersion, 7011);
    ASSERT_EQ(d.qGrupos.recordCount(), 1);
    EXPECT_EQ(d.qGrupos.asInteger(QStringLiteral("Grupo")), 0);
    EXPECT_EQ(d.qGrupos.asString(QStringLiteral("Nome")), QStringLiteral("INDIVIDUAL"));

    QStringList kinds;
    for (d.qProtocolos.first(); !d.qProtocolos.eof(); d.qProtocolos.next())
        kinds << d.qProtocolos.asString(QStringLiteral("TipoErgometro")) + QLatin1Char('/')
                     + d.qProtocolos.asString(QStringLiteral("UnidCarga"));
    EXPECT_EQ(kinds, (QStringList{QStringLiteral("C/watts"), QStringLiteral("C/kgfm"), QStringLiteral("E/km/h")}));
    // Every standard protocol's stages end where the protocol ends, and cycle loads agree.
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM PROTOCOLOS p WHERE DuracaoTotal <> "
                                    "(SELECT MAX(DuracaoFim) FROM PROTOCOLOSESTAGIOS s WHERE s.Protocolo = p.Protocolo)"))
                  .toInt(),
              0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM PROTOCOLOSESTAGIOS WHERE RPM > 0 AND "
                                    "ABS(Carga - CargaKgfm * 0.98 * RPM) > 1e-9"))
                  .toInt(),
              0);
    EXPECT_FALSE(QFileInfo::exists(path() + QStringLiteral(".novo")));
}

TEST_F(Database, FileWithoutTablesFailsOnTheFirstCursorOnly)
{
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    TfrmDM &d = dm();
    EXPECT_FALSE(d.DatabaseOpen);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Erro ao abrir tabela Avaliados!"));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Erro"));
    EXPECT_FALSE(d.qGrupos.isActive());
    EXPECT_FALSE(d.qAvaliadores.isActive());
}

TEST_F(Database, EachMissingTableStopsTheOpeningWithItsOwnMessage)
{
    struct Case
    {
        const char *table;
        const char *message;
        int opened;   // cursors opened before the failing one
    };
    const Case cases[] = {
        {"AVALIADOS", "Erro ao abrir tabela Avaliados!", 0},
        {"GRUPOS", "Erro ao abrir tabela Grupos!", 1},
        {"PROTOCOLOS", "Erro ao abrir tabela Protocolos!", 2},
        {"PROTOCOLOSESTAGIOS", "Erro ao abrir tabela Protocolos Estágios!", 3},
        {"AVALIACOES", "Erro ao abrir tabela Avaliações!", 4},
        {"AVALIACOESDADOS", "Erro ao abrir tabela Avaliações Dados!", 5},
        {"LABORATORIO", "Erro ao abrir tabela Laboratórios!", 6},
        {"AVALIADORES", "Erro ao abrir tabela Avaliadores!", 7},
    };
    for (const Case &c : cases) {
        closeModule();
        for (const char *suffix : {"", "-wal", "-shm"})
            QFile::remove(path() + QLatin1String(suffix));
        dm();
        closeModule();
        // Without protocol rows the protocol list never reads the stage table.
        exec(QStringLiteral("DELETE FROM PROTOCOLOS"));
        exec(QStringLiteral("DROP TABLE %1").arg(QLatin1String(c.table)));
        messages.shown.clear();
        TfrmDM &d = open(DataModuleOptions{false, false});
        EXPECT_FALSE(d.DatabaseOpen) << c.table;
        ASSERT_EQ(messages.shown.size(), 1u) << c.table;
        EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(c.message));
        EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Erro"));
        EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);
        const Cursor *order[] = {&d.qAvaliados,  &d.qGrupos,           &d.qProtocolos,   &d.qProtocolosEstagios,
                                 &d.qAvaliacoes, &d.qAvaliacoesDados, &d.qLaboratorio, &d.qAvaliadores};
        for (int i = 0; i < 8; ++i)
            EXPECT_EQ(order[i]->isActive(), i < c.opened) << c.table << " cursor " << i;
    }
}

TEST_F(Database, SqliteClientSeesTheSchema)
{
    dm();
    closeModule();
    const QString client = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (client.isEmpty())
        GTEST_SKIP() << "sqlite3 client not installed";
    const std::map<QString, QString> expected = {
        {QStringLiteral("AVALIADOS"), QStringLiteral("Avaliado INTEGER,Nome TEXT,Apelido TEXT,Nascimento DATETIME,Sexo TEXT,"
                                                     "Altura DOUBLE,Modalidade TEXT,Posicao TEXT,Observacao TEXT")},
        {QStringLiteral("GRUPOS"), QStringLiteral("Grupo INTEGER,Nome TEXT,Temporada TEXT,Observacao TEXT")},
        {QStringLiteral("PROTOCOLOS"), QStringLiteral("Protocolo INTEGER,Nome TEXT,TipoErgometro TEXT,NumEstagios INTEGER,"
                                                      "TipoEstagio TEXT,UnidCarga TEXT,DuracaoTotal INTEGER,RPM INTEGER")},
        {QStringLiteral("PROTOCOLOSESTAGIOS"),
         QStringLiteral("Protocolo INTEGER,Estagio INTEGER,Duracao INTEGER,DuracaoFim INTEGER,Carga DOUBLE,CargaKgfm DOUBLE,"
                        "CargaIncr DOUBLE,Inclinacao DOUBLE,InclinacaoIncr DOUBLE,RPM INTEGER,RecEstagio INTEGER,"
                        "RecDuracao INTEGER,RecDuracaoFim INTEGER,RecCarga DOUBLE,RecCargaKgfm DOUBLE,RecCargaIncr DOUBLE,"
                        "RecInclinacao DOUBLE,RecInclinacaoIncr DOUBLE,RecRPM INTEGER")},
        {QStringLiteral("AVALIACOES"),
         QStringLiteral("Avaliacao INTEGER,Avaliado INTEGER,Grupo INTEGER,Protocolo INTEGER,Individuo TEXT,TipoTeste TEXT,"
                        "TipoErgometro TEXT,AquisicaoFC TEXT,Data DATETIME,Idade INTEGER,Sexo TEXT,Peso DOUBLE,"
                        "FCRepouso INTEGER,Gordura DOUBLE,Avaliador TEXT,Observacao TEXT,CargaMaxAtingida DOUBLE,"
                        "CargaMaxAmostra INTEGER,CargaMaxTempoMin DOUBLE,CargaMaxTempoSeg INTEGER,FCLimiar INTEGER,"
                        "FCLimiarAmostra INTEGER,FCMaxPrevistaCiclo INTEGER,FCMaxPrevistaEsteira INTEGER,"
                        "FCMaximaIdade INTEGER,FCMaxAtingida INTEGER,FCMaxAmostra INTEGER,FatorFCReservaEsteira DOUBLE,"
                        "FatorFCReservaCiclo DOUBLE,FatorFCReservaTeste DOUBLE,FatorReservaLV2 DOUBLE,"
                        "AmostrasEstagio INTEGER,CargaAmostra DOUBLE,MediaDifFC3m DOUBLE,AmostrasAcrescidas INTEGER,"
                        "TotalAmostrasProjetadas INTEGER,EstagiosAcrescidos INTEGER,CargaAcrescida DOUBLE,"
                        "CargaMaxProjetada DOUBLE,CargaKgfmMaxProjetada DOUBLE,TempoAcrescidoSeg INTEGER,"
                        "TempoTotalProjetadoMin DOUBLE,TempoTotalProjetadoSeg INTEGER,VO2Maximo DOUBLE,UnidCarga TEXT,"
                        "RPM INTEGER,FCLimiar1 INTEGER,FCLimiar1Amostra INTEGER")},
        {QStringLiteral("AVALIACOESDADOS"),
         QStringLiteral("Avaliacao INTEGER,SeqAmostra INTEGER,Estagio INTEGER,Carga DOUBLE,CargaKgfm DOUBLE,"
                        "Inclinacao DOUBLE,DistanciaPerAmostra DOUBLE,DistanciaPerEsteira DOUBLE,Velocidade DOUBLE,"
                        "TempoKm DOUBLE,VE DOUBLE,DifVE DOUBLE,VEMed DOUBLE,VE4 DOUBLE,DifVE4 DOUBLE,FC INTEGER,"
                        "DifFC INTEGER,PFCMaxima DOUBLE,VO2RelCarga DOUBLE,PVO2FC DOUBLE,VO2RelFC DOUBLE,"
                        "VO2Absoluto DOUBLE,GastoEnergetico DOUBLE,VO2MassaMagra DOUBLE,VEVO2 DOUBLE,VE4VO2 DOUBLE,"
                        "R DOUBLE,MET DOUBLE,PGlicogenio DOUBLE,PGordura DOUBLE,PFCReservaTeste DOUBLE,"
                        "PFCMaxIdade DOUBLE,PFCReservaIdade DOUBLE,PFCLimiar DOUBLE,TempoTotal INTEGER,PFCLimiar1 DOUBLE")},
        {QStringLiteral("LABORATORIO"),
         QStringLiteral("Nome TEXT,AvaliadorPadrao INTEGER,RelLogo BLOB,RelMargemInf DOUBLE,RelRodape TEXT")},
        {QStringLiteral("AVALIADORES"), QStringLiteral("Avaliador INTEGER,Nome TEXT,Observacao TEXT")},
    };
    for (const auto &[table, columns] : expected) {
        QProcess p;
        p.start(client, {QStringLiteral("-separator"), QStringLiteral(" "), path(),
                         QStringLiteral("SELECT name, type FROM pragma_table_info('%1');").arg(table)});
        ASSERT_TRUE(p.waitForFinished(10000));
        ASSERT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
        const QString out = QString::fromUtf8(p.readAllStandardOutput()).trimmed();
        EXPECT_EQ(out.split(QLatin1Char('\n')).join(QLatin1Char(',')), columns) << table.toStdString();
    }
}

TEST_F(Database, KeysAreTheLastKeyPlusOne)
{
    TfrmDM &d = dm();
    struct Case
    {
        Cursor *cursor;
        const char *key;
        qint64 expected;   // the standard protocols take 1..3; GRUPOS holds only group 0
    };
    for (const Case &c : {Case{&d.qAvaliados, "Avaliado", 1}, Case{&d.qGrupos, "Grupo", 1},
                          Case{&d.qProtocolos, "Protocolo", 4}, Case{&d.qAvaliacoes, "Avaliacao", 1},
                          Case{&d.qAvaliadores, "Avaliador", 1}}) {
        c.cursor->append();
        EXPECT_EQ(c.cursor->asInteger(QString::fromLatin1(c.key)), c.expected) << c.cursor->name().toStdString();
        c.cursor->cancel();
    }

    for (int i = 0; i < 3; ++i) {
        d.qAvaliados.append();
        d.qAvaliados.setValue(QStringLiteral("Nome"), QStringLiteral("PESSOA %1").arg(i));
        d.qAvaliados.post();
    }
    EXPECT_EQ(d.qAvaliados.asInteger(QStringLiteral("Avaliado")), 3);
    d.qAvaliados.last();
    d.qAvaliados.remove();
    d.qAvaliados.append();
    EXPECT_EQ(d.qAvaliados.asInteger(QStringLiteral("Avaliado")), 3) << "deleting the highest key reuses it";
    d.qAvaliados.post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIADOS")).toInt(), 3);
}

TEST_F(Database, ReservedGroupIsInsertedOnce)
{
    dm();
    closeModule();
    exec(QStringLiteral("DELETE FROM GRUPOS"));
    exec(QStringLiteral("INSERT INTO GRUPOS (Grupo, Nome) VALUES (5, 'TIME')"));
    TfrmDM &d = open();
    ASSERT_TRUE(d.DatabaseOpen);
    d.qGrupos.close();
    d.qGrupos.open();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM GRUPOS WHERE Grupo = 0 AND Nome = 'INDIVIDUAL'")).toInt(), 1);
    EXPECT_EQ(d.qGrupos.recordCount(), 2);
    d.qGrupos.first();
    EXPECT_EQ(d.qGrupos.asInteger(QStringLiteral("Grupo")), 0) << "ordered by key";
}

TEST_F(Database, PostsAreCommittedAndReadByAnotherConnection)
{
    DataModuleOptions shared;
    shared.exclusiveLock = false;
    TfrmDM &d = open(shared);
    d.qAvaliados.append();
    d.qAvaliados.setValue(QStringLiteral("Nome"), QStringLiteral("JOÃO"));
    d.qAvaliados.setValue(QStringLiteral("Nascimento"), QDateTime(QDate(1990, 3, 4), QTime(0, 0)));
    d.qAvaliados.setValue(QStringLiteral("Altura"), QStringLiteral("1,75"));
    d.qAvaliados.post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Nome FROM AVALIADOS"), true).toString(), QStringLiteral("JOÃO"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT Nascimento FROM AVALIADOS"), true).toString(), QStringLiteral("1990-03-04 00:00:00"));
    EXPECT_DOUBLE_EQ(scalar(QStringLiteral("SELECT Altura FROM AVALIADOS"), true).toDouble(), 1.75);

    d.qAvaliados.edit();
    d.qAvaliados.setValue(QStringLiteral("Nome"), QStringLiteral("MARIA"));
    d.qAvaliados.post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Nome FROM AVALIADOS"), true).toString(), QStringLiteral("MARIA"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIADOS"), true).toInt(), 1);
}

TEST_F(Database, SessionHoldsTheFileAgainstASecondWriter)
{
    TfrmDM &d = dm();
    d.qGrupos.append();
    d.qGrupos.setValue(QStringLiteral("Nome"), QStringLiteral("EQUIPE"));
    d.qGrupos.post();
    // A second copy of the program cannot change the file while this one has it open.
    Connection other;
    other.open(path());
    EXPECT_THROW(
        {
            Statement s(other, QStringLiteral("INSERT INTO GRUPOS (Grupo, Nome) VALUES (99, 'X')"));
            s.execute();
        },
        StorageError);
    // Once the module closes, every committed row is in the file for anyone.
    closeModule();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM GRUPOS WHERE Nome = 'EQUIPE'"), true).toInt(), 1);
}

TEST_F(Database, DateTimesAreReadWithAndWithoutAFraction)
{
    dm();
    closeModule();
    exec(QStringLiteral("INSERT INTO AVALIACOES (Avaliacao, Data) VALUES (1, '2021-02-03 04:05:06'), "
                        "(2, '2021-02-03 04:05:06.789'), (3, 'ontem')"));
    TfrmDM &d = open();
    d.qAvaliacoes.first();
    EXPECT_EQ(d.qAvaliacoes.asDateTime(QStringLiteral("Data")), QDateTime(QDate(2021, 2, 3), QTime(4, 5, 6)));
    EXPECT_EQ(d.qAvaliacoes.displayText(QStringLiteral("Data")), QStringLiteral("03/02/2021"));
    d.qAvaliacoes.next();
    EXPECT_EQ(d.qAvaliacoes.asDateTime(QStringLiteral("Data")), QDateTime(QDate(2021, 2, 3), QTime(4, 5, 6, 789)));
    // A text that is no date is kept as it is when another column of the row is written.
    d.qAvaliacoes.next();
    d.qAvaliacoes.edit();
    d.qAvaliacoes.setValue(QStringLiteral("Idade"), 30);
    d.qAvaliacoes.post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Data FROM AVALIACOES WHERE Avaliacao = 3")).toString(), QStringLiteral("ontem"));
}

TEST_F(Database, FailingPostRollsBackCancelsAndReports)
{
    TfrmDM &d = dm();
    d.ExecSQL(QStringLiteral("CREATE TRIGGER falha BEFORE INSERT ON AVALIADOS WHEN NEW.Nome = 'FALHA' "
                             "BEGIN SELECT RAISE(ABORT, 'falha simulada'); END"));
    d.ExecSQL(QStringLiteral("CREATE TRIGGER falha2 BEFORE UPDATE ON AVALIADOS WHEN NEW.Nome = 'FALHA' "
                             "BEGIN SELECT RAISE(ABORT, 'falha simulada'); END"));
    d.qAvaliados.append();
    d.qAvaliados.setValue(QStringLiteral("Nome"), QStringLiteral("BOM"));
    d.qAvaliados.post();

    d.qAvaliados.append();
    d.qAvaliados.setValue(QStringLiteral("Nome"), QStringLiteral("FALHA"));
    try {
        d.qAvaliados.post();
        FAIL() << "post should fail";
    } catch (const StorageError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("falha simulada"))) << e.message().toStdString();
    }
    EXPECT_EQ(d.qAvaliados.state(), Cursor::State::Browse);
    EXPECT_EQ(d.qAvaliados.recordCount(), 1);
    EXPECT_FALSE(d.connection().inTransaction());

    d.qAvaliados.edit();
    d.qAvaliados.setValue(QStringLiteral("Nome"), QStringLiteral("FALHA"));
    EXPECT_THROW(d.qAvaliados.post(), StorageError);
    EXPECT_EQ(d.qAvaliados.asString(QStringLiteral("Nome")), QStringLiteral("BOM")) << "the edit is cancelled";
    EXPECT_EQ(scalar(QStringLiteral("SELECT Nome FROM AVALIADOS")).toString(), QStringLiteral("BOM"));

    // The connection is usable afterwards.
    d.qAvaliados.append();
    d.qAvaliados.setValue(QStringLiteral("Nome"), QStringLiteral("OUTRO"));
    d.qAvaliados.post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIADOS")).toInt(), 2);
}

TEST_F(Database, ReadOnlyFileRefusesChangesAndKeepsRows)
{
    dm();
    closeModule();
    exec(QStringLiteral("INSERT INTO AVALIADORES (Avaliador, Nome) VALUES (1, 'ANA')"));
    DataModuleOptions readOnly;
    readOnly.readOnly = true;
    TfrmDM &d = open(readOnly);
    ASSERT_TRUE(d.DatabaseOpen);
    d.qAvaliadores.append();
    d.qAvaliadores.setValue(QStringLiteral("Nome"), QStringLiteral("BIA"));
    EXPECT_THROW(d.qAvaliadores.post(), StorageError);
    EXPECT_EQ(d.qAvaliadores.state(), Cursor::State::Browse);
    EXPECT_THROW(d.qAvaliadores.remove(), StorageError);
    EXPECT_EQ(d.qAvaliadores.recordCount(), 1);
    closeModule();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIADORES")).toInt(), 1);
}

TEST_F(Database, LaboratoryRowIsMatchedByAllOldValuesNullMatchingNull)
{
    dm();
    closeModule();
    exec(QStringLiteral("INSERT INTO LABORATORIO (Nome, AvaliadorPadrao) VALUES (NULL, 2)"));
    exec(QStringLiteral("INSERT INTO LABORATORIO (Nome, AvaliadorPadrao) VALUES ('OUTRO', 2)"));
    exec(QStringLiteral("INSERT INTO AVALIADORES (Avaliador, Nome) VALUES (2, 'CARLOS')"));
    TfrmDM &d = open();
    d.qLaboratorio.first();
    EXPECT_EQ(d.qLaboratorio.asString(QStringLiteral("NomeAvaliadorPadrao")), QStringLiteral("CARLOS"));
    d.qLaboratorio.edit();
    d.qLaboratorio.setValue(QStringLiteral("RelRodape"), QStringLiteral("RODAPÉ"));
    d.qLaboratorio.setValue(QStringLiteral("RelLogo"), QByteArray("\x89PNG\0\1", 6));
    d.qLaboratorio.post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM LABORATORIO WHERE Nome IS NULL AND RelRodape = 'RODAPÉ'")).toInt(), 1);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM LABORATORIO WHERE RelRodape IS NULL")).toInt(), 1);
    // Its blob is part of the old values on the next change.
    d.qLaboratorio.edit();
    d.qLaboratorio.setValue(QStringLiteral("Nome"), QStringLiteral("LAB"));
    d.qLaboratorio.post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM LABORATORIO WHERE Nome = 'LAB' AND length(RelLogo) = 6")).toInt(), 1);
}

TEST_F(Database, SamplesFollowTheCurrentEvaluation)
{
    dm();
    closeModule();
    exec(QStringLiteral("INSERT INTO AVALIACOES (Avaliacao, VO2Maximo) VALUES (1, 50), (2, 0)"));
    exec(QStringLiteral("INSERT INTO AVALIACOESDADOS (Avaliacao, SeqAmostra, VO2RelCarga, TempoTotal) VALUES "
                        "(1, 1, 60, 10), (1, 2, 25, 20), (2, 1, 30, 10)"));
    TfrmDM &d = open();
    d.qAvaliacoes.first();
    ASSERT_EQ(d.qAvaliacoesDados.recordCount(), 2);
    EXPECT_EQ(d.qAvaliacoesDados.displayText(QStringLiteral("pVO2CARGA")), QStringLiteral("100,0")) << "capped at 100";
    d.qAvaliacoesDados.next();
    EXPECT_EQ(d.qAvaliacoesDados.displayText(QStringLiteral("pVO2CARGA")), QStringLiteral("50,0"));
    d.qAvaliacoes.next();
    ASSERT_EQ(d.qAvaliacoesDados.recordCount(), 1);
    EXPECT_EQ(d.qAvaliacoesDados.displayText(QStringLiteral("pVO2CARGA")), QString()) << "VO2Maximo 0 shows nothing";
    // Callers may also set the parameter and re-read.
    d.qAvaliacoesDados.setParam(QStringLiteral("AVALIACAO"), 1);
    d.qAvaliacoesDados.refresh();
    EXPECT_EQ(d.qAvaliacoesDados.recordCount(), 2);
}

TEST_F(Database, OrphanSamplesAreRemovedBeforeTheirNumberIsReused)
{
    dm();
    closeModule();
    exec(QStringLiteral("INSERT INTO AVALIACOES (Avaliacao) VALUES (1)"));
    exec(QStringLiteral("INSERT INTO AVALIACOESDADOS (Avaliacao, SeqAmostra) VALUES (1, 1), (2, 1), (2, 2)"));
    TfrmDM &d = open();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIACOESDADOS WHERE Avaliacao = 2")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIACOESDADOS WHERE Avaliacao = 1")).toInt(), 1);
    d.qAvaliacoes.append();
    EXPECT_EQ(d.qAvaliacoes.asInteger(QStringLiteral("Avaliacao")), 2);
}

TEST_F(Database, CheckpointLeavesACompleteDatabaseFile)
{
    TfrmDM &d = dm();
    for (int i = 0; i < 50; ++i) {
        d.qAvaliadores.append();
        d.qAvaliadores.setValue(QStringLiteral("Nome"), QStringLiteral("AVALIADOR %1").arg(i));
        d.qAvaliadores.post();
    }
    ASSERT_TRUE(d.CheckpointDatabase());
    // What the backup copies: the .db file alone.
    const QString copy = folder() + QStringLiteral("/copia.db");
    ASSERT_TRUE(QFile::copy(path(), copy));
    Connection c;
    c.open(copy, true);
    Statement s(c, QStringLiteral("SELECT COUNT(*) FROM AVALIADORES"));
    ASSERT_TRUE(s.step());
    EXPECT_EQ(s.columnInt64(0), 50);
    c.close();
    d.CloseDatabase();
    EXPECT_FALSE(QFileInfo::exists(path() + QStringLiteral("-wal"))) << "closing folds the log into the file";
}

} // namespace
} // namespace kestrova::test
