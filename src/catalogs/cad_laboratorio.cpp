#include "cad_laboratorio.h"

#include "builtin_logo.h"
#include "cursor_table_model.h"
#include "data_module.h"
#include "entry_helpers.h"
#include "formatting.h"
#include "messages.h"
#include "novo_avaliador.h"
#include "protocol_store.h"
#include "title_band_widget.h"

#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace kestrova {

namespace {
constexpr double MinMargin = 10;
constexpr double MaxMargin = 21;
}

TfrmCadLaboratorio::TfrmCadLaboratorio(TfrmDM &dm, Messages &messages, QString configFolder, QWidget *parent)
    : QDialog(parent), m_dm(dm), m_messages(messages), m_configFolder(std::move(configFolder)),
      m_chooser(DefaultImageFileChooser())
{
    setObjectName(QStringLiteral("TfrmCadLaboratorio"));
    setWindowTitle(QStringLiteral("Cadastro do Laboratório"));
    buildUi();
    m_evaluatorDialog = new TfrmNovoAvaliador(dm.qAvaliadores, messages, this);
    dm.qAvaliadores.first();
    FillDefaultEvaluatorList();
    UpdateEvaluatorButtons();
    setChanged(false);
}

void TfrmCadLaboratorio::buildUi()
{
    ApplyMainWindowBackground(this);
    auto *root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 8);
    root->addWidget(new TitleBandWidget(windowTitle(), this));
    auto *body = new QVBoxLayout;
    body->setContentsMargins(10, 4, 10, 0);
    root->addLayout(body);

    auto *lab = new QGroupBox(QStringLiteral("Laboratório"), this);
    auto *labGrid = new QGridLayout(lab);
    cpNome = new QLineEdit(lab);
    cpNome->setObjectName(QStringLiteral("cpNome"));
    labGrid->addWidget(new QLabel(QStringLiteral("Nome"), lab), 0, 0);
    labGrid->addWidget(cpNome, 1, 0);
    imLogotipo = new QLabel(lab);
    imLogotipo->setObjectName(QStringLiteral("imLogotipo"));
    imLogotipo->setFixedSize(MaxLogoWidth + 4, MaxLogoHeight + 4);
    imLogotipo->setAlignment(Qt::AlignCenter);
    imLogotipo->setFrameShape(QFrame::Box);
    imLogotipo->setCursor(Qt::PointingHandCursor);
    imLogotipo->setToolTip(QStringLiteral("Clique na imagem para alterá-la...\rTamanho máximo permitido: 110 x 65 pixels.")
                               .replace(QLatin1Char('\r'), QLatin1Char('\n')));
    btRemoverLogo = new QLabel(lab);
    btRemoverLogo->setObjectName(QStringLiteral("btRemoverLogo"));
    btRemoverLogo->setPixmap(style()->standardIcon(QStyle::SP_DialogDiscardButton).pixmap(16, 16));
    btRemoverLogo->setToolTip(QStringLiteral("Remover imagem"));
    btRemoverLogo->setCursor(Qt::PointingHandCursor);
    btRemoverLogo->setVisible(false);
    labGrid->addWidget(imLogotipo, 0, 1, 3, 1);
    labGrid->addWidget(btRemoverLogo, 0, 2, Qt::AlignTop);
    body->addWidget(lab);

    auto *report = new QGroupBox(QStringLiteral("Relatório"), this);
    auto *reportGrid = new QGridLayout(report);
    cpRodape = new QLineEdit(report);
    cpRodape->setObjectName(QStringLiteral("cpRodape"));
    cpMargemInf = new QLineEdit(QStringLiteral("10,00"), report);
    cpMargemInf->setObjectName(QStringLiteral("cpMargemInf"));
    cpMargemInf->setMaximumWidth(80);
    reportGrid->addWidget(new QLabel(QStringLiteral("Rodapé"), report), 0, 0);
    reportGrid->addWidget(cpRodape, 1, 0);
    reportGrid->addWidget(new QLabel(QStringLiteral("Margem Inferior (10,00 a 21,00 mm)"), report), 2, 0);
    reportGrid->addWidget(cpMargemInf, 3, 0, Qt::AlignLeft);
    body->addWidget(report);

    auto *evaluators = new QGroupBox(QStringLiteral("Avaliadores"), this);
    auto *evalBox = new QVBoxLayout(evaluators);
    dbAvaliadores = new QTableView(evaluators);
    dbAvaliadores->setObjectName(QStringLiteral("dbAvaliadores"));
    dbAvaliadores->setModel(new CursorTableModel(&m_dm.qAvaliadores, dbAvaliadores));
    dbAvaliadores->setSelectionBehavior(QAbstractItemView::SelectRows);
    dbAvaliadores->setSelectionMode(QAbstractItemView::SingleSelection);
    dbAvaliadores->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dbAvaliadores->verticalHeader()->setDefaultSectionSize(20);
    dbAvaliadores->setMinimumHeight(120);
    dbAvaliadores->installEventFilter(this);
    evalBox->addWidget(dbAvaliadores);
    auto *evalButtons = new QHBoxLayout;
    auto button = [&](const char *name, const QString &text) {
        auto *b = new QPushButton(text, evaluators);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        evalButtons->addWidget(b);
        return b;
    };
    btInserir = button("btInserir", QStringLiteral("&Inserir"));
    btAlterar = button("btAlterar", QStringLiteral("&Alterar"));
    btExcluir = button("btExcluir", QStringLiteral("&Excluir"));
    evalButtons->addStretch();
    evalBox->addLayout(evalButtons);
    cpAvaliadorPadrao = new QComboBox(evaluators);
    cpAvaliadorPadrao->setObjectName(QStringLiteral("cpAvaliadorPadrao"));
    evalBox->addWidget(new QLabel(QStringLiteral("Avaliador Padrão"), evaluators));
    evalBox->addWidget(cpAvaliadorPadrao);
    body->addWidget(evaluators, 1);

    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(10, 4, 10, 0);
    btSalvar = new QPushButton(QStringLiteral("F&echar"), this);
    btSalvar->setObjectName(QStringLiteral("btSalvar"));
    btCancelar = new QPushButton(QStringLiteral("C&ancelar"), this);
    btCancelar->setObjectName(QStringLiteral("btCancelar"));
    btSalvar->setAutoDefault(false);
    btCancelar->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(btSalvar);
    buttons->addWidget(btCancelar);
    root->addLayout(buttons);
    resize(520, 600);

    for (QWidget *w : std::initializer_list<QWidget *>{cpNome, cpRodape, cpMargemInf})
        EnterMovesToNext(w);
    AcceptDecimalKeysOnly(cpMargemInf);
    OnExit(cpMargemInf, [this] { cpMargemInfExit(); });
    OnClick(imLogotipo, [this] { imLogotipoClick(); });
    OnClick(btRemoverLogo, [this] { btRemoverLogoClick(); });
    for (QLineEdit *e : {cpNome, cpRodape, cpMargemInf})
        connect(e, &QLineEdit::textEdited, this, [this] { setChanged(true); });
    connect(cpAvaliadorPadrao, &QComboBox::activated, this, [this] { setChanged(true); });
    connect(dbAvaliadores->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) {
                if (current.isValid())
                    m_dm.qAvaliadores.moveTo(current.row());
                UpdateEvaluatorButtons();
            });
    connect(btInserir, &QPushButton::clicked, this, [this] { EvaluatorInsert(); });
    connect(btAlterar, &QPushButton::clicked, this, [this] { EvaluatorAlter(); });
    connect(btExcluir, &QPushButton::clicked, this, [this] { EvaluatorDelete(); });
    connect(btSalvar, &QPushButton::clicked, this, [this] { btSalvarClick(); });
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

