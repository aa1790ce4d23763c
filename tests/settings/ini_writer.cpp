// A second process for the store's tests.
//   ini_writer FILE PREFIX COUNT   writes "v<i>-PREFIX" to key PREFIX<i> of section "s<i % 5>", i < COUNT;
//                                  exits 1 if any write fails.
//   ini_writer --read FILE SECTION KEY   prints the value read.
// With TAVREL_KILL_AT_RENAME set it kills itself at its first rename, as a kill -9 at the worst moment would.
#include "settings/IniStore.h"

#include <QString>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>

extern "C" int rename(const char* from, const char* to) noexcept
{
    if (std::getenv("TAVREL_KILL_AT_RENAME"))
        std::raise(SIGKILL);
    return ::renameat(AT_FDCWD, from, AT_FDCWD, to);
}

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], "--read") == 0) {
        tavrel::IniStore store(QString::fromLocal8Bit(argv[2]));
        const QByteArray value = store.read(QString::fromUtf8(argv[3]), QString::fromUtf8(argv[4])).toUtf8();
        std::fwrite(value.constData(), 1, size_t(value.size()), stdout);
        return 0;
    }
    if (argc != 4) {
        std::fprintf(stderr, "usage: ini_writer FILE PREFIX COUNT | ini_writer --read FILE SECTION KEY\n");
        return 2;
    }
    tavrel::IniStore store(QString::fromLocal8Bit(argv[1]));
    const QString prefix = QString::fromLocal8Bit(argv[2]);
    const int count = std::atoi(argv[3]);
    for (int i = 0; i < count; ++i)
        if (!store.write(QStringLiteral("s%1").arg(i % 5), prefix + QString::number(i), QStringLiteral("v%1-").arg(i) + prefix))
            return 1;
    return 0;
}
