#include "app/Application.h"
#include "app/GraphicalSession.h"

#include <QApplication>

#include <iostream>

int main(int argc, char** argv)
{
    if (!tavrel::checkGraphicalSession(argc, argv, std::cerr))
        return 1;
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrel"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.tavrel.Tavrel"));
    tavrel::Application tavrel(tavrel::programFiles());
    return app.exec();
}