int TfrmCadLaboratorio::execute(QWidget *parent, TfrmDM &dm, Messages &messages, const QString &configFolder,
                                ImageFileChooser chooser)
{
    TfrmCadLaboratorio window(dm, messages, configFolder, parent);
    window.setImageFileChooser(std::move(chooser));
    window.LoadFromDatabase();
    const int result = window.exec();
    window.StoreToDatabase(result);
    return result;
}

void TfrmCadLaboratorio::setChanged(bool changed)
{
    if (m_filling)
        return;
    m_changed = changed;
    btSalvar->setText(changed ? QStringLiteral("&Salvar") : QStringLiteral("F&echar"));
    btCancelar->setVisible(changed);
}

qint64 TfrmCadLaboratorio::defaultEvaluator() const
{
    const Cursor &lab = m_dm.qLaboratorio;
    if (lab.isEmpty() && lab.state() != Cursor::State::Insert)
        return -1;
    return lab.isNull(QStringLiteral("AvaliadorPadrao")) ? -1 : lab.asInteger(QStringLiteral("AvaliadorPadrao"));
}

void TfrmCadLaboratorio::LoadFromDatabase()
{
    Cursor &lab = m_dm.qLaboratorio;
    m_filling = true;
    try {
        if (lab.isEmpty()) {
            lab.append();
        } else {
            lab.first();
            lab.edit();
            cpNome->setText(lab.asString(QStringLiteral("Nome")));
            // An own logo that cannot be read leaves the picture empty rather than passing for the
            // built-in one.
            if (QFile::exists(ownLogoPath()))
                showLogo(QImage(ownLogoPath()), true);
            else if (QFile::exists(builtInLogoPath()))
                showLogo(QImage(builtInLogoPath()), false);
            else
                showLogo(QImage(), false);
            cpRodape->setText(lab.asString(QStringLiteral("RelRodape")));
            cpMargemInf->setText(Format(u"%2.2f", {lab.asFloat(QStringLiteral("RelMargemInf"))}));
            FillDefaultEvaluatorList();
            m_dm.qAvaliadores.first();
        }
    } catch (const StorageError &e) {
        m_messages.error(e.message());
    }
    m_filling = false;
    setChanged(false);
}

