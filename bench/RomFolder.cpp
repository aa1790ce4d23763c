#include "RomFolder.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fcntl.h>
#include <random>
#include <unistd.h>

namespace {

constexpr int kFiles = 100000;
constexpr int kArchives = 90000;

const char* const kWords[] = {"puzzle", "bobble", "street", "fighter", "metal", "slug", "dragon", "ninja",
                              "galaxy", "raiders", "turbo", "strikers", "final", "knights", "round", "pang"};
const char* const kArchiveExt[] = {".zip", ".ZIP", ".Zip", ".7z"};
const char* const kOtherExt[] = {".png", ".txt", ".cfg", ".nv", ".dat"};

// Built once per run; names in mixed letter case as real sets have them.
class RomFolder {
public:
    RomFolder()
    {
        std::mt19937 rng(42);
        const QByteArray base = QFile::encodeName(dir_.path()) + '/';
        char name[160];
        for (int i = 0; i < kFiles; ++i) {
            const char* a = kWords[rng() % 16];
            const char* b = kWords[rng() % 16];
            const char* ext = i < kArchives ? kArchiveExt[rng() % 3] : kOtherExt[rng() % 5];
            std::snprintf(name, sizeof name, "%s%s %s %05d%s", base.constData(), a, b, i, ext);
            char* p = name + base.size();
            for (; *p && *p != '.'; ++p) {
                if (rng() % 3 == 0 && *p >= 'a' && *p <= 'z')
                    *p = char(*p - 'a' + 'A');
            }
            const int fd = ::open(name, O_CREAT | O_WRONLY, 0644);
            if (fd >= 0)
                ::close(fd);
        }
    }
    QString path() const { return dir_.path(); }

private:
    QTemporaryDir dir_;
};

} // namespace

const QString& romFolder()
{
    static RomFolder folder;
    static const QString path = folder.path();
    return path;
}
