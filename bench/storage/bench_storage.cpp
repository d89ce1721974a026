// Database speed of the paths a user waits on: saving a long test row by row, opening its
// samples, and opening the evaluation list with its lookups and criteria.

#include "data_module.h"
#include "messages.h"
#include "records.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <memory>

using namespace kestrova;

namespace {

constexpr int Samples = MaxSamples;

const char *const SampleColumns[] = {
    "Estagio", "Carga", "CargaKgfm", "Inclinacao", "DistanciaPerAmostra", "DistanciaPerEsteira", "Velocidade",
    "TempoKm", "VE", "DifVE", "VEMed", "VE4", "DifVE4", "FC", "DifFC", "PFCMaxima", "VO2RelCarga", "PVO2FC",
    "VO2RelFC", "VO2Absoluto", "GastoEnergetico", "VO2MassaMagra", "VEVO2", "VE4VO2", "R", "MET", "PGlicogenio",
    "PGordura", "PFCReservaTeste", "PFCMaxIdade", "PFCReservaIdade", "PFCLimiar1", "PFCLimiar", "TempoTotal"};

QVariant SampleValue(int column, int s)
{
    if (column == 0)
        return s / 24 + 1;
    if (column == 13)
        return 90 + s % 100;
    if (column == 14)
        return s % 3 - 1;
    if (column == 33)
        return s * 5;
    return s * 0.01 + column;
}

// Saves one evaluation's samples the way the save does: append, set, post (committed) per row.
double PostThroughCursor(TfrmDM &dm, int evaluation)
{
    QElapsedTimer t;
    t.start();
    Cursor &q = dm.qAvaliacoesDados;
    for (int s = 1; s <= Samples; ++s) {
        q.append();
        q.setValue(QStringLiteral("Avaliacao"), evaluation);
        q.setValue(QStringLiteral("SeqAmostra"), s);
        for (int c = 0; c < int(std::size(SampleColumns)); ++c)
            q.setValue(QString::fromLatin1(SampleColumns[c]), SampleValue(c, s));
        q.post();
    }
    return t.nsecsElapsed() / 1e9;
}

double InsertInOneTransaction(Connection &c, int evaluation)
{
    QString columns = QStringLiteral("Avaliacao, SeqAmostra"), params = QStringLiteral(":Avaliacao, :SeqAmostra");
    for (const char *name : SampleColumns) {
        columns += QStringLiteral(", ") + QLatin1String(name);
        params += QStringLiteral(", :") + QLatin1String(name);
    }
    QElapsedTimer t;
    t.start();
    Statement s(c, QStringLiteral("INSERT INTO AVALIACOESDADOS (%1) VALUES (%2)").arg(columns, params));
    c.begin();
    for (int n = 1; n <= Samples; ++n) {
        s.bind(1, evaluation);
        s.bind(2, n);
        for (int col = 0; col < int(std::size(SampleColumns)); ++col)
            s.bind(col + 3, SampleValue(col, n));
        s.execute();
    }
    c.commit();
    return t.nsecsElapsed() / 1e9;
}

void BM_SaveSamplesCommitPerPost(benchmark::State &state)
{
    double cursorTotal = 0, rawTotal = 0;
    for (auto _ : state) {
        QTemporaryDir dir;
        ScriptedMessages messages;
        double cursorSeconds = 0, rawSeconds = 0;
        {
            TfrmDM dm(messages, dir.path() + QStringLiteral("/kestrova.db"));
            cursorSeconds = PostThroughCursor(dm, 1);
        }
        {
            TfrmDM dm(messages, dir.path() + QStringLiteral("/outro.db"));
            dm.CloseDatabase();
            Connection c;
            c.open(dir.path() + QStringLiteral("/outro.db"));
            rawSeconds = InsertInOneTransaction(c, 1);
        }
        state.SetIterationTime(cursorSeconds);
        cursorTotal += cursorSeconds;
        rawTotal += rawSeconds;
    }
    state.counters["cursor_s"] = cursorTotal / double(state.iterations());
    state.counters["one_transaction_s"] = rawTotal / double(state.iterations());
    state.counters["ratio"] = cursorTotal / rawTotal;
}
BENCHMARK(BM_SaveSamplesCommitPerPost)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

struct Fixture
{
    QTemporaryDir dir;
    ScriptedMessages messages;
    std::unique_ptr<TfrmDM> dm;

