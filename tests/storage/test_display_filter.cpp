#include "storage_fixture.h"

#include "cursor_table_model.h"

namespace kestrova::test {
namespace {

class Display : public StorageTest
{
protected:
    void SetUp() override
    {
        dm();
        closeModule();
        exec(QStringLiteral("DELETE FROM PROTOCOLOS"));
        exec(QStringLiteral("DELETE FROM PROTOCOLOSESTAGIOS"));
        exec(QStringLiteral("INSERT INTO AVALIADOS (Avaliado, Nome, Apelido, Altura, Posicao) VALUES "
                            "(1, 'ANA SILVA', 'ANINHA', 1.7, 'GOLEIRA'), (2, 'Pedro Silvano', NULL, 1.82, NULL), "
                            "(3, 'CARLOS', NULL, 1.9, NULL)"));
        exec(QStringLiteral("INSERT INTO GRUPOS (Grupo, Nome, Temporada) VALUES (1, 'TIME A', '2024')"));
        exec(QStringLiteral("INSERT INTO AVALIADORES (Avaliador, Nome) VALUES (7, 'DRA. LIMA')"));
        exec(QStringLiteral("INSERT INTO PROTOCOLOS (Protocolo, Nome, TipoErgometro, TipoEstagio, NumEstagios) VALUES "
                            "(1, 'BALKE', 'E', 'R', 2), (2, 'VAZIO', 'C', 'I', 1)"));
        exec(QStringLiteral("INSERT INTO PROTOCOLOSESTAGIOS (Protocolo, Estagio, Duracao, Carga, CargaKgfm, CargaIncr, RPM, "
                            "Inclinacao, InclinacaoIncr) VALUES (1, 2, 90, 8, 0, 1, 0, 2, 1), (1, 1, 60, 7.5, 0, 0, 5, 1.25, 0)"));
        exec(QStringLiteral(
            "INSERT INTO AVALIACOES (Avaliacao, Avaliado, Grupo, Protocolo, Idade, Sexo, Peso, Gordura, Data, Observacao, "
            "Avaliador, FCRepouso, VO2Maximo, FCLimiar) VALUES "
            "(1, 1, 1, 1, 35, 'F', 61.26, 18.5, '2024-02-01 10:00:00', 'TREINO|1,000000', '7', 7, 48.26, 170), "
            "(2, 2, 0, 1, 100, 'M', 80, 12, '2024-03-05 09:30:00', 'TREINO', '07', 60, 0, 150), "
            "(3, 3, 0, 2, 28, 'M', 72.5, 10, '2023-12-31 23:59:59', NULL, '9', 55, 40, 160)"));
        exec(QStringLiteral("INSERT INTO AVALIACOESDADOS (Avaliacao, SeqAmostra, TempoTotal, VE4, PFCMaxima, FC, Inclinacao) "
                            "VALUES (1, 1, 59, 0.0123, 95.44, 7, 1.5), (1, 2, 3600, 12.5, 100, 180, 0), (1, 3, 6000, 0, 0, 0, 0)"));
        open();
        ASSERT_TRUE(dm().DatabaseOpen) << messages.texts().join(QStringLiteral("; ")).toStdString();
    }

