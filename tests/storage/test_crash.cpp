#include "storage_fixture.h"

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace kestrova::test {
namespace {

using Crash = StorageTest;

#ifdef Q_OS_UNIX
// A child posts sample rows one by one and tells the parent after each commit; the parent kills
// it mid-way. Every row the child reported committed must be there, whole, after reopening.
TEST_F(Crash, KilledWhilePostingKeepsEveryCommittedRow)
{
    dm();
    closeModule();
    exec(QStringLiteral("INSERT INTO AVALIACOES (Avaliacao) VALUES (1)"));
    int pipeFds[2];
    ASSERT_EQ(pipe(pipeFds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeFds[0]);
        ScriptedMessages quiet;
        TfrmDM d(quiet, path());
        for (int s = 1;; ++s) {
            d.qAvaliacoesDados.append();
            d.qAvaliacoesDados.setValue(QStringLiteral("Avaliacao"), 1);
            d.qAvaliacoesDados.setValue(QStringLiteral("SeqAmostra"), s);
            d.qAvaliacoesDados.setValue(QStringLiteral("FC"), 100 + s % 100);
            d.qAvaliacoesDados.setValue(QStringLiteral("VE"), s * 0.5);
            d.qAvaliacoesDados.setValue(QStringLiteral("TempoTotal"), s * 5);
            d.qAvaliacoesDados.post();
            const int32_t done = s;
            if (write(pipeFds[1], &done, sizeof done) != sizeof done)
                _exit(1);
        }
    }
    close(pipeFds[1]);
    int32_t committed = 0, last = 0;
    while (committed < 400 && read(pipeFds[0], &last, sizeof last) == sizeof last)
        committed = last;
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    close(pipeFds[0]);
    ASSERT_GE(committed, 400);

    EXPECT_EQ(scalar(QStringLiteral("PRAGMA integrity_check")).toString(), QStringLiteral("ok"));
    TfrmDM &d = open();
    ASSERT_TRUE(d.DatabaseOpen);
    d.qAvaliacoes.first();
    ASSERT_GE(d.qAvaliacoesDados.recordCount(), committed);
    int s = 0;
    for (d.qAvaliacoesDados.first(); !d.qAvaliacoesDados.eof(); d.qAvaliacoesDados.next()) {
        ++s;
        ASSERT_EQ(d.qAvaliacoesDados.asInteger(QStringLiteral("SeqAmostra")), s);
        ASSERT_EQ(d.qAvaliacoesDados.asInteger(QStringLiteral("FC")), 100 + s % 100);
        ASSERT_DOUBLE_EQ(d.qAvaliacoesDados.asFloat(QStringLiteral("VE")), s * 0.5);
        ASSERT_EQ(d.qAvaliacoesDados.asInteger(QStringLiteral("TempoTotal")), s * 5);
    }
}
#endif

} // namespace
} // namespace kestrova::test
