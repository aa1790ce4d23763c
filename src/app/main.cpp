#include "app/Application.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavrel"));
    tavrel::Application tavrel(tavrel::programDirectory());
    return app.exec();
}
