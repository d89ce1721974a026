#include "qt_messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace kestrova {

namespace {

Messages *g_messages = nullptr;

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Error: return QMessageBox::Critical;
    case MessageIcon::Warning: return QMessageBox::Warning;
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Question: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

QString MessageBoxText(const QString &text)
{
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    return t;
}

MessageAnswer QtMessages::show(MessageIcon icon, const QString &caption, const QString &text,
                               MessageButtons buttons)
{
    QMessageBox box(boxIcon(icon), caption, MessageBoxText(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    QPushButton *ok = nullptr, *yes = nullptr, *no = nullptr, *cancel = nullptr;
    switch (buttons) {
    case MessageButtons::Ok:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        break;
    case MessageButtons::OkCancel:
        ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
        box.setDefaultButton(ok);
        break;
    case MessageButtons::YesNo:
        yes = box.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        break;
    case MessageButtons::YesNoCancel:
        yes = box.addButton(QStringLiteral("Sim"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Não"), QMessageBox::NoRole);
        cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
        box.setDefaultButton(yes);
        break;
    }
    box.exec();
    QAbstractButton *clicked = box.clickedButton();
    if (clicked && clicked == yes)
        return MessageAnswer::Yes;
    if (clicked && clicked == no)
        return MessageAnswer::No;
    if (clicked && clicked == ok)
        return MessageAnswer::Ok;
    // Closed by the window's close box or Escape: the safe answer of each kind of question.
    if (cancel)
        return MessageAnswer::Cancel;
    return buttons == MessageButtons::YesNo ? MessageAnswer::No : MessageAnswer::Ok;
}

Messages &AppMessages()
{
    if (!g_messages) {
        static QtMessages fallback;
        return fallback;
    }
    return *g_messages;
}

void SetAppMessages(Messages *messages)
{
    g_messages = messages;
}

} // namespace kestrova