    QStringList evaluationNumbers()
    {
        QStringList n;
        for (dm().qAvaliacoes.first(); !dm().qAvaliacoes.eof(); dm().qAvaliacoes.next())
            n << dm().qAvaliacoes.asString(QStringLiteral("Avaliacao"));
        return n;
    }
    QStringList withCriterion(const char *field, CriterionKind kind, const QString &value)
    {
        dm().SelectionCriteria.clear();
        dm().SelectionCriteria.set(QString::fromLatin1(field), kind, value);
        dm().qAvaliacoes.refresh();
        return evaluationNumbers();
    }
};

TEST_F(Display, TextsOfColumns)
{
    struct Case
    {
        const char *name;
        Cursor TfrmDM::*cursor;
        int row;   // 0-based
        const char *field;
        const char *text;
    };
    const Case cases[] = {
        {"treadmill in words", &TfrmDM::qProtocolos, 0, "TipoErgometro", "ESTEIRA"},
        {"cycle in words", &TfrmDM::qProtocolos, 1, "TipoErgometro", "CICLO"},
        {"regular stages", &TfrmDM::qProtocolos, 0, "TipoEstagio", "Regular"},
        {"irregular stages", &TfrmDM::qProtocolos, 1, "TipoEstagio", "Irregular"},
        {"first stage duration", &TfrmDM::qProtocolos, 0, "Duracao", "60"},
        {"first stage load", &TfrmDM::qProtocolos, 0, "Carga", "7,50"},
        {"first stage rpm", &TfrmDM::qProtocolos, 0, "RPM1", "05"},
        {"first stage incline", &TfrmDM::qProtocolos, 0, "Inclinacao", "1,25"},
        {"protocol without stages", &TfrmDM::qProtocolos, 1, "Carga", ""},
        {"protocol without stages rpm", &TfrmDM::qProtocolos, 1, "RPM1", ""},
        {"female", &TfrmDM::qAvaliacoes, 0, "Sexo", "FEMININO"},
        {"male", &TfrmDM::qAvaliacoes, 1, "Sexo", "MASCULINO"},
        {"observation before the bar", &TfrmDM::qAvaliacoes, 0, "Observacao", "TREINO"},
        {"observation without bar", &TfrmDM::qAvaliacoes, 1, "Observacao", ""},
        {"date", &TfrmDM::qAvaliacoes, 2, "Data", "31/12/2023"},
        {"weight", &TfrmDM::qAvaliacoes, 0, "Peso", "61,3"},
        {"resting heart rate", &TfrmDM::qAvaliacoes, 0, "FCRepouso", "07"},
        {"fat", &TfrmDM::qAvaliacoes, 0, "Gordura", "18,5"},
        {"vo2 max", &TfrmDM::qAvaliacoes, 0, "VO2Maximo", "48,3"},
        {"evaluation number", &TfrmDM::qAvaliacoes, 2, "Avaliacao", "3"},
        {"height lookup", &TfrmDM::qAvaliacoes, 0, "Altura", "1,70"},
        {"person lookup", &TfrmDM::qAvaliacoes, 0, "NomeAvaliado", "ANA SILVA"},
        {"group lookup", &TfrmDM::qAvaliacoes, 0, "Temporada", "2024"},
        {"reserved group lookup", &TfrmDM::qAvaliacoes, 1, "NomeGrupo", "INDIVIDUAL"},
        {"protocol lookup", &TfrmDM::qAvaliacoes, 2, "NomeProtocolo", "VAZIO"},
        {"evaluator by text", &TfrmDM::qAvaliacoes, 1, "NomeAvaliador", "DRA. LIMA"},
        {"missing evaluator", &TfrmDM::qAvaliacoes, 2, "NomeAvaliador", ""},
        {"59 seconds", &TfrmDM::qAvaliacoesDados, 0, "TempoTotal", "00:59"},
        {"one hour", &TfrmDM::qAvaliacoesDados, 1, "TempoTotal", "60:00"},
        {"more than 99 minutes", &TfrmDM::qAvaliacoesDados, 2, "TempoTotal", "100:00"},
        {"ve4", &TfrmDM::qAvaliacoesDados, 0, "VE4", "0,012"},
        {"max percentage", &TfrmDM::qAvaliacoesDados, 0, "PFCMaxima", "95,4"},
        {"heart rate", &TfrmDM::qAvaliacoesDados, 0, "FC", "07"},
        {"incline", &TfrmDM::qAvaliacoesDados, 0, "Inclinacao", "1,50"},
    };
    for (const Case &c : cases) {
        Cursor &cursor = dm().*c.cursor;
        if (c.cursor == &TfrmDM::qAvaliacoesDados)
            dm().qAvaliacoes.first();
        cursor.moveTo(c.row);
        EXPECT_EQ(cursor.displayText(QString::fromLatin1(c.field)), QString::fromUtf8(c.text)) << c.name;
    }
}

TEST_F(Display, EmptyCursorShowsEmptyTexts)
{
    dm().qAvaliacoesDados.setParam(QStringLiteral("AVALIACAO"), 99);
    dm().qAvaliacoesDados.refresh();
    ASSERT_TRUE(dm().qAvaliacoesDados.isEmpty());
    EXPECT_EQ(dm().qAvaliacoesDados.displayText(QStringLiteral("TempoTotal")), QString());
    EXPECT_EQ(dm().qAvaliacoesDados.displayText(QStringLiteral("FC")), QString());
}

TEST_F(Display, LabelsAndVisibleColumnsOfTheGridModel)
{
    CursorTableModel model(&dm().qAvaliacoes);
    EXPECT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.columnOfField(QStringLiteral("Avaliador")), -1) << "stored evaluator number is hidden";
    const struct
    {
        const char *field;
        const char *label;
    } labels[] = {{"Avaliacao", "Avaliação"},     {"NomeAvaliado", "Avaliado"},   {"FCLimiar", "FC Limiar 2"},
                  {"FCLimiar1", "FC Limiar 1"},   {"Gordura", "% Gordura"},       {"Observacao", "Observações"},
                  {"NomeAvaliador", "Avaliador"}, {"AquisicaoFC", "Aquisição da FC"}, {"Peso", "Peso"}};
    for (const auto &l : labels) {
        const int column = model.columnOfField(QString::fromLatin1(l.field));
        ASSERT_GE(column, 0) << l.field;
        EXPECT_EQ(model.headerData(column, Qt::Horizontal).toString(), QString::fromUtf8(l.label)) << l.field;
    }
    EXPECT_EQ(model.data(model.index(0, model.columnOfField(QStringLiteral("Sexo")))).toString(), QStringLiteral("FEMININO"));

