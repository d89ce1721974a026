#include "cad_protocolos.h"
#include "catalog_fixture.h"
#include "novo_protocolo.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableView>

namespace kestrova::test {
namespace {

const QString MsgStage = QStringLiteral("A Configuração do Estágio está incorreta. Verifique!");
const QString MsgTotal = QStringLiteral("A Duração Total do Protocolo não pode ser maior que 1440 minutos!");

class ProtocolEditorTest : public CatalogTest
{
protected:
    void SetUp() override
    {
        CatalogTest::SetUp();
        editor = std::make_unique<TfrmNovoProtocolo>(dm(), messages);
        editor->PrepareNew();
        editor->ShowEditor();
    }

    template<typename T>
    T *control(const char *name)
    {
        T *w = editor->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    void setStage(int duration, const QString &load, const QString &incr, int rpm)
    {
        editor->cpDuracao->setValue(duration);
        editor->cpCarga->setText(load);
        editor->cpCargaIncr->setText(incr);
        editor->cpRPM->setValue(rpm);
    }
    void setCount(int n)
    {
        editor->cpNumEstagios->setValue(n);
        editor->btConfirmarNumEstagios->click();
    }
    double stored(int protocol, int stage, const char *column)
    {
        return scalar(QStringLiteral("SELECT %1 FROM PROTOCOLOSESTAGIOS WHERE Protocolo = %2 AND Estagio = %3")
                          .arg(QLatin1String(column))
                          .arg(protocol)
                          .arg(stage))
            .toDouble();
    }
    int protocolCount() { return scalar(QStringLiteral("SELECT COUNT(*) FROM PROTOCOLOS")).toInt(); }

    std::unique_ptr<TfrmNovoProtocolo> editor;
};

TEST_F(ProtocolEditorTest, ControlsCarryTheirNamesAndTheNewProtocolState)
{
    for (const char *name : {"cpProtocolo", "cpNome", "cpTipoErgometro", "cpNumEstagios", "btConfirmarNumEstagios",
                             "cpRegulares", "cpIrregulares", "cpEstagioAtual", "cpDuracao", "cpUnidCarga", "cpCarga",
                             "cpCargaIncr", "cpRPM", "cpInclinacao", "cpInclinacaoIncr", "btAnterior", "btProximo",
                             "btAplicar", "btCancel", "btInserir", "btCancelar"})
        EXPECT_NE(editor->findChild<QWidget *>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Novo Protocolo"));
    EXPECT_EQ(editor->btInserir->text(), QStringLiteral("&Inserir"));
    EXPECT_EQ(editor->cpProtocolo->text(), QStringLiteral("4"));   // three standard protocols
    EXPECT_FALSE(editor->btInserir->isEnabled());
    EXPECT_FALSE(editor->btAplicar->isEnabled());
    EXPECT_FALSE(editor->cpRegulares->isEnabled());
    EXPECT_FALSE(editor->cpRPM->isHidden());
    EXPECT_TRUE(editor->cpInclinacao->isHidden());
    EXPECT_EQ(editor->lbCarga->text(), QStringLiteral("Carga Inicial:"));
}

TEST_F(ProtocolEditorTest, OneStageProtocolNeedsALoadAndStoresWattsWithKgfm)
{
    TypeText(editor->cpNome, QStringLiteral("teste um"));
    EXPECT_EQ(editor->cpNome->text(), QStringLiteral("TESTE UM"));
    editor->cpUnidCarga->setCurrentIndex(editor->cpUnidCarga->findText(QStringLiteral("watts")));
    setStage(120, QStringLiteral("0"), QStringLiteral("0"), 50);
    EXPECT_TRUE(editor->btAplicar->isEnabled());
    EXPECT_FALSE(editor->btInserir->isEnabled());
    EXPECT_FALSE(editor->btAplicarClick());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, MsgStage);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Kestrova"));
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::Error);

