#include "support/GuiApp.h"

#include <QGuiApplication>

QGuiApplication* EnsureGuiApplication()
{
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        return app;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char arg0[] = "varnholt_test";
    static char* argv[] = {arg0, nullptr};
    return new QGuiApplication(argc, argv);
}
