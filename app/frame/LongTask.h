// Long work (compaction, copies) runs on a worker thread while the user-interface thread keeps
// painting and shows a progress dialog, so the window stays responsive.
#pragma once

#include <QString>

#include <exception>
#include <functional>

class QWidget;

namespace tamsel {

using ProgressSink = std::function<void(int percent)>;

// Runs work(progress) on a worker thread and returns when it has finished; the exception it
// threw, if any, is returned. A progress dialog (label, 0-100 %) appears over parent when the
// work takes longer than a moment.
std::exception_ptr runWithProgress(QWidget* parent, const QString& label,
                                   const std::function<void(const ProgressSink&)>& work);

} // namespace tamsel
