#include "cad_avaliados.h"
#include "cad_grupos.h"
#include "catalog_fixture.h"
#include "novo_avaliado.h"
#include "novo_grupo.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace kestrova::test {
namespace {

class PersonTest : public CatalogTest
{
protected:
    void addPerson(int n, const QString &name, const QString &sex = QStringLiteral("M"))
    {
        exec(QStringLiteral("INSERT INTO AVALIADOS (Avaliado, Nome, Nascimento, Sexo, Altura) "
                            "VALUES (:N, :Nome, '1990-05-17 00:00:00', :S, 1.8)"),
             {{QStringLiteral("N"), n}, {QStringLiteral("Nome"), name}, {QStringLiteral("S"), sex}});
    }
    void reopen()
    {
        dm().qAvaliados.close();
        dm().qAvaliados.open();
    }
    // Fills the person dialog when it is run and confirms it.
    void fillAndConfirm(TfrmCadAvaliados &list, const QString &name, const QString &birth, int sex,
                        const QString &height)
    {
        list.dialog()->run = [=, this](CatalogDialog &d) {
            auto &p = static_cast<TfrmNovoAvaliado &>(d);
            TypeText(p.cpNome, name);
            p.cpNascimento->setText(birth);
            p.cpSexo->setCurrentIndex(sex);
            p.cpAltura->setText(height);
            confirmed = p.Confirm();
            return p.result();
        };
    }
    bool confirmed = false;
};

TEST_F(PersonTest, HeightAndDateChecks)
{
    TfrmCadAvaliados list(dm(), messages);
    struct Case
    {
        const char *name;
        QString birth;
        int sex;
        QString height;
        QString message;   // empty: accepted
    };
    const Case cases[] = {
        {"no name", QStringLiteral("01/01/2000"), 1, QStringLiteral("1,80"), QStringLiteral("O Nome deve ser informado!")},
        {"no birth date", QString(), 1, QStringLiteral("1,80"), QStringLiteral("A Data de Nascimento deve ser informada!")},
        {"31/02/2000", QStringLiteral("31/02/2000"), 1, QStringLiteral("1,80"), QStringLiteral("A data informada não é válida!")},
        {"no sex", QStringLiteral("01/01/2000"), -1, QStringLiteral("1,80"), QStringLiteral("O Sexo deve ser informado!")},
        {"empty height", QStringLiteral("01/01/2000"), 0, QString(), QStringLiteral("A Altura deve ser informada!")},
        {"0,99", QStringLiteral("01/01/2000"), 0, QStringLiteral("0,99"), QStringLiteral("A Altura informada não é válida!")},
        {"3,01", QStringLiteral("01/01/2000"), 0, QStringLiteral("3,01"), QStringLiteral("A Altura informada não é válida!")},
        {"1,00", QStringLiteral("01/01/2000"), 0, QStringLiteral("1,00"), QString()},
        {"3,00", QStringLiteral("01/01/2000"), 0, QStringLiteral("3,00"), QString()},
    };
    int stored = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        clearMessages();
        const QString name = QString::fromLatin1(c.name) == QLatin1String("no name") ? QString()
                                                                                      : QStringLiteral("ana silva");
        fillAndConfirm(list, name, c.birth, c.sex, c.height);
        list.btInserir->click();
        if (c.message.isEmpty()) {
            ++stored;
            EXPECT_TRUE(confirmed);
            EXPECT_TRUE(messages.shown.empty());
        } else {
            EXPECT_FALSE(confirmed);
            ASSERT_EQ(messages.shown.size(), 1u);
            EXPECT_EQ(messages.shown[0].text, c.message);
        }
        EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIADOS")).toInt(), stored);
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT Nome || '|' || Sexo || '|' || Altura || '|' || Nascimento "
                                    "FROM AVALIADOS WHERE Avaliado = 2")).toString().left(35),
              QStringLiteral("ANA SILVA|F|3.0|2000-01-01 00:00:00"));
    EXPECT_EQ(messages.shown.size(), 0u);

    auto *p = list.dialog();
    p->cpNascimento->setText(QStringLiteral("31/02/2000"));
    EXPECT_FALSE(p->cpNascimentoExit());
    EXPECT_EQ(lastText(), QStringLiteral("A data informada não é válida!"));
    EXPECT_EQ(messages.shown.back().caption, QStringLiteral("Erro"));
    p->cpNascimento->clear();
    EXPECT_TRUE(p->cpNascimentoExit());
}

