// Worker thread plus a local event loop that the worker ends.
#include "app/reports/BackgroundWork.h"

#include <QEventLoop>
#include <QMetaObject>

#include <thread>

namespace tamsel::reports {

std::exception_ptr runInBackground(const std::function<void()>& work) {
    std::exception_ptr failure;
    QEventLoop loop;
    std::thread worker([&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        // Queued: if the worker ends before the loop runs, the loop quits on its first turn.
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    return failure;
}

} // namespace tamsel::reports
