#include "routines.h"

#include "formatting.h"

#include <algorithm>

namespace kestrova {

void ClearProjection(TDados &dados)
{
    dados.AmostrasEstagio = 0;
    dados.CargaAmostra = 0;
    dados.MediaDifFC3m = 0;
    dados.AmostrasAcrescidas = 0;
    dados.TotalAmostrasProjetadas = 0;
    dados.EstagiosAcrescidos = 0;
    dados.CargaAcrescida = 0;
    dados.CargaMaxProjetada = 0;
    dados.CargaKgfmMaxProjetada = 0;
    dados.InclinacaoAcrescida = 0;
    dados.InclinacaoMaxProjetada = 0;
    dados.TempoAcrescidoSeg = 0;
    dados.TempoTotalProjetadoMin = 0;
    dados.TempoTotalProjetadoSeg = 0;
}

void ClearTestData(TDados &dados, int mode, int first, int last)
{
    if (mode == ClearHeader || mode == ClearAll) {
        dados.NumAmostras = 0;
        dados.Avaliacao = 0;
        dados.Data = QDateTime::currentDateTime();
        dados.Avaliador.clear();
        dados.Avaliado = 0;
        dados.Grupo = 0;
        dados.Idade = 0;
        dados.Sexo = ' ';
        dados.Peso = 0;
        dados.Altura = 0;
        dados.Gordura = 0;
        dados.Individuo.clear();
        dados.Obs.clear();
        dados.CargaMaxAtingida = 0;
        dados.CargaMaxAmostra = 0;
        dados.CargaMaxTempoMin = 0;
        dados.CargaMaxTempoSeg = 0;
        dados.FCLimiar1 = 0;
        dados.FCLimiar1Amostra = 0;
        dados.FCLimiar = 0;
        dados.FCLimiarAmostra = 0;
        dados.FCRepouso = 0;
        dados.FCMaxPrevistaCiclo = 0;
        dados.FCMaxPrevistaEsteira = 0;
        dados.FCMaxAtingida = 0;
        dados.FCMaxAmostra = 0;
        dados.FatorFCReservaEsteira = 0;
        dados.FatorFCReservaCiclo = 0;
        dados.FatorFCReservaTeste = 0;
        dados.FatorReservaLV1 = 0;
        dados.FatorReservaLV2 = 0;
        ClearProjection(dados);
        dados.VO2Maximo = 0;
    }
    if (mode == ClearSamples || mode == ClearAll) {
        const int lo = std::max(first, int(decltype(dados.Amostras)::Low));
        const int hi = std::min(last, int(decltype(dados.Amostras)::High));
        for (int i = lo; i <= hi; ++i)
            dados.Amostras[i] = TSample {};
    }
}

void ClearStagesAfter(int first, TProtocolo &protocolo)
{
    for (int i = std::max(first, 1); i <= MaxStages; ++i)
        protocolo.Estagios[i] = TStage {};
}

QString ZeroPad(int width, int decimals, double value)
{
    if (width <= 0)
        return QString();
    QString pattern = QStringLiteral("#,##0");
    if (decimals > 0)
        pattern += u'.' + QString(decimals, u'0');
    const QString text = QString(width, u'0') + FormatFloat(pattern, value);
    return text.right(width);
}

uint16_t MakeWord16(uint8_t high, uint8_t low)
{
    return static_cast<uint16_t>(high * 256 + low);
}

QString DigitsOnly(const QString &text)
{
    QString digits;
    for (QChar c : text) {
        if (c >= u'0' && c <= u'9')
            digits += c;
    }
    return digits;
}

uint8_t MostFrequentValue(const uint16_t *values, int n)
{
    constexpr int MaxValues = 10;
    if (values == nullptr || n <= 0)
        return 0;
    n = std::min(n, MaxValues);
    int best = 0;
    int bestCount = 0;
    for (int i = 0; i < n; ++i) {
        int count = 0;
        for (int j = i; j < n; ++j) {
            if (values[j] == values[i])
                ++count;
        }
        if (count > bestCount) {
            bestCount = count;
            best = i;
        }
    }
    return static_cast<uint8_t>(values[best] & 0xFF);
}

QString FileNameWithoutExtension(const QString &path)
{
    const qsizetype folderEnd = std::max({path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'), path.lastIndexOf(u':')});
    QString name = path.mid(folderEnd + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

} // namespace kestrova
