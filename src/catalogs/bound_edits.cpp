#include "bound_edits.h"

#include "cursor.h"
#include "entry_helpers.h"
#include "messages.h"
#include "title_band_widget.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace kestrova {

CatalogDialog::CatalogDialog(Cursor &cursor, Messages &messages, QString keyField, QWidget *parent)
    : QDialog(parent), m_cursor(cursor), m_messages(messages), m_keyField(std::move(keyField))
{
    ApplyMainWindowBackground(this);
    run = [](CatalogDialog &dialog) { return dialog.exec(); };
}

QLineEdit *CatalogDialog::addKeyBox(QGridLayout *grid, int row, const QString &label)
{
    m_keyBox = new QLineEdit(this);
    m_keyBox->setObjectName(QStringLiteral("cp") + m_keyField);
    m_keyBox->setReadOnly(true);
    m_keyBox->setFocusPolicy(Qt::NoFocus);
    m_keyBox->setMaximumWidth(80);
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(m_keyBox, row, 1, Qt::AlignLeft);
    return m_keyBox;
}

QLineEdit *CatalogDialog::addBoundEdit(QGridLayout *grid, int row, const QString &label, const QString &field)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("cp") + field);
    edit->setMaxLength(255);
    MakeUpperCase(edit);
    EnterMovesToNext(edit);
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(edit, row, 1);
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString &text) {
        if (!m_loading && (m_cursor.state() == Cursor::State::Insert || m_cursor.state() == Cursor::State::Edit))
            m_cursor.setValue(field, text);
    });
    m_bound.emplace_back(edit, field);
    return edit;
}

void CatalogDialog::addButtons(QGridLayout *grid, int row)
{
    auto *buttons = new QHBoxLayout;
    btInserir = new QPushButton(QStringLiteral("&Inserir"), this);
    btInserir->setObjectName(QStringLiteral("btInserir"));
    btCancelar = new QPushButton(QStringLiteral("C&ancelar"), this);
    btCancelar->setObjectName(QStringLiteral("btCancelar"));
    btInserir->setAutoDefault(false);
    btCancelar->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(btInserir);
    buttons->addWidget(btCancelar);
    grid->addLayout(buttons, row, 0, 1, 2);
    connect(btInserir, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(btCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void CatalogDialog::loadBoundEdits()
{
    m_loading = true;
    for (auto &[edit, field] : m_bound)
        edit->setText(m_cursor.asString(field));
    if (m_keyBox)
        m_keyBox->setText(m_cursor.asString(m_keyField));
    m_loading = false;
}

void CatalogDialog::focusControl(QWidget *w)
{
    w->setFocus(Qt::OtherFocusReason);
}

bool CatalogDialog::RunInsert()
{
    setWindowTitle(insertCaption());
    btInserir->setText(QStringLiteral("&Inserir"));
    prepare(true);
    try {
        m_cursor.append();
    } catch (const StorageError &e) {
        m_messages.error(e.message());
        return false;
    }
    loadBoundEdits();
    return finish(run(*this));
}

bool CatalogDialog::RunAlter()
{
    if (m_cursor.isEmpty() || m_cursor.currentIndex() < 0)
        return false;
    setWindowTitle(alterCaption());
    btInserir->setText(QStringLiteral("&Alterar"));
    prepare(false);
    try {
        m_cursor.edit();
    } catch (const StorageError &e) {
        m_messages.error(e.message());
        return false;
    }
    loadBoundEdits();
    return finish(run(*this));
}

bool CatalogDialog::finish(int result)
{
    const QVariant key = m_cursor.value(m_keyField);
    bool posted = false;
    if (result == QDialog::Accepted) {
        try {
            m_cursor.post();
            posted = true;
        } catch (const StorageError &e) {
            m_messages.error(e.message());
        }
    } else {
        m_cursor.cancel();
    }
    try {
        m_cursor.close();
        m_cursor.open();
        if (!m_cursor.locate(m_keyField, key))
            m_cursor.first();
    } catch (const StorageError &e) {
        m_messages.error(e.message());
    }
    return posted;
}

} // namespace kestrova