    // The model follows posts and the current row.
    int current = -1;
    QObject::connect(&model, &CursorTableModel::currentRowChanged, [&](int row) { current = row; });
    dm().qAvaliacoes.append();
    dm().qAvaliacoes.setValue(QStringLiteral("Avaliado"), 3);
    dm().qAvaliacoes.post();
    EXPECT_EQ(model.rowCount(), 4);
    EXPECT_EQ(current, 3);
    EXPECT_EQ(model.data(model.index(3, model.columnOfField(QStringLiteral("NomeAvaliado")))).toString(), QStringLiteral("CARLOS"));
    model.setCurrentRow(0);
    EXPECT_EQ(dm().qAvaliacoes.recNo(), 1);

    CursorTableModel protocols(&dm().qProtocolos);
    EXPECT_EQ(protocols.columnOfField(QStringLiteral("RPM")), -1);
    EXPECT_EQ(protocols.headerData(protocols.columnOfField(QStringLiteral("RPM1")), Qt::Horizontal).toString(),
              QStringLiteral("RPM"));
}

TEST_F(Display, LookupsFollowChangedCatalogs)
{
    dm().qAvaliacoes.moveTo(2);
    EXPECT_EQ(dm().qAvaliacoes.asString(QStringLiteral("NomeAvaliador")), QString());
    dm().qAvaliadores.append();
    EXPECT_EQ(dm().qAvaliadores.asInteger(QStringLiteral("Avaliador")), 8);
    dm().qAvaliadores.setValue(QStringLiteral("Avaliador"), 9);
    dm().qAvaliadores.setValue(QStringLiteral("Nome"), QStringLiteral("NOVO"));
    dm().qAvaliadores.post();
    EXPECT_EQ(dm().qAvaliacoes.asString(QStringLiteral("NomeAvaliador")), QStringLiteral("NOVO"));
}

TEST_F(Display, SelectionCriteria)
{
    struct Case
    {
        const char *name;
        const char *field;
        CriterionKind kind;
        const char *value;
        QStringList expected;
    };
    const QString one = QStringLiteral("1"), two = QStringLiteral("2"), three = QStringLiteral("3");
    const Case cases[] = {
        {"integers compare as text", "Idade", CriterionKind::AtLeast, "30", {one}},
        {"lookup contains, any case", "NomeAvaliado", CriterionKind::Contains, "silva", {one, two}},
        {"lookup equal ignores case", "NomeAvaliado", CriterionKind::EqualTo, "pedro silvano", {two}},
        {"lookup starts with", "NomeAvaliado", CriterionKind::StartsWith, "CAR", {three}},
        {"lookup at most compares codes", "NomeAvaliado", CriterionKind::AtMost, "B", {one}},
        {"height lookup as plain number", "Altura", CriterionKind::EqualTo, "1,82", {two}},
        {"sex by its words", "Sexo", CriterionKind::EqualTo, "MASCULINO", {two, three}},
        {"date as dd/mm/yyyy", "Data", CriterionKind::StartsWith, "01/02", {one}},
        {"observation before the bar", "Observacao", CriterionKind::EqualTo, "TREINO", {one}},
        {"real equal by number", "Peso", CriterionKind::EqualTo, "72,5", {three}},
        {"real at least by number", "Peso", CriterionKind::AtLeast, "72,5", {two, three}},
        {"real starts with its display text", "Peso", CriterionKind::StartsWith, "61,3", {one}},
        {"real contains in display text", "Gordura", CriterionKind::Contains, ",0", {two, three}},
        {"evaluator by lookup text", "NomeAvaliador", CriterionKind::Contains, "LIMA", {one, two}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(withCriterion(c.field, c.kind, QString::fromUtf8(c.value)), c.expected) << c.name;

    // Every criterion must hold.
    dm().SelectionCriteria.clear();
    dm().SelectionCriteria.set(QStringLiteral("NomeAvaliado"), CriterionKind::Contains, QStringLiteral("SILVA"));
    dm().SelectionCriteria.set(QStringLiteral("Sexo"), CriterionKind::EqualTo, QStringLiteral("MASCULINO"));
    dm().qAvaliacoes.refresh();
    EXPECT_EQ(evaluationNumbers(), QStringList{two});

    // A new key is above every stored one, shown or not.
    dm().qAvaliacoes.append();
    EXPECT_EQ(dm().qAvaliacoes.asInteger(QStringLiteral("Avaliacao")), 4);
    dm().qAvaliacoes.cancel();
}

TEST_F(Display, BlankCriterionRemovesTheColumnsCriterion)
{
    EXPECT_EQ(withCriterion("Sexo", CriterionKind::EqualTo, QStringLiteral(" masculino ")),
              (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_EQ(dm().SelectionCriteria.value(QStringLiteral("sexo")), QStringLiteral("0MASCULINO"));
    dm().SelectionCriteria.set(QStringLiteral("Sexo"), CriterionKind::StartsWith, QStringLiteral("   "));
    EXPECT_TRUE(dm().SelectionCriteria.isEmpty());
    dm().qAvaliacoes.refresh();
    EXPECT_EQ(evaluationNumbers(), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
}

TEST_F(Display, RealCriterionThatIsNoNumberRemovesItself)
{
    dm().SelectionCriteria.set(QStringLiteral("Peso"), CriterionKind::EqualTo, QStringLiteral("abc"));
    dm().qAvaliacoes.refresh();
    EXPECT_EQ(evaluationNumbers(), (QStringList{QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_TRUE(dm().SelectionCriteria.isEmpty());

    // A criterion of an earlier column still decides the row where the bad one was met.
    dm().SelectionCriteria.set(QStringLiteral("Avaliacao"), CriterionKind::EqualTo, QStringLiteral("2"));
    dm().SelectionCriteria.set(QStringLiteral("Gordura"), CriterionKind::EqualTo, QStringLiteral("x"));
    dm().qAvaliacoes.refresh();
    EXPECT_EQ(evaluationNumbers(), (QStringList{QStringLiteral("2")}));
    EXPECT_EQ(dm().SelectionCriteria.count(), 1);
}

} // namespace
} // namespace kestrova::test
