// TAVO: timed assessment of how well a person operates a single access switch.
#include "dialogs.h"
#include "default_window.h"
#include "key_store.h"
#include "program_launcher.h"
#include "tavo_application.h"
#include "version.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(tavo::application_title));
    QApplication::setApplicationVersion(QString::fromLatin1(tavo::version_text));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/tavo_icon.svg")));

    tavo::DesktopDialogs dialogs;
    tavo::TavoApplication tavo_app(dialogs, tavo::make_system_key_store(),
                                   std::make_unique<tavo::SystemProgramLauncher>());
    tavo_app.Form_Load();
    tavo_app.main_window().show();
    return QApplication::exec();
}