void TfrmCadLaboratorio::StoreToDatabase(int result)
{
    Cursor &lab = m_dm.qLaboratorio;
    if (result != ResultYes) {
        lab.cancel();
        return;
    }
    try {
        lab.setValue(QStringLiteral("Nome"), cpNome->text());
        lab.setValue(QStringLiteral("RelMargemInf"), ParseDecimalOrZero(cpMargemInf->text()));
        lab.setValue(QStringLiteral("RelRodape"), cpRodape->text());
        const QString chosen = cpAvaliadorPadrao->currentText();
        Cursor &ev = m_dm.qAvaliadores;
        const int nameField = ev.fieldIndex(QStringLiteral("Nome"));
        for (int row = 0; row < ev.recordCount() && !chosen.isEmpty(); ++row) {
            if (ev.valueAt(row, nameField).toString().compare(chosen, Qt::CaseInsensitive) == 0) {
                lab.setValue(QStringLiteral("AvaliadorPadrao"),
                             ev.valueAt(row, ev.fieldIndex(QStringLiteral("Avaliador"))));
                break;
            }
        }
        lab.post();
    } catch (const StorageError &e) {
        m_messages.error(e.message());
    }
    QFile::remove(ownLogoPath());
    if (m_logoLoaded)
        m_logo.save(ownLogoPath(), "BMP");
}

void TfrmCadLaboratorio::cpMargemInfExit()
{
    cpMargemInf->setText(Format(u"%2.2f", {ParseDecimalOrZero(cpMargemInf->text())}));
}

bool TfrmCadLaboratorio::btSalvarClick()
{
    const double margin = ParseDecimalOrZero(cpMargemInf->text());
    if (margin < MinMargin || margin > MaxMargin) {
        m_messages.error(QStringLiteral("A Margem Inferior informada não é válida!"));
        cpMargemInf->setFocus(Qt::OtherFocusReason);
        return false;
    }
    done(m_changed ? ResultYes : ResultOK);
    return true;
}

void TfrmCadLaboratorio::FillDefaultEvaluatorList()
{
    const Cursor &ev = m_dm.qAvaliadores;
    QStringList names;
    QString selected;
    const qint64 standard = defaultEvaluator();
    const int nameField = ev.fieldIndex(QStringLiteral("Nome"));
    const int keyField = ev.fieldIndex(QStringLiteral("Avaliador"));
    for (int row = 0; row < ev.recordCount(); ++row) {
        const QString name = ev.valueAt(row, nameField).toString();
        names << name;
        if (ev.valueAt(row, keyField).toLongLong() == standard)
            selected = name;
    }
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        return QString::localeAwareCompare(a, b) < 0;
    });
    if (names.size() == 1)
        selected = names.first();
    cpAvaliadorPadrao->clear();
    cpAvaliadorPadrao->addItem(QString());
    cpAvaliadorPadrao->addItems(names);
    cpAvaliadorPadrao->setCurrentIndex(names.isEmpty() || selected.isNull() ? -1
                                                                              : cpAvaliadorPadrao->findText(selected));
}

void TfrmCadLaboratorio::UpdateEvaluatorButtons()
{
    const Cursor &ev = m_dm.qAvaliadores;
    const bool userRow = !ev.isEmpty() && ev.currentIndex() >= 0 && ev.asInteger(QStringLiteral("Avaliador")) > 0;
    btAlterar->setEnabled(userRow);
    btExcluir->setEnabled(userRow);
}

void TfrmCadLaboratorio::EvaluatorInsert()
{
    m_evaluatorDialog->RunInsert();
    UpdateEvaluatorButtons();
    FillDefaultEvaluatorList();
}

void TfrmCadLaboratorio::EvaluatorAlter()
{
    if (m_dm.qAvaliadores.isEmpty())
        return;
    m_evaluatorDialog->RunAlter();
    FillDefaultEvaluatorList();
}

void TfrmCadLaboratorio::EvaluatorDelete()
{
    Cursor &ev = m_dm.qAvaliadores;
    if (ev.isEmpty() || ev.currentIndex() < 0)
        return;
    if (m_messages.askYesNo(QStringLiteral("Confirma a exclusão?"))) {
        if (EvaluatorInUse(m_dm, ev.asInteger(QStringLiteral("Avaliador")))) {
            m_messages.error(QStringLiteral("Existem Avaliações deste Avaliador\rVocê deve excluí-las primeiro.   "
                                            "\r\r    Exclusão Cancelada        "));
        } else {
            try {
                ev.remove();
            } catch (const StorageError &e) {
                m_messages.error(e.message());
            }
        }
    }
    UpdateEvaluatorButtons();
    FillDefaultEvaluatorList();
}

bool TfrmCadLaboratorio::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == dbAvaliadores && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        const int k = static_cast<QKeyEvent *>(event)->key();
        const bool ours = k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Insert || k == Qt::Key_Delete;
        if (!ours)
            return QDialog::eventFilter(watched, event);
        if (event->type() == QEvent::KeyPress) {
            if (k == Qt::Key_Insert)
                EvaluatorInsert();
            else if (k == Qt::Key_Delete)
                EvaluatorDelete();
            else
                EvaluatorAlter();
        }
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kestrova
