#include "entry_helpers.h"

#include "formatting.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>
#include <QWidget>

namespace kestrova {

namespace {

// Every text that reaches the box, typed or pasted, in upper case.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

class DecimalKeyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            const QString text = key->text();
            if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
                || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                return false;
            if (text.isEmpty() || (key->modifiers() & Qt::ControlModifier))
                return false;
            for (QChar c : text)
                if (!c.isDigit() && c != DecimalSeparator)
                    return true;
        }
        return QObject::eventFilter(watched, event);
    }
};

class EnterFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            auto *key = static_cast<QKeyEvent *>(event);
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
                && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
                auto *w = qobject_cast<QWidget *>(watched);
                if (w && w->window()) {
                    QWidget *next = w->nextInFocusChain();
                    while (next && next != w
                           && (!next->isEnabled() || !next->isVisibleTo(w->window())
                               || !(next->focusPolicy() & Qt::TabFocus)))
                        next = next->nextInFocusChain();
                    if (next && next != w)
                        next->setFocus(Qt::TabFocusReason);
                }
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

class ExitFilter : public QObject
{
public:
    ExitFilter(QObject *parent, std::function<void()> handler) : QObject(parent), m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusOut) {
            auto *focus = static_cast<QFocusEvent *>(event);
            // A focus that leaves with the window (another application, a message box) is no exit.
            if (focus->reason() != Qt::ActiveWindowFocusReason && focus->reason() != Qt::PopupFocusReason)
                m_handler();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
};

class ClickFilter : public QObject
{
public:
    ClickFilter(QObject *parent, std::function<void()> handler) : QObject(parent), m_handler(std::move(handler)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonRelease) {
            m_handler();
            return true;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
};

} // namespace

void MakeUpperCase(QLineEdit *edit)
{
    edit->setValidator(new UpperCaseValidator(edit));
}

void AcceptDecimalKeysOnly(QWidget *box)
{
    box->installEventFilter(new DecimalKeyFilter(box));
}

void EnterMovesToNext(QWidget *box)
{
    box->installEventFilter(new EnterFilter(box));
}

void OnExit(QWidget *box, std::function<void()> handler)
{
    box->installEventFilter(new ExitFilter(box, std::move(handler)));
}

void OnClick(QWidget *widget, std::function<void()> handler)
{
    widget->installEventFilter(new ClickFilter(widget, std::move(handler)));
}

QString StageNumberText(double value)
{
    return Format(u"%6.2f", {value}).trimmed();
}

} // namespace kestrova