    editor->cpCarga->clear();
    TypeText(editor->cpCarga, QStringLiteral("1x0-0"));   // only digits and the comma get in
    EXPECT_EQ(editor->cpCarga->text(), QStringLiteral("100"));
    editor->btAplicar->click();
    EXPECT_TRUE(editor->StageClean());
    ASSERT_TRUE(editor->btInserir->isEnabled());
    editor->btInserir->click();
    EXPECT_EQ(editor->result(), QDialog::Accepted);
    EXPECT_DOUBLE_EQ(stored(4, 1, "Carga"), 100);
    EXPECT_NEAR(stored(4, 1, "CargaKgfm"), 100 / 0.98 / 50, 1e-9);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Nome || UnidCarga || TipoErgometro || TipoEstagio FROM PROTOCOLOS "
                                    "WHERE Protocolo = 4")),
              QStringLiteral("TESTE UMwattsCR"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT DuracaoTotal FROM PROTOCOLOS WHERE Protocolo = 4")).toInt(), 120);
}

TEST_F(ProtocolEditorTest, RegularKgfmProtocolDerivesAndStoresEveryStage)
{
    editor->cpNome->setText(QStringLiteral("REGULAR KGFM"));
    setStage(120, QStringLiteral("1,00"), QStringLiteral("0,50"), 60);
    ASSERT_TRUE(editor->btAplicarClick());
    editor->cpNumEstagios->setValue(5);
    EXPECT_TRUE(editor->btConfirmarNumEstagios->isEnabled());
    EXPECT_FALSE(editor->cpCarga->isEnabled());
    EXPECT_FALSE(editor->btInserir->isEnabled());
    editor->btConfirmarNumEstagios->click();
    EXPECT_TRUE(messages.shown.empty()) << lastText().toStdString();
    EXPECT_TRUE(editor->cpRegulares->isEnabled());

    for (int i = 0; i < 3; ++i)
        editor->btProximo->click();
    EXPECT_EQ(editor->cpEstagioAtual->text(), QStringLiteral("4"));
    EXPECT_EQ(editor->cpCarga->text(), QStringLiteral("2,50"));
    EXPECT_EQ(editor->lbCarga->text(), QStringLiteral("Carga:"));
    EXPECT_FALSE(editor->cpCarga->isEnabled());   // regular stages are edited on stage 1 only
    EXPECT_TRUE(editor->btAnterior->isEnabled());
    editor->btProximo->click();
    EXPECT_FALSE(editor->btProximo->isEnabled());

    ASSERT_TRUE(editor->btInserirClick());
    EXPECT_DOUBLE_EQ(stored(4, 4, "CargaKgfm"), 2.5);
    EXPECT_NEAR(stored(4, 4, "Carga"), 147, 1e-9);
    EXPECT_EQ(stored(4, 4, "DuracaoFim"), 480);
    EXPECT_EQ(scalar(QStringLiteral("SELECT DuracaoTotal FROM PROTOCOLOS WHERE Protocolo = 4")).toInt(), 600);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM PROTOCOLOSESTAGIOS WHERE Protocolo = 4")).toInt(), 5);
}

TEST_F(ProtocolEditorTest, DurationMustBeAMultipleOf30AndTheTotalAtMost1440Minutes)
{
    editor->cpDuracao->setValue(45);
    EXPECT_FALSE(editor->cpDuracaoExit());
    EXPECT_EQ(lastText(), QStringLiteral("A Duração informada deve ser múltipla de 30 seg.!"));
    EXPECT_EQ(messages.shown.back().caption, QStringLiteral("Erro"));

    struct Case
    {
        const char *name;
        int duration;
        bool accepted;
    };
    for (const Case c : {Case{"60 x 1500 s = 90000 s", 1500, false}, Case{"60 x 1440 s = 86400 s", 1440, true}}) {
        SCOPED_TRACE(c.name);
        clearMessages();
        editor->PrepareNew();
        editor->ShowEditor();
        editor->cpNome->setText(QString::fromLatin1(c.name).toUpper());
        setStage(c.duration, QStringLiteral("1"), QStringLiteral("0,5"), 60);
        ASSERT_TRUE(editor->cpDuracaoExit());
        ASSERT_TRUE(editor->btAplicarClick());
        setCount(60);
        const int before = protocolCount();
        if (c.accepted) {
            EXPECT_TRUE(messages.shown.empty());
            EXPECT_TRUE(editor->btInserirClick());
            EXPECT_EQ(protocolCount(), before + 1);
            EXPECT_EQ(scalar(QStringLiteral("SELECT MAX(DuracaoTotal) FROM PROTOCOLOS")).toInt(), 86400);
        } else {
            EXPECT_EQ(lastText(), MsgTotal);
            EXPECT_FALSE(editor->btInserirClick());
            EXPECT_EQ(lastText(), MsgTotal);
            EXPECT_EQ(messages.shown.back().caption, QStringLiteral("Kestrova"));
            EXPECT_EQ(protocolCount(), before);
        }
    }
}

TEST_F(ProtocolEditorTest, RaisingAnIrregularProtocolAsksWhetherToDeriveTheNewStages)
{
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "Sim" : "Não");
        clearMessages();
        editor->PrepareNew();
        editor->ShowEditor();
        editor->cpNome->setText(yes ? QStringLiteral("IRREGULAR SIM") : QStringLiteral("IRREGULAR NAO"));
        editor->cpUnidCarga->setCurrentIndex(1);   // watts
        setStage(60, QStringLiteral("50"), QStringLiteral("25"), 60);
        ASSERT_TRUE(editor->btAplicarClick());
        setCount(3);
        editor->cpIrregulares->click();
        ASSERT_EQ(editor->Protocol().TipoEstagio, 'I');
        editor->btProximo->click();
        editor->btProximo->click();
        setStage(90, QStringLiteral("120"), QStringLiteral("30"), 70);
        ASSERT_TRUE(editor->btAplicarClick());