TEST_F(PersonTest, NewKeysFollowTheHighestAndAlterProposesMasculino)
{
    addPerson(1, QStringLiteral("UM"));
    addPerson(2, QStringLiteral("DOIS"));
    addPerson(5, QStringLiteral("CINCO"), QString());
    reopen();
    TfrmCadAvaliados list(dm(), messages);
    QString shownKey;
    list.dialog()->run = [&](CatalogDialog &d) {
        auto &p = static_cast<TfrmNovoAvaliado &>(d);
        shownKey = p.cpAvaliado->text();
        EXPECT_EQ(p.cpNascimento->displayText(), QStringLiteral("__/__/____"));   // the empty mask
        p.cpNome->setText(QStringLiteral("SEIS"));
        p.cpNascimento->setText(QStringLiteral("02/03/2001"));
        p.cpSexo->setCurrentIndex(1);
        p.cpAltura->setText(QStringLiteral("1,7"));
        p.Confirm();
        return p.result();
    };
    PressKey(list.grid(), Qt::Key_Insert);
    EXPECT_EQ(shownKey, QStringLiteral("6"));
    EXPECT_EQ(dm().qAvaliados.asInteger(QStringLiteral("Avaliado")), 6);
    list.btExcluir->click();
    EXPECT_TRUE(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIADOS WHERE Avaliado = 6")).toInt() == 0);
    list.btInserir->click();
    EXPECT_EQ(shownKey, QStringLiteral("6"));

    ASSERT_TRUE(dm().qAvaliados.locate(QStringLiteral("Avaliado"), 5));
    QString proposed, caption, birth;
    list.dialog()->run = [&](CatalogDialog &d) {
        auto &p = static_cast<TfrmNovoAvaliado &>(d);
        proposed = p.cpSexo->currentText();
        caption = p.windowTitle();
        birth = p.cpNascimento->text();
        return int(QDialog::Rejected);
    };
    PressKey(list.grid(), Qt::Key_Return);
    EXPECT_EQ(proposed, QStringLiteral("MASCULINO"));
    EXPECT_EQ(caption, QStringLiteral("Alterar Avaliado"));
    EXPECT_EQ(birth, QStringLiteral("17/05/1990"));
}

TEST_F(PersonTest, DeletingAPersonWithEvaluationsIsRefused)
{
    addPerson(1, QStringLiteral("UM"));
    addPerson(2, QStringLiteral("DOIS"));
    addEvaluation(1, 1, 0, 1, QStringLiteral("1"));
    reopen();
    TfrmCadAvaliados list(dm(), messages);
    list.btExcluir->click();
    EXPECT_EQ(lastText(), QStringLiteral("Existem Avaliações deste Avaliado\rVocê deve excluí-las primeiro.   \r\r"
                                         "    Exclusão Cancelada        "));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIADOS")).toInt(), 2);
    dm().qAvaliados.locate(QStringLiteral("Avaliado"), 2);
    list.btExcluir->click();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AVALIADOS")).toInt(), 1);
}

TEST_F(PersonTest, SearchFindsWordsInAnyColumnAndContinues)
{
    addPerson(1, QStringLiteral("JOAO SILVA"));
    addPerson(2, QStringLiteral("MARIA SOUZA"));
    addPerson(3, QStringLiteral("PEDRO SILVA"));
    addPerson(4, QStringLiteral("ANA LIMA"));
    reopen();
    TfrmCadAvaliados list(dm(), messages);
    QString proposal;
    list.setInputBox([&](QWidget *, const QString &caption, const QString &prompt, const QString &def) {
        EXPECT_EQ(caption, QStringLiteral("Pesquisar"));
        EXPECT_EQ(prompt, QStringLiteral("Palavra a localizar:"));
        proposal = def;
        return QStringLiteral("silva");
    });
    dm().qAvaliados.last();
    PressKey(list.grid(), Qt::Key_F3);
    EXPECT_EQ(TfrmCadAvaliados::Search.SearchText, QStringLiteral("SILVA"));
    EXPECT_EQ(dm().qAvaliados.asInteger(QStringLiteral("Avaliado")), 1);
    EXPECT_TRUE(TfrmCadAvaliados::Search.LastFoundRow.startsWith(QStringLiteral("/[1]\\/[JOAO SILVA]\\")));
    PressKey(list.grid(), Qt::Key_F3, Qt::ControlModifier);
    EXPECT_EQ(dm().qAvaliados.asInteger(QStringLiteral("Avaliado")), 3);
    list.btLocalizarProximo->click();   // no further match: the last row
    EXPECT_EQ(dm().qAvaliados.asInteger(QStringLiteral("Avaliado")), 4);
    EXPECT_TRUE(messages.shown.empty());
    list.btLocalizar->click();
    EXPECT_EQ(proposal, QStringLiteral("SILVA"));
}

TEST_F(CatalogTest, GroupZeroCanBeNeitherAlteredNorDeleted)
{
    exec(QStringLiteral("INSERT INTO GRUPOS (Grupo, Nome) VALUES (1, 'TIME A'), (2, 'TIME B')"));
    addEvaluation(1, 1, 1, 1, QStringLiteral("1"));
    dm().qGrupos.close();
    dm().qGrupos.open();
    TfrmCadGrupos list(dm(), messages);
    list.show();
    ASSERT_EQ(dm().qGrupos.asInteger(QStringLiteral("Grupo")), 0);
    EXPECT_FALSE(list.btAlterar->isEnabled());
    EXPECT_FALSE(list.btExcluir->isEnabled());
    EXPECT_TRUE(list.btLocalizar->isEnabled());
    int runs = 0;
    list.dialog()->run = [&](CatalogDialog &) {
        ++runs;
        return int(QDialog::Rejected);
    };
    PressKey(list.grid(), Qt::Key_Return);
    PressKey(list.grid(), Qt::Key_Delete);
    EXPECT_EQ(runs, 0);
    EXPECT_TRUE(messages.shown.empty());

    dm().qGrupos.locate(QStringLiteral("Grupo"), 1);
    EXPECT_TRUE(list.btExcluir->isEnabled());
    list.btExcluir->click();
    EXPECT_TRUE(lastText().startsWith(QStringLiteral("Existem Avaliações deste Grupo")));
    dm().qGrupos.locate(QStringLiteral("Grupo"), 2);
    list.btExcluir->click();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM GRUPOS")).toInt(), 2);

    list.dialog()->run = [&](CatalogDialog &d) {
        auto &g = static_cast<TfrmNovoGrupo &>(d);
        EXPECT_EQ(g.windowTitle(), QStringLiteral("Novo Grupo"));
        EXPECT_EQ(g.cpGrupo->text(), QStringLiteral("2"));
        EXPECT_FALSE(g.Confirm());
        EXPECT_EQ(lastText(), QStringLiteral("O Nome deve ser informado!"));
        TypeText(g.cpNome, QStringLiteral("time c"));
        TypeText(g.cpTemporada, QStringLiteral("2024"));
        EXPECT_TRUE(g.Confirm());
        return g.result();
    };
    list.btInserir->click();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Nome || '/' || Temporada FROM GRUPOS WHERE Grupo = 2")).toString(),
              QStringLiteral("TIME C/2024"));
    list.dialog()->run = [&](CatalogDialog &d) {
        auto &g = static_cast<TfrmNovoGrupo &>(d);
        g.cpNome->setText(QStringLiteral("DESCARTADO"));
        return int(QDialog::Rejected);
    };
    list.btAlterar->click();
    EXPECT_EQ(scalar(QStringLiteral("SELECT Nome FROM GRUPOS WHERE Grupo = 2")).toString(), QStringLiteral("TIME C"));
}

} // namespace
} // namespace kestrova::test
