// The modal preview window: one page at a time, page navigation, zoom, printing on the default
// printer and saving as PDF. Pages are painted on demand from the laid-out document.
#pragma once

#include "platform/report/Document.h"

#include <QDialog>
#include <QImage>

#include <functional>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace plat::report {

class Report;
class ReportError;

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    // The document must outlive the window.
    PreviewWindow(const Document& document, QString title, QWidget* parent = nullptr);

    int pageCount() const { return document_.pageCount(); }
    int currentPage() const { return current_; } // 0-based
    double zoom() const { return zoom_; }        // 1.0 = actual size on screen
    const QImage& pageImage() const { return image_; }

    void showPage(int pageIndex); // clamped to the document
    void setZoom(double zoom);

    // Print and save report errors through this (a message box by default).
    void setErrorHandler(std::function<void(const ReportError&)> handler);

public slots:
    void printAll();
    void saveAsPdf(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void render();
    void updateControls();
    void onZoomChosen(int index);
    void askPdfPath();
    void report(const ReportError& error);

    const Document& document_;
    QString title_;
    int current_ = 0;
    double zoom_ = 1.0;
    QImage image_;
    std::function<void(const ReportError&)> errorHandler_;

    QPushButton* first_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* last_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* pageView_ = nullptr;
};

// Lays the report out and shows it modally; false (nothing shown) when it has no data.
bool showPreview(Report& report, QWidget* parent = nullptr);

} // namespace plat::report
