#include "protocol_rules.h"

#include <gtest/gtest.h>

namespace kestrova {
namespace {

TProtocolo Irregular(int stages)
{
    TProtocolo p;
    p.TipoErgometro = 'C';
    p.TipoEstagio = 'I';
    p.UnidCarga = QStringLiteral("watts");
    p.NumEstagios = stages;
    for (int i = 1; i <= stages; ++i)
        p.Estagios[i] = TStage{60 * i, 0, 50.0 * i, 0, 10.0 * i, 60 + i, 0, 0};
    return p;
}

TEST(ProtocolRules, RaisingIrregularCountDerivesFromLastStageOrLeavesZeros)
{
    TProtocolo yes = Irregular(3);
    ChangeStageCount(yes, 5, false, true);
    EXPECT_EQ(yes.NumEstagios, 5);
    EXPECT_DOUBLE_EQ(yes.Estagios[3].Carga, 150);   // existing stages untouched
    EXPECT_DOUBLE_EQ(yes.Estagios[4].Carga, 150 + 30);
    EXPECT_DOUBLE_EQ(yes.Estagios[5].Carga, 180 + 30);
    EXPECT_EQ(yes.Estagios[5].Duracao, 180);
    EXPECT_EQ(yes.Estagios[5].RPM, 63);

    TProtocolo no = Irregular(3);
    ChangeStageCount(no, 5, false, false);
    EXPECT_EQ(no.Estagios[4].Duracao, 0);
    EXPECT_DOUBLE_EQ(no.Estagios[5].Carga, 0);
    EXPECT_EQ(StageWithoutPedalRate(no), 4);
}

TEST(ProtocolRules, LoweringClearsStagesAboveAndRaisingAgainShowsZeros)
{
    TProtocolo p = Irregular(5);
    ChangeStageCount(p, 2, false, false);
    EXPECT_EQ(p.NumEstagios, 2);
    EXPECT_EQ(p.Estagios[3].Duracao, 0);
    ChangeStageCount(p, 5, false, false);
    EXPECT_DOUBLE_EQ(p.Estagios[5].Carga, 0);
    EXPECT_DOUBLE_EQ(p.Estagios[2].Carga, 100);
}

TEST(ProtocolRules, StoredValuesOfRegularKgfmProtocol)
{
    TProtocolo p;
    p.TipoErgometro = 'C';
    p.TipoEstagio = 'R';
    p.UnidCarga = QStringLiteral("kgfm");
    p.NumEstagios = 5;
    p.Estagios[1] = TStage{120, 0, 0, 1.0, 0.5, 60, 0, 0};
    RegularizeStages(p);
    ComputeStoredValues(p);
    EXPECT_DOUBLE_EQ(p.Estagios[4].CargaKgfm, 2.5);
    EXPECT_NEAR(p.Estagios[4].Carga, 147, 1e-9);
    EXPECT_EQ(p.Estagios[4].DuracaoFim, 480);
    EXPECT_EQ(p.DuracaoTotal, 600);
}

TEST(ProtocolRules, TotalDurationLimitIs1440Minutes)
{
    TProtocolo p;
    p.NumEstagios = 60;
    for (int i = 1; i <= 60; ++i)
        p.Estagios[i].Duracao = 1440;
    EXPECT_TRUE(TotalDurationFits(p, 1, 1440));
    EXPECT_FALSE(TotalDurationFits(p, 1, 1470));   // the box's value counts for its stage
    p.Estagios[7].Duracao = 1500;
    EXPECT_FALSE(TotalDurationFits(p, 1, 1440));
}

} // namespace
} // namespace kestrova