        messages.answers = {yes ? MessageAnswer::Yes : MessageAnswer::No};
        setCount(5);
        ASSERT_FALSE(messages.shown.empty());
        EXPECT_EQ(messages.shown[0].text, QStringLiteral("Acrescentar Estágio(s) com base no último Estágio?"));
        const TProtocolo &p = editor->Protocol();
        EXPECT_EQ(p.NumEstagios, 5);
        EXPECT_DOUBLE_EQ(p.Estagios[2].Carga, 75);   // stages 1 to 3 as they were
        EXPECT_DOUBLE_EQ(p.Estagios[3].Carga, 120);
        EXPECT_DOUBLE_EQ(p.Estagios[4].Carga, yes ? 150 : 0);
        EXPECT_DOUBLE_EQ(p.Estagios[5].Carga, yes ? 180 : 0);
        EXPECT_EQ(p.Estagios[5].RPM, yes ? 70 : 0);
        EXPECT_EQ(p.Estagios[5].Duracao, yes ? 90 : 0);

        const int before = protocolCount();
        clearMessages();
        if (yes) {
            EXPECT_TRUE(editor->btInserirClick());
            EXPECT_EQ(protocolCount(), before + 1);
            EXPECT_EQ(scalar(QStringLiteral("SELECT DuracaoTotal FROM PROTOCOLOS WHERE Nome = 'IRREGULAR SIM'")).toInt(),
                      60 + 60 + 90 * 3);
        } else {
            // Stage 4 in watts at 0 RPM has no load in kgfm: the save is refused and names it.
            EXPECT_FALSE(editor->btInserirClick());
            EXPECT_TRUE(lastText().contains(QStringLiteral("Estágio 4"))) << lastText().toStdString();
            EXPECT_EQ(editor->cpEstagioAtual->text(), QStringLiteral("4"));
            EXPECT_EQ(protocolCount(), before);
        }
    }
}

TEST_F(ProtocolEditorTest, LoweringTheCountClearsTheStagesAbove)
{
    editor->cpNome->setText(QStringLiteral("BAIXAR"));
    setStage(60, QStringLiteral("1"), QStringLiteral("1"), 60);
    ASSERT_TRUE(editor->btAplicarClick());
    setCount(5);
    editor->cpIrregulares->click();
    setCount(2);
    messages.answers = {MessageAnswer::No};
    setCount(5);
    for (int i = 0; i < 4; ++i)
        editor->btProximo->click();
    EXPECT_EQ(editor->cpCarga->text(), QStringLiteral("0,00"));
    EXPECT_EQ(editor->cpRPM->value(), 0);
    EXPECT_DOUBLE_EQ(editor->Protocol().Estagios[2].CargaKgfm, 2);
}

