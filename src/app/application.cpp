#include "application.h"

#include "qt_messages.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <QWidget>

namespace kestrova {

QString UncaughtErrorText(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::exception &e) {
        const QString text = QString::fromUtf8(e.what());
        return text.isEmpty() ? QStringLiteral("Erro inesperado.") : text;
    } catch (...) {
        return QStringLiteral("Erro inesperado.");
    }
}

bool RunGuarded(Messages &messages, const std::function<void()> &operation)
{
    try {
        operation();
        return true;
    } catch (...) {
        messages.error(UncaughtErrorText(std::current_exception()));
        return false;
    }
}

bool WheelToArrowKeyFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Wheel)
        return QObject::eventFilter(watched, event);
    const auto *wheel = static_cast<QWheelEvent *>(event);
    const QPoint delta = wheel->angleDelta();
    const int turn = delta.y() != 0 ? delta.y() : delta.x();
    // Touchpads send phase events without a turn; they move nothing.
    if (turn == 0)
        return true;
    QWidget *target = QApplication::focusWidget();
    if (!target)
        target = qobject_cast<QWidget *>(watched);
    if (!target)
        return true;
    const int key = turn > 0 ? Qt::Key_Up : Qt::Key_Down;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
    return true;
}

KestrovaApplication::KestrovaApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool KestrovaApplication::notify(QObject *receiver, QEvent *event)
{
    bool handled = false;
    RunGuarded(AppMessages(), [&] { handled = QApplication::notify(receiver, event); });
    return handled;
}

} // namespace kestrova
