#pragma once

// Writing a protocol with its stages to PROTOCOLOS and PROTOCOLOSESTAGIOS, and deleting one.

#include "messages.h"
#include "records.h"

#include <functional>

namespace kestrova {

class TfrmDM;

// The shared progress window: show sets its caption and percentage (showing it), hide closes it.
struct ProgressWindow
{
    ProgressFn show;
    std::function<void()> hide;

    void set(const QString &caption, int done, int total) const
    {
        if (show)
            show(caption, total > 0 ? done * 100 / total : 100);
    }
    void close() const
    {
        if (hide)
            hide();
    }
};

enum class SaveProtocolResult { Saved, NotFound, Failed };

// Writes the record (new row or the row of p.Protocolo), replacing its stage rows; fills
// DuracaoFim and DuracaoTotal into p. A database error is shown through messages; the rows
// written before it stay written.
SaveProtocolResult SaveProtocol(TfrmDM &dm, TProtocolo &p, bool isNew, Messages &messages,
                                const ProgressWindow &progress);

// True when an evaluation refers to the protocol / person / group / evaluator.
bool ProtocolInUse(TfrmDM &dm, qint64 protocol);
bool PersonInUse(TfrmDM &dm, qint64 person);
bool GroupInUse(TfrmDM &dm, qint64 group);
bool EvaluatorInUse(TfrmDM &dm, qint64 evaluator);

// Deletes the current row of qProtocolos with its stage rows. False with the error shown when
// the database refused.
bool DeleteCurrentProtocol(TfrmDM &dm, Messages &messages, const ProgressWindow &progress);

} // namespace kestrova