TEST_F(ProtocolEditorTest, TreadmillStageNeedsAnIncrementAndInclineAtMost100)
{
    editor->cpNome->setText(QStringLiteral("ESTEIRA TESTE"));
    editor->cpTipoErgometro->setCurrentIndex(1);
    EXPECT_EQ(editor->cpUnidCarga->currentText(), QStringLiteral("km/h"));
    EXPECT_TRUE(editor->cpRPM->isHidden());
    EXPECT_FALSE(editor->cpInclinacao->isHidden());
    setCount(3);
    EXPECT_TRUE(editor->cpInclinacaoIncr->isEnabled());

    editor->cpCarga->setText(QStringLiteral("6"));
    editor->cpCargaIncr->setText(QStringLiteral("0"));
    editor->cpInclinacao->setText(QStringLiteral("1"));
    editor->cpInclinacaoIncr->setText(QStringLiteral("0"));
    EXPECT_FALSE(editor->btAplicarClick());
    EXPECT_EQ(lastText(), MsgStage);
    editor->cpInclinacaoIncr->setText(QStringLiteral("2,00"));
    EXPECT_TRUE(editor->btAplicarClick());
    EXPECT_DOUBLE_EQ(editor->Protocol().Estagios[3].Inclinacao, 5);

    clearMessages();
    editor->cpInclinacao->setText(QStringLiteral("100,01"));
    EXPECT_FALSE(editor->NumberBoxExit(editor->cpInclinacao));
    EXPECT_EQ(lastText(), QStringLiteral("A Inclinação informada não é válida!"));
    editor->cpInclinacao->setText(QStringLiteral("100"));
    EXPECT_TRUE(editor->NumberBoxExit(editor->cpInclinacao));
    EXPECT_EQ(editor->cpInclinacao->text(), QStringLiteral("100,00"));
    editor->cpCargaIncr->clear();
    EXPECT_TRUE(editor->NumberBoxExit(editor->cpCargaIncr));
    EXPECT_EQ(editor->cpCargaIncr->text(), QStringLiteral("0,00"));
}

TEST_F(ProtocolEditorTest, PendingStageEditLocksNavigationUntilAppliedOrDropped)
{
    editor->cpNome->setText(QStringLiteral("PENDENTE"));
    setStage(60, QStringLiteral("1"), QStringLiteral("1"), 60);
    ASSERT_TRUE(editor->btAplicarClick());
    setCount(3);
    editor->cpIrregulares->click();
    EXPECT_TRUE(editor->btInserir->isEnabled());

    editor->cpCarga->setText(QStringLiteral("3"));
    EXPECT_FALSE(editor->StageClean());
    EXPECT_TRUE(editor->btAplicar->isEnabled());
    EXPECT_FALSE(editor->btProximo->isEnabled());
    EXPECT_FALSE(editor->cpNumEstagios->isEnabled());
    EXPECT_FALSE(editor->cpRegulares->isEnabled());
    EXPECT_FALSE(editor->btInserir->isEnabled());
    editor->cpCarga->setText(QStringLiteral("1,00"));   // back to the stored value
    EXPECT_TRUE(editor->StageClean());
    EXPECT_TRUE(editor->btProximo->isEnabled());

    editor->cpCarga->setText(QStringLiteral("3"));
    messages.answers = {MessageAnswer::No};
    editor->btCancel->click();
    EXPECT_EQ(editor->cpCarga->text(), QStringLiteral("3"));
    editor->btCancel->click();   // Yes
    EXPECT_EQ(lastText(), QStringLiteral("Cancelar Alterações no Estágio?"));
    EXPECT_EQ(editor->cpCarga->text(), QStringLiteral("1,00"));
    EXPECT_TRUE(editor->btInserir->isEnabled());

    messages.answers = {MessageAnswer::No};
    editor->cpRegulares->click();
    EXPECT_EQ(editor->Protocol().TipoEstagio, 'I');
    EXPECT_TRUE(editor->cpIrregulares->isChecked());
}

TEST_F(ProtocolEditorTest, NameMustBeUniqueInAnyCaseButAnAlterationMayKeepItsOwn)
{
    exec(QStringLiteral("INSERT INTO PROTOCOLOS (Protocolo, Nome, TipoErgometro, NumEstagios, TipoEstagio, UnidCarga, "
                        "DuracaoTotal) VALUES (9, 'esteira leve', 'E', 1, 'R', 'km/h', 60)"));
    dm().qProtocolos.refresh();
    editor->PrepareNew();
    editor->ShowEditor();
    TypeText(editor->cpNome, QStringLiteral("Esteira Leve"));
    setStage(60, QStringLiteral("1"), QStringLiteral("0"), 60);
    ASSERT_TRUE(editor->btAplicarClick());
    EXPECT_FALSE(editor->btInserirClick());
    EXPECT_EQ(lastText(), QStringLiteral("Já existe um Protocolo com este nome!\rO nome do Protocolo deve ser único. "
                                         "Tente outro nome."));

    clearMessages();
    ASSERT_TRUE(editor->PrepareAlter(1));
    editor->ShowEditor();
    EXPECT_EQ(editor->windowTitle(), QStringLiteral("Alterar Protocolo"));
    EXPECT_EQ(editor->btInserir->text(), QStringLiteral("&Alterar"));
    const QString own = editor->cpNome->text();
    editor->cpNome->setText(QStringLiteral("X"));
    editor->cpNome->setText(own);
    ASSERT_TRUE(editor->btInserir->isEnabled());
    EXPECT_TRUE(editor->btInserirClick());
    EXPECT_TRUE(messages.shown.empty()) << lastText().toStdString();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM PROTOCOLOSESTAGIOS WHERE Protocolo = 1")).toInt(), 12);
}

