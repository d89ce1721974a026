// Titles, display formats and display handlers of the cursors' columns; every grid, report and
// export that shows a column takes them from here.

#include "data_module.h"

#include "formatting.h"

namespace kestrova {

namespace {

struct Display
{
    Cursor TfrmDM::*cursor;
    const char *field;
    const char *label;    // nullptr: the column name
    const char *format;   // nullptr: none
};

QString Words(const QVariant &v, const char *code, const char *match, const char *other)
{
    return QString::fromUtf8(v.toString() == QLatin1String(code) ? match : other);
}

} // namespace

void TfrmDM::configureDisplay()
{
    static const Display table[] = {
        {&TfrmDM::qAvaliados, "Posicao", "Posição", nullptr},
        {&TfrmDM::qAvaliados, "Observacao", "Observação", nullptr},
        {&TfrmDM::qGrupos, "Observacao", "Observação", nullptr},
        {&TfrmDM::qProtocolos, "Protocolo", nullptr, "###0"},
        {&TfrmDM::qProtocolos, "TipoErgometro", "Ergômetro", nullptr},
        {&TfrmDM::qProtocolos, "NumEstagios", "Núm. Estágios", "#0"},
        {&TfrmDM::qProtocolos, "TipoEstagio", "Tipo Estágio", nullptr},
        {&TfrmDM::qProtocolos, "DuracaoTotal", "Duração Total", "##0"},
        {&TfrmDM::qProtocolos, "Duracao", "Duração", "##0"},
        {&TfrmDM::qProtocolos, "UnidCarga", "Unid. Carga", nullptr},
        {&TfrmDM::qProtocolos, "Carga", "Carga (W)", "##0.00"},
        {&TfrmDM::qProtocolos, "CargaKgfm", "Carga (kgfm)", "##0.00"},
        {&TfrmDM::qProtocolos, "CargaIncr", "Incr. Carga", "##0.00"},
        {&TfrmDM::qProtocolos, "RPM", nullptr, "##0"},
        {&TfrmDM::qProtocolos, "RPM1", "RPM", "#00"},
        {&TfrmDM::qProtocolos, "Inclinacao", "Inclinação", "##0.00"},
        {&TfrmDM::qProtocolos, "InclinacaoIncr", "Incr. Inclinação", "##0.00"},
        {&TfrmDM::qProtocolosEstagios, "Protocolo", nullptr, "###0"},
        {&TfrmDM::qProtocolosEstagios, "Estagio", "Estágio", "##0"},
        {&TfrmDM::qProtocolosEstagios, "Duracao", "Duração", "##0"},
        {&TfrmDM::qProtocolosEstagios, "Carga", nullptr, "##0.00"},
        {&TfrmDM::qProtocolosEstagios, "CargaKgfm", nullptr, "##0.00"},
        {&TfrmDM::qProtocolosEstagios, "CargaIncr", nullptr, "##0.00"},
        {&TfrmDM::qProtocolosEstagios, "Inclinacao", nullptr, "##0.00"},
        {&TfrmDM::qProtocolosEstagios, "InclinacaoIncr", nullptr, "##0.00"},
        {&TfrmDM::qProtocolosEstagios, "RPM", nullptr, "##0"},
        {&TfrmDM::qAvaliacoes, "Avaliacao", "Avaliação", "####0"},
        {&TfrmDM::qAvaliacoes, "NomeAvaliado", "Avaliado", nullptr},
        {&TfrmDM::qAvaliacoes, "Posicao", "Posição", nullptr},
        {&TfrmDM::qAvaliacoes, "NomeGrupo", "Grupo", nullptr},
        {&TfrmDM::qAvaliacoes, "NomeProtocolo", "Protocolo", nullptr},
        {&TfrmDM::qAvaliacoes, "TipoTeste", "Tipo do Teste", nullptr},
        {&TfrmDM::qAvaliacoes, "TipoErgometro", "Tipo do Ergômetro", nullptr},
        {&TfrmDM::qAvaliacoes, "AquisicaoFC", "Aquisição da FC", nullptr},
        {&TfrmDM::qAvaliacoes, "Data", nullptr, "dd/mm/yyyy"},
        {&TfrmDM::qAvaliacoes, "Idade", nullptr, "##0"},
        {&TfrmDM::qAvaliacoes, "Peso", nullptr, "##0.0"},
        {&TfrmDM::qAvaliacoes, "Altura", nullptr, "0.00"},
        {&TfrmDM::qAvaliacoes, "FCRepouso", "FC Repouso", "#00"},
        {&TfrmDM::qAvaliacoes, "Gordura", "% Gordura", "##0.0"},
        {&TfrmDM::qAvaliacoes, "Individuo", "Indivíduo", nullptr},
        {&TfrmDM::qAvaliacoes, "FCLimiar", "FC Limiar 2", "#00"},
        {&TfrmDM::qAvaliacoes, "VO2Maximo", "VO2 Máximo", "###0.0"},
        {&TfrmDM::qAvaliacoes, "NomeAvaliador", "Avaliador", nullptr},
        {&TfrmDM::qAvaliacoes, "Observacao", "Observações", nullptr},
        {&TfrmDM::qAvaliacoes, "UnidCarga", "Unid. da Carga", nullptr},
        {&TfrmDM::qAvaliacoes, "FCLimiar1", "FC Limiar 1", nullptr},
        {&TfrmDM::qAvaliacoesDados, "SeqAmostra", nullptr, "##0"},
        {&TfrmDM::qAvaliacoesDados, "Inclinacao", "Inclinação", "##0.00"},
        {&TfrmDM::qAvaliacoesDados, "VE4", nullptr, "#0.000"},
        {&TfrmDM::qAvaliacoesDados, "DifVE4", nullptr, "#0.000"},
        {&TfrmDM::qAvaliacoesDados, "PFCMaxima", nullptr, "#00.0"},
        {&TfrmDM::qAvaliadores, "Observacao", "Observação", nullptr},
    };
    for (const Display &d : table) {
        FieldDef &f = (this->*d.cursor).fieldSettings(QString::fromLatin1(d.field));
        if (d.label)
            f.displayLabel = QString::fromUtf8(d.label);
        if (d.format)
            f.displayFormat = QString::fromLatin1(d.format);
    }
    for (const char *name : {"Estagio", "FC", "DifFC"})
        qAvaliacoesDados.fieldSettings(QString::fromLatin1(name)).displayFormat = QStringLiteral("#00");
    for (const char *name : {"Carga", "CargaKgfm", "VE", "DifVE", "VEMed", "VO2RelCarga", "PVO2FC", "pVO2CARGA",
                             "VO2RelFC", "MET", "PFCReservaTeste", "PFCMaxIdade", "PFCReservaIdade", "PFCLimiar",
                             "PFCLimiar1"})
        qAvaliacoesDados.fieldSettings(QString::fromLatin1(name)).displayFormat = QStringLiteral("##0.0");
    for (const char *name : {"DistanciaPerAmostra", "DistanciaPerEsteira", "Velocidade", "TempoKm", "VO2Absoluto",
                             "GastoEnergetico", "VO2MassaMagra", "VEVO2", "VE4VO2", "R", "PGlicogenio", "PGordura"})
        qAvaliacoesDados.fieldSettings(QString::fromLatin1(name)).displayFormat = QStringLiteral("##0.00");

    qProtocolos.fieldSettings(QStringLiteral("RPM")).visible = false;
    qAvaliacoes.fieldSettings(QStringLiteral("Avaliador")).visible = false;

    qProtocolos.fieldSettings(QStringLiteral("TipoErgometro")).displayHandler = [](const RowContext &, const QVariant &v) {
        return Words(v, "C", "CICLO", "ESTEIRA");
    };
    qProtocolos.fieldSettings(QStringLiteral("TipoEstagio")).displayHandler = [](const RowContext &, const QVariant &v) {
        return Words(v, "R", "Regular", "Irregular");
    };
    qAvaliacoes.fieldSettings(QStringLiteral("Sexo")).displayHandler = [](const RowContext &, const QVariant &v) {
        return Words(v, "M", "MASCULINO", "FEMININO");
    };
    qAvaliacoes.fieldSettings(QStringLiteral("Observacao")).displayHandler = [](const RowContext &, const QVariant &v) {
        const QString text = v.toString();
        const qsizetype bar = text.indexOf(QLatin1Char('|'));
        return bar < 0 ? QString() : text.left(bar);
    };
    qAvaliacoesDados.fieldSettings(QStringLiteral("TempoTotal")).displayHandler = [](const RowContext &,
                                                                                    const QVariant &v) {
        const qint64 seconds = v.toLongLong();
        return Format(u"%2.2d:%2.2d", {seconds / 60, seconds % 60});
    };
}

} // namespace kestrova
