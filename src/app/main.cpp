#include "app/Application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tavrel.Tavrel"));
    tavrel::Application tavrel(tavrel::programFiles());
    return app.exec();
}
