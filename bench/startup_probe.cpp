// Tavrel as it starts, stopping right after the window's first paint: prints the
// CLOCK_MONOTONIC time of that moment in nanoseconds, then exits.
#include "app/Application.h"
#include "app/Form1.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <ctime>

namespace {

class FirstPaint : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            // Posted, so it runs once the whole window has been painted in this pass.
            QTimer::singleShot(0, [] {
                timespec ts{};
                clock_gettime(CLOCK_MONOTONIC, &ts);
                std::printf("%lld\n", static_cast<long long>(ts.tv_sec) * 1000000000LL + ts.tv_nsec);
                std::fflush(stdout);
                QCoreApplication::exit(0);
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    FirstPaint probe;
    app.installEventFilter(&probe);
    tavrel::Application tavrel(tavrel::programFiles());
    return app.exec();
}
