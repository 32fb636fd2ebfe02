// Worker thread plus a local event loop that polls its progress.
#include "app/frame/LongTask.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <thread>

namespace tamsel {

std::exception_ptr runWithProgress(QWidget* parent, const QString& label,
                                   const std::function<void(const ProgressSink&)>& work) {
    std::atomic<int> percent{0};
    std::atomic<bool> done{false};
    std::exception_ptr failure;

    std::thread worker([&] {
        try {
            work([&percent](int p) { percent.store(p); });
        } catch (...) {
            failure = std::current_exception();
        }
        done.store(true);
    });

    QProgressDialog dialog(label, QString(), 0, 100, parent);
    dialog.setWindowModality(Qt::WindowModal);
    dialog.setMinimumDuration(400);
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    dialog.setValue(0);

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(30);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        dialog.setValue(std::clamp(percent.load(), 0, 99));
        if (done.load())
            loop.quit();
    });
    poll.start();
    if (!done.load())
        loop.exec();
    poll.stop();
    worker.join();
    return failure;
}

} // namespace tamsel