TEST_F(ProtocolEditorTest, ProgressWindowAppearsOnlyWhileSaving)
{
    QStringList shown;
    int hidden = 0;
    ProgressWindow progress {[&](const QString &caption, int percent) { shown << caption + QString::number(percent); },
                             [&] { ++hidden; }};
    TfrmNovoProtocolo withProgress(dm(), messages, progress);
    withProgress.PrepareNew();
    withProgress.ShowEditor();
    EXPECT_TRUE(shown.isEmpty()) << shown.join(u' ').toStdString();

    withProgress.cpNome->setText(QStringLiteral("COM PROGRESSO"));
    withProgress.cpCarga->setText(QStringLiteral("1"));
    withProgress.cpRPM->setValue(60);
    ASSERT_TRUE(withProgress.btAplicarClick());
    ASSERT_TRUE(withProgress.btInserirClick());
    ASSERT_FALSE(shown.isEmpty());
    EXPECT_EQ(shown.first(), QStringLiteral("Salvando...0"));
    EXPECT_EQ(shown.last(), QStringLiteral("Salvando...100"));
    EXPECT_EQ(hidden, 1);
}

TEST_F(ProtocolEditorTest, EnterInTheCountConfirmsAChangeAndMovesOn)
{
    editor->cpNome->setText(QStringLiteral("ENTER"));
    setStage(60, QStringLiteral("1"), QStringLiteral("1"), 60);
    ASSERT_TRUE(editor->btAplicarClick());
    editor->show();
    editor->activateWindow();
    QApplication::processEvents();   // the activation arrives as an event
    ASSERT_TRUE(editor->isActiveWindow());
    struct Case
    {
        int typed;
        int count;             // NumEstagios afterwards
        const char *focused;   // where Enter leaves the focus
    };
    for (const Case c : {Case{1, 1, "cpDuracao"}, Case{3, 3, "cpRegulares"}, Case{3, 3, "cpRegulares"}}) {
        SCOPED_TRACE(c.typed);
        editor->cpNumEstagios->setFocus();
        ASSERT_TRUE(editor->cpNumEstagios->hasFocus());
        editor->cpNumEstagios->setValue(c.typed);
        PressKey(editor->cpNumEstagios, Qt::Key_Return);
        EXPECT_EQ(editor->Protocol().NumEstagios, c.count);
        EXPECT_FALSE(editor->btConfirmarNumEstagios->isEnabled());
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.focused));
    }
    EXPECT_TRUE(messages.shown.empty()) << lastText().toStdString();
}

TEST_F(ProtocolEditorTest, ProtocolListDeletesWithStagesUnlessEvaluationsUseIt)
{
    TfrmCadProtocolos list(dm(), messages);
    addEvaluation(1, 1, 0, 1, QStringLiteral("1"));
    dm().qProtocolos.locate(QStringLiteral("Protocolo"), 1);
    list.btExcluir->click();
    EXPECT_EQ(messages.shown.at(0).text, QStringLiteral("Confirma a exclusão?"));
    EXPECT_TRUE(lastText().startsWith(QStringLiteral("Existem Avaliações com este Protocolo")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM PROTOCOLOSESTAGIOS WHERE Protocolo = 1")).toInt(), 12);

    clearMessages();
    dm().qProtocolos.locate(QStringLiteral("Protocolo"), 2);
    messages.answers = {MessageAnswer::No};
    PressKey(list.grid(), Qt::Key_Delete);
    EXPECT_EQ(protocolCount(), 3);
    PressKey(list.grid(), Qt::Key_Delete);
    EXPECT_EQ(protocolCount(), 2);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM PROTOCOLOSESTAGIOS WHERE Protocolo = 2")).toInt(), 0);

    int opened = 0;
    list.runEditor = [&](TfrmNovoProtocolo &e) {
        ++opened;
        e.ShowEditor();
        EXPECT_EQ(e.windowTitle(), QStringLiteral("Alterar Protocolo"));
        return int(QDialog::Rejected);
    };
    PressKey(list.grid(), Qt::Key_Return);
    EXPECT_EQ(opened, 1);
}

} // namespace
} // namespace kestrova::test
