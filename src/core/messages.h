#pragma once

// How logic below the windows tells the user something: every message box goes through one
// Messages object. The main window supplies one that shows real message boxes; tests supply a
// ScriptedMessages that records what was shown and answers Yes/No questions from a script.

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

namespace kestrova {

enum class MessageIcon { Error, Warning, Information, Question };
enum class MessageButtons { Ok, YesNo, OkCancel, YesNoCancel };
enum class MessageAnswer { Ok, Yes, No, Cancel };

inline constexpr char CaptionError[] = "Erro";
inline constexpr char CaptionWarning[] = "Atenção";
inline constexpr char CaptionProgram[] = "Kestrova";

class Messages
{
public:
    virtual ~Messages() = default;
    // A "\r" in text breaks the line.
    virtual MessageAnswer show(MessageIcon icon, const QString &caption, const QString &text,
                               MessageButtons buttons) = 0;

    void error(const QString &text) { show(MessageIcon::Error, CaptionError, text, MessageButtons::Ok); }
    void warning(const QString &text) { show(MessageIcon::Warning, CaptionWarning, text, MessageButtons::Ok); }
    void information(const QString &text, const QString &caption = CaptionWarning)
    {
        show(MessageIcon::Information, caption, text, MessageButtons::Ok);
    }
    // A Yes/No question ("Sim"/"Não"); true for Yes.
    bool askYesNo(const QString &text, const QString &caption = CaptionWarning)
    {
        return show(MessageIcon::Question, caption, text, MessageButtons::YesNo) == MessageAnswer::Yes;
    }
};

// For tests: records every message and answers from a queue (Yes/Ok when the queue is empty).
class ScriptedMessages : public Messages
{
public:
    struct Shown
    {
        MessageIcon icon;
        QString caption;
        QString text;
        MessageButtons buttons;
    };

    MessageAnswer show(MessageIcon icon, const QString &caption, const QString &text,
                       MessageButtons buttons) override
    {
        shown.push_back({icon, caption, text, buttons});
        if (answers.empty())
            return buttons == MessageButtons::Ok || buttons == MessageButtons::OkCancel ? MessageAnswer::Ok
                                                                                           : MessageAnswer::Yes;
        MessageAnswer a = answers.front();
        answers.pop_front();
        return a;
    }

    QStringList texts() const
    {
        QStringList t;
        for (const auto &s : shown)
            t << s.text;
        return t;
    }

    std::deque<MessageAnswer> answers;
    std::vector<Shown> shown;
};

// Progress of a long operation: a caption (may change) and a percentage 0..100.
using ProgressFn = std::function<void(const QString &caption, int percent)>;

} // namespace kestrova
