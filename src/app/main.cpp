// Kestrova: program entry.

#include "application.h"
#include "principal.h"
#include "qt_messages.h"

int main(int argc, char **argv)
{
    kestrova::KestrovaApplication app(argc, argv);
    kestrova::QtMessages messages;
    kestrova::SetAppMessages(&messages);

    kestrova::PrincipalEnvironment env;
    env.messages = &messages;
    kestrova::TfrmPrincipal window(std::move(env));
    if (!window.FormCreate())
        return 1;
    window.showMaximized();
    return app.exec();
}
