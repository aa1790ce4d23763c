// Writes COUNT keys into a settings file, for the test of concurrent writers:
//   ini_writer FILE PREFIX COUNT
// Key PREFIX<i> goes to section "s<i % 5>" with the value "v<i>-PREFIX". Exits 1 if any write fails.
#include "settings/IniStore.h"

#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: ini_writer FILE PREFIX COUNT\n");
        return 2;
    }
    tavrel::IniStore store(QString::fromLocal8Bit(argv[1]));
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    for (int i = 0; i < count; ++i) {
        const QString section = QStringLiteral("s%1").arg(i % 5);
        if (!store.write(section, prefix + QString::number(i), QStringLiteral("v%1-").arg(i) + prefix))
            return 1;
    }
    return 0;
}