    Fixture()
    {
        const QString path = dir.path() + QStringLiteral("/kestrova.db");
        dm = std::make_unique<TfrmDM>(messages, path);
        for (int i = 1; i <= 500; ++i)
            dm->ExecSQL(QStringLiteral("INSERT INTO AVALIADOS (Avaliado, Nome, Apelido, Altura, Posicao) "
                                       "VALUES (:N, :NOME, 'AP', 1.75, 'MEIA')"),
                        {{QStringLiteral("N"), i}, {QStringLiteral("NOME"), QStringLiteral("PESSOA %1 SILVA").arg(i)}});
        for (int i = 1; i <= 20; ++i)
            dm->ExecSQL(QStringLiteral("INSERT INTO GRUPOS (Grupo, Nome, Temporada) VALUES (:N, 'TIME', '2024')"),
                        {{QStringLiteral("N"), i}});
        for (int i = 1; i <= 10; ++i)
            dm->ExecSQL(QStringLiteral("INSERT INTO AVALIADORES (Avaliador, Nome) VALUES (:N, 'AVALIADOR')"),
                        {{QStringLiteral("N"), i}});
        Connection &c = dm->connection();
        Statement s(c, QStringLiteral("INSERT INTO AVALIACOES (Avaliacao, Avaliado, Grupo, Protocolo, Idade, Sexo, Peso, "
                                      "Data, Avaliador, Observacao, VO2Maximo) VALUES (:A, :P, :G, 1, :I, :S, :W, "
                                      "'2024-01-02 10:00:00', :AV, 'OBS|0,027000', 45.5)"));
        c.begin();
        for (int a = 1; a <= 2000; ++a) {
            s.bind(QStringLiteral("A"), a);
            s.bind(QStringLiteral("P"), a % 500 + 1);
            s.bind(QStringLiteral("G"), a % 21);
            s.bind(QStringLiteral("I"), 18 + a % 50);
            s.bind(QStringLiteral("S"), a % 2 ? QStringLiteral("M") : QStringLiteral("F"));
            s.bind(QStringLiteral("W"), 50.0 + a % 40);
            s.bind(QStringLiteral("AV"), QString::number(a % 10 + 1));
            s.execute();
        }
        c.commit();
        InsertInOneTransaction(c, 2000);
        dm->CloseDatabase();
        dm->OpenDatabase();
    }
};

Fixture &Shared()
{
    static Fixture f;
    return f;
}

void BM_OpenAndWalkSamples(benchmark::State &state)
{
    TfrmDM &dm = *Shared().dm;
    Cursor &q = dm.qAvaliacoesDados;
    for (auto _ : state) {
        q.close();
        q.setParam(QStringLiteral("AVALIACAO"), 2000);
        q.open();
        qint64 sum = 0;
        for (q.first(); !q.eof(); q.next())
            sum += q.asInteger(QStringLiteral("FC"));
        benchmark::DoNotOptimize(sum);
        if (q.recordCount() != Samples)
            state.SkipWithError("wrong number of samples");
    }
    state.counters["rows"] = q.recordCount();
}
BENCHMARK(BM_OpenAndWalkSamples)->Unit(benchmark::kMillisecond);

void BM_OpenEvaluationsWithLookups(benchmark::State &state)
{
    TfrmDM &dm = *Shared().dm;
    Cursor &q = dm.qAvaliacoes;
    for (auto _ : state) {
        dm.SelectionCriteria.clear();
        if (state.range(0) == 3) {
            dm.SelectionCriteria.set(QStringLiteral("NomeAvaliado"), CriterionKind::Contains, QStringLiteral("SILVA"));
            dm.SelectionCriteria.set(QStringLiteral("Peso"), CriterionKind::AtLeast, QStringLiteral("60"));
            dm.SelectionCriteria.set(QStringLiteral("Sexo"), CriterionKind::EqualTo, QStringLiteral("MASCULINO"));
        }
        // Re-reading the list reads its lookups again; then a grid shows every row.
        q.close();
        q.open();
        const int name = q.fieldIndex(QStringLiteral("NomeAvaliado"));
        const int group = q.fieldIndex(QStringLiteral("NomeGrupo"));
        const int evaluator = q.fieldIndex(QStringLiteral("NomeAvaliador"));
        const int sex = q.fieldIndex(QStringLiteral("Sexo"));
        int shown = 0;
        for (int r = 0; r < q.recordCount(); ++r)
            shown += int(q.displayTextAt(r, name).size() + q.displayTextAt(r, group).size()
                         + q.displayTextAt(r, evaluator).size() + q.displayTextAt(r, sex).size());
        benchmark::DoNotOptimize(shown);
        state.counters["rows"] = q.recordCount();
    }
}
BENCHMARK(BM_OpenEvaluationsWithLookups)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
