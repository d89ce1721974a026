// The message service, the application's error handler and the wheel hook.

#include "application.h"
#include "qt_messages.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>

#include <stdexcept>

using namespace kestrova;

TEST(MessageService, CarriageReturnBreaksTheLine)
{
    EXPECT_EQ(MessageBoxText(QStringLiteral("a\rb\r\nc\r")), QStringLiteral("a\nb\nc\n"));
}

namespace {

// Clicks the button with the given text on the message box once it is open.
void clickWhenShown(const QString &buttonText, QString *captionSeen, QString *textSeen, QStringList *buttonsSeen)
{
    QTimer::singleShot(0, [=] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        *captionSeen = box->windowTitle();
        *textSeen = box->text();
        for (QAbstractButton *b : box->buttons())
            buttonsSeen->append(b->text());
        for (QAbstractButton *b : box->buttons())
            if (b->text() == buttonText)
                return b->click();
        box->reject();
    });
}

} // namespace

TEST(MessageService, YesNoQuestionAnswersSimAndNao)
{
    QtMessages messages;
    struct Case
    {
        const char *button;
        MessageAnswer expected;
    };
    for (const Case &c : {Case {"Sim", MessageAnswer::Yes}, Case {"Não", MessageAnswer::No}}) {
        QString caption, text;
        QStringList buttons;
        clickWhenShown(QString::fromUtf8(c.button), &caption, &text, &buttons);
        const MessageAnswer a = messages.show(MessageIcon::Warning, QStringLiteral("Atenção"),
                                              QStringLiteral("Linha 1\rLinha 2"), MessageButtons::YesNo);
        EXPECT_EQ(a, c.expected) << c.button;
        EXPECT_EQ(caption, QStringLiteral("Atenção"));
        EXPECT_EQ(text, QStringLiteral("Linha 1\nLinha 2"));
        EXPECT_EQ(buttons, (QStringList {QStringLiteral("Sim"), QStringLiteral("Não")}));
    }
}

TEST(MessageService, ErrorBoxHasTheErrorCaption)
{
    QtMessages messages;
    QString caption, text;
    QStringList buttons;
    clickWhenShown(QStringLiteral("OK"), &caption, &text, &buttons);
    messages.error(QStringLiteral("Falhou"));
    EXPECT_EQ(caption, QStringLiteral("Erro"));
    EXPECT_EQ(buttons, QStringList {QStringLiteral("OK")});
}

TEST(ErrorHandler, AnUncaughtErrorIsShownAndTheProgramGoesOn)
{
    ScriptedMessages messages;
    EXPECT_FALSE(RunGuarded(messages, [] { throw std::runtime_error("Erro ao gravar o arquivo"); }));
    EXPECT_FALSE(RunGuarded(messages, [] { throw 42; }));
    bool ran = false;
    EXPECT_TRUE(RunGuarded(messages, [&] { ran = true; }));
    EXPECT_TRUE(ran);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("Erro"));
    EXPECT_EQ(messages.shown[0].text, QStringLiteral("Erro ao gravar o arquivo"));
    EXPECT_EQ(messages.shown[1].text, QStringLiteral("Erro inesperado."));
}

TEST(WheelHook, WheelTurnMovesTheListSelectionLikeAnArrowKey)
{
    WheelToArrowKeyFilter filter;
    qApp->installEventFilter(&filter);
    QListWidget list;
    for (int i = 0; i < 10; ++i)
        list.addItem(QStringLiteral("Item %1").arg(i));
    list.setCurrentRow(4);
    list.show();
    list.activateWindow();
    list.setFocus();

    auto turn = [&](int delta) {
        QWheelEvent wheel(QPointF(10, 10), list.viewport()->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(list.viewport(), &wheel);
    };
    turn(-120);   // towards the user: Down
    EXPECT_EQ(list.currentRow(), 5);
    turn(-120);
    EXPECT_EQ(list.currentRow(), 6);
    turn(120);    // away from the user: Up
    EXPECT_EQ(list.currentRow(), 5);
    qApp->removeEventFilter(&filter);
    turn(-120);   // without the hook the wheel scrolls and leaves the selection alone
    EXPECT_EQ(list.currentRow(), 5);
}
