#include "routines.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace kestrova;

namespace {

std::unique_ptr<TDados> filledRecord()
{
    auto d = std::make_unique<TDados>();
    d->NumAmostras = 3;
    d->Avaliacao = 7;
    d->Data = QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6));
    d->Avaliador = "2";
    d->Avaliado = 5;
    d->Grupo = 4;
    d->Idade = 30;
    d->Sexo = 'M';
    d->Peso = 70;
    d->Altura = 1.8;
    d->Gordura = 12;
    d->Individuo = "CICLISTA";
    d->Obs = "obs";
    d->CargaMaxAtingida = 200;
    d->FCRepouso = 60;
    d->FCLimiar = 150;
    d->MediaDifFC3m = 1.5;
    d->VO2Maximo = 45;
    for (int i = -1; i <= MaxSamples; i += 997)
        d->Amostras[i].VE = 1;
    d->Amostras[MaxSamples].FC = 99;
    return d;
}

} // namespace

TEST(ClearTestData, HeaderModeClearsHeaderOnlyAndStampsNow)
{
    auto d = filledRecord();
    const QDateTime before = QDateTime::currentDateTime();
    ClearTestData(*d, ClearHeader, -1, MaxSamples);
    EXPECT_EQ(d->NumAmostras, 0);
    EXPECT_EQ(d->Avaliacao, 0);
    EXPECT_GE(d->Data, before.addSecs(-1));
    EXPECT_TRUE(d->Avaliador.isEmpty());
    EXPECT_TRUE(d->Individuo.isEmpty());
    EXPECT_TRUE(d->Obs.isEmpty());
    EXPECT_EQ(d->Sexo, ' ');
    EXPECT_EQ(d->Peso, 0);
    EXPECT_EQ(d->Altura, 0);
    EXPECT_EQ(d->CargaMaxAtingida, 0);
    EXPECT_EQ(d->FCRepouso, 0);
    EXPECT_EQ(d->FCLimiar, 0);
    EXPECT_EQ(d->MediaDifFC3m, 0);
    EXPECT_EQ(d->VO2Maximo, 0);
    EXPECT_EQ(d->Amostras[-1].VE, 1);
    EXPECT_EQ(d->Amostras[MaxSamples].FC, 99);
}

TEST(ClearTestData, SampleModeClearsOnlyTheRangeAndStaysInsideTheArray)
{
    auto d = filledRecord();
    d->Amostras[5].VE = 3;
    d->Amostras[6].VE = 4;
    d->Amostras[7].VE = 5;
    ClearTestData(*d, ClearSamples, 6, 6);
    EXPECT_EQ(d->Amostras[5].VE, 3);
    EXPECT_EQ(d->Amostras[6].VE, 0);
    EXPECT_EQ(d->Amostras[7].VE, 5);
    EXPECT_EQ(d->Avaliacao, 7);

    ClearTestData(*d, ClearSamples, 7, 5);   // last < first: nothing
    EXPECT_EQ(d->Amostras[7].VE, 5);

    ClearTestData(*d, ClearSamples, -50, MaxSamples + 50);
    EXPECT_EQ(d->Amostras[-1].VE, 0);
    EXPECT_EQ(d->Amostras[MaxSamples].FC, 0);
}

TEST(ClearTestData, AllModeClearsBothAndUnknownModeNothing)
{
    auto d = filledRecord();
    ClearTestData(*d, 9, -1, MaxSamples);
    EXPECT_EQ(d->Avaliacao, 7);
    EXPECT_EQ(d->Amostras[-1].VE, 1);
    ClearTestData(*d, ClearAll, -1, MaxSamples);
    EXPECT_EQ(d->Avaliacao, 0);
    EXPECT_EQ(d->Amostras[-1].VE, 0);
    EXPECT_EQ(d->Amostras[MaxSamples].FC, 0);
}

TEST(ClearStagesAfter, ZeroesFromFirstToTheEnd)
{
    TProtocolo p;
    for (int i = 1; i <= MaxStages; ++i)
        p.Estagios[i].Duracao = i;
    ClearStagesAfter(4, p);
    EXPECT_EQ(p.Estagios[3].Duracao, 3);
    EXPECT_EQ(p.Estagios[4].Duracao, 0);
    EXPECT_EQ(p.Estagios[MaxStages].Duracao, 0);
    ClearStagesAfter(-3, p);
    EXPECT_EQ(p.Estagios[1].Duracao, 0);
    ClearStagesAfter(MaxStages + 1, p);   // nothing to clear, no access past the end
}

TEST(ZeroPad, Cases)
{
    struct Case
    {
        const char *name;
        int width;
        int decimals;
        double value;
        const char *expected;
    };
    const Case cases[] = {
        {"one digit padded", 2, 0, 7, "07"},
        {"two digits kept", 2, 0, 60, "60"},
        {"five padded", 2, 0, 5, "05"},
        {"overflow keeps the last characters", 2, 0, 123, "23"},
        {"zero", 2, 0, 0, "00"},
        {"thousand separator counts", 5, 0, 1234, "1.234"},
        {"decimals with comma", 5, 1, 3.5, "003,5"},
        {"no width", 0, 0, 12, ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ZeroPad(c.width, c.decimals, c.value), QString::fromUtf8(c.expected)) << c.name;
}

TEST(MakeWord16, HighTimes256PlusLow)
{
    EXPECT_EQ(MakeWord16(0x01, 0xF4), 500);
    EXPECT_EQ(MakeWord16(0xFF, 0xFF), 65535);
    EXPECT_EQ(MakeWord16(0, 0), 0);
}

TEST(DigitsOnly, KeepsAsciiDigitsInOrder)
{
    EXPECT_EQ(DigitsOnly("COM12"), "12");
    EXPECT_EQ(DigitsOnly("/dev/ttyUSB0"), "0");
    EXPECT_EQ(DigitsOnly("a1b2-3 ٤"), "123");   // Arabic-Indic four is not an ASCII digit
    EXPECT_EQ(DigitsOnly(""), "");
}

TEST(MostFrequentValue, Cases)
{
    struct Case
    {
        const char *name;
        std::vector<uint16_t> values;
        int n;
        uint8_t expected;
    };
    const Case cases[] = {
        {"tie goes to the value met first", {120, 121, 121, 120, 119}, 5, 120},
        {"all different: the first", {130, 131, 132}, 3, 130},
        {"low 8 bits of 300", {300}, 1, 44},
        {"clear majority later in the list", {90, 100, 100, 100, 90}, 5, 100},
        {"only the first n count", {80, 81, 81, 81}, 2, 80},
        {"zero count", {120}, 0, 0},
        {"negative count", {120}, -3, 0},
        {"more than ten looks at ten", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11, 11}, 13, 1},
    };
    for (const Case &c : cases)
        EXPECT_EQ(MostFrequentValue(c.values.data(), c.n), c.expected) << c.name;
    EXPECT_EQ(MostFrequentValue(nullptr, 3), 0);
}

TEST(FileNameWithoutExtension, Cases)
{
    struct Case
    {
        const char *path;
        const char *expected;
    };
    const Case cases[] = {
        {"C:\\a.b\\modelo.xls", "modelo"},
        {"/home/u/a.b/modelo.xltx", "modelo"},
        {"C:\\a.b\\semextensao", "semextensao"},
        {"C:modelo.tar.gz", "modelo.tar"},
        {"modelo", "modelo"},
        {"pasta/", ""},
        {"", ""},
    };
    for (const Case &c : cases)
        EXPECT_EQ(FileNameWithoutExtension(QString::fromUtf8(c.path)), QString::fromUtf8(c.expected)) << c.path;
}
