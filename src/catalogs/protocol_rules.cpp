#include "protocol_rules.h"

#include "physiology.h"
#include "routines.h"

namespace kestrova {

void DeriveStage(TProtocolo &p, int from, int to)
{
    const TStage &a = p.Estagios[from];
    TStage &b = p.Estagios[to];
    b.Duracao = a.Duracao;
    if (LoadInKgfm(p))
        b.CargaKgfm = a.CargaKgfm + a.CargaIncr;
    else
        b.Carga = a.Carga + a.CargaIncr;
    b.CargaIncr = a.CargaIncr;
    b.RPM = a.RPM;
    b.Inclinacao = a.Inclinacao + a.InclinacaoIncr;
    b.InclinacaoIncr = a.InclinacaoIncr;
}

void RegularizeStages(TProtocolo &p)
{
    for (int i = 2; i <= p.NumEstagios && i <= MaxStages; ++i)
        DeriveStage(p, i - 1, i);
}

void ChangeStageCount(TProtocolo &p, int count, bool regular, bool deriveNew)
{
    if (count < 1)
        count = 1;
    if (count > MaxEditorStages)
        count = MaxEditorStages;
    if (count > p.NumEstagios) {
        const int oldCount = p.NumEstagios;
        p.NumEstagios = count;
        if (regular) {
            RegularizeStages(p);
        } else if (deriveNew && oldCount >= 1) {
            for (int i = oldCount + 1; i <= count; ++i)
                DeriveStage(p, i - 1, i);
        }
    } else if (count < p.NumEstagios) {
        p.NumEstagios = count;
        ClearStagesAfter(count + 1, p);
    }
}

bool TotalDurationFits(const TProtocolo &p, int currentStage, int currentDuration)
{
    qint64 total = 0;
    for (int i = 1; i <= p.NumEstagios && i <= MaxStages; ++i)
        total += i == currentStage ? currentDuration : p.Estagios[i].Duracao;
    return total <= MaxProtocolSeconds;
}

int StageWithoutPedalRate(const TProtocolo &p)
{
    if (p.TipoErgometro != 'C' || LoadInKgfm(p))
        return 0;
    for (int i = 1; i <= p.NumEstagios && i <= MaxStages; ++i)
        if (p.Estagios[i].RPM == 0)
            return i;
    return 0;
}

void ComputeStoredValues(TProtocolo &p)
{
    const bool cycle = p.TipoErgometro == 'C';
    for (int i = 1; i <= p.NumEstagios && i <= MaxStages; ++i) {
        TStage &s = p.Estagios[i];
        s.DuracaoFim = i == 1 ? s.Duracao : p.Estagios[i - 1].DuracaoFim + s.Duracao;
        if (LoadInKgfm(p))
            s.Carga = KgfmToWatts(s.CargaKgfm, s.RPM);
        else
            s.CargaKgfm = cycle ? WattsToKgfm(s.Carga, s.RPM).value_or(0) : 0;
    }
    p.DuracaoTotal = p.NumEstagios >= 1 ? p.Estagios[p.NumEstagios].DuracaoFim : 0;
}

} // namespace kestrova
