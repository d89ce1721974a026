// The catalog actions open their windows inside the main window's modal frame.

#include "cad_laboratorio.h"
#include "data_module.h"
#include "principal_fixture.h"

#include <QAction>
#include <QFileInfo>
#include <QLineEdit>
#include <QTimer>

namespace kestrova::testing {
namespace {

TEST_F(PrincipalTest, CatalogActionsOpenTheirWindowsWithActionsOff)
{
    TfrmPrincipal &w = create();
    const struct
    {
        const char *action;
        const char *window;
    } cases[] = {
        {"CadAvaliados", "TfrmCadAvaliados"},
        {"CadGrupos", "TfrmCadGrupos"},
        {"CadProtocolos", "TfrmCadProtocolos"},
        {"CadLaboratorio", "TfrmCadLaboratorio"},
    };
    for (const auto &c : cases) {
        QString shown;
        bool actionsOff = false;
        onModal = [&](QDialog &d) {
            shown = d.objectName();
            actionsOff = !w.Action(c.action)->isEnabled() && !w.SensorTimer().isActive();
            return int(QDialog::Rejected);
        };
        w.Action(c.action)->trigger();
        EXPECT_EQ(shown, c.window) << c.action;
        EXPECT_TRUE(actionsOff) << c.action;
        EXPECT_TRUE(w.Action(c.action)->isEnabled()) << c.action;
    }
    EXPECT_TRUE(messages.shown.empty()) << messages.texts().join('|').toStdString();
}

TEST_F(PrincipalTest, LaboratoryActionStoresWhatWasTyped)
{
    TfrmPrincipal &w = create();
    // The built-in report logo is placed beside the configuration on first start.
    EXPECT_TRUE(QFileInfo::exists(folders.ConfigFolder() + "RelLogotipoTavrel.jpg"));
    onModal = [](QDialog &d) {
        d.findChild<QLineEdit *>("cpNome")->setText("LABORATÓRIO DE TESTE");
        return int(TfrmCadLaboratorio::ResultYes);
    };
    w.Action("CadLaboratorio")->trigger();
    Cursor &lab = w.DataModule()->qLaboratorio;
    lab.refresh();
    ASSERT_FALSE(lab.isEmpty());
    EXPECT_EQ(lab.asString("Nome"), "LABORATÓRIO DE TESTE");

    // Cancelling leaves the stored row as it was.
    onModal = [](QDialog &d) {
        d.findChild<QLineEdit *>("cpNome")->setText("OUTRO");
        return int(TfrmCadLaboratorio::ResultCancel);
    };
    w.Action("CadLaboratorio")->trigger();
    lab.refresh();
    EXPECT_EQ(lab.asString("Nome"), "LABORATÓRIO DE TESTE");
}

} // namespace
} // namespace kestrova::testing
