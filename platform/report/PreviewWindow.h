// The modal preview window: one page at a time, page navigation, zoom, printing on the default
// printer, saving as PDF and, for a report with a table of its lines, saving that table as CSV
// or as an Excel workbook. Pages are painted on demand from the laid-out document.
#pragma once

#include "platform/report/Document.h"
#include "platform/report/ExportTable.h"

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

// Shows an error of the window's own print and save buttons; `window` is the preview window
// (the parent for a message box).
using PreviewErrorHandler = std::function<void(const ReportError& error, QWidget* window)>;

// A save button's question for the name of the file: its caption and the file filter.
struct SaveNameRequest {
    QWidget* window = nullptr;
    QString caption;
    QString filter;
};
// The name of the file to save to; empty when the user cancels.
using SaveNameAsker = std::function<QString(const SaveNameRequest& request)>;

// What the window asks of the program that shows it. A member left empty is answered by the
// file dialog (file names) and by the message service's error box, number + ": " + description
// under "プレビューのエラー" (errors).
struct PreviewHost {
    SaveNameAsker askSaveName;
    PreviewErrorHandler showError;
};

class PreviewWindow : public QDialog {
    Q_OBJECT
public:
    // The document, and the table when given, must outlive the window. Without a table (or with
    // one that has no columns) the CSV and Excel buttons are hidden.
    PreviewWindow(const Document& document, QString title, QWidget* parent = nullptr,
                  const ExportTable* table = nullptr);

    int pageCount() const { return document_.pageCount(); }
    int currentPage() const { return current_; } // 0-based
    double zoom() const { return zoom_; }        // 1.0 = actual size on screen
    const QImage& pageImage() const { return image_; }

    void showPage(int pageIndex); // clamped to the document
    void setZoom(double zoom);

    void setHost(PreviewHost host);
    // Print and save errors go through this (the message service's error box when none is set).
    void setErrorHandler(PreviewErrorHandler handler);
    bool canSaveCsv() const;

public slots:
    void printAll();
    void saveAsPdf(const QString& path);
    void saveAsCsv(const QString& path);
    void saveAsXlsx(const QString& path);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void render();
    void updateControls();
    void onZoomChosen(int index);
    void fitScreen();
    QString askSaveName(const char* caption, const char* filter);
    void askPdfPath();
    void askCsvPath();
    void askXlsxPath();
    void report(const ReportError& error);

    const Document& document_;
    QString title_;
    const ExportTable* table_ = nullptr;
    int current_ = 0;
    double zoom_ = 1.0;
    QImage image_;
    PreviewHost host_;

    QPushButton* first_ = nullptr;
    QPushButton* previous_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* last_ = nullptr;
    QLabel* pageLabel_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    QScrollArea* scroll_ = nullptr;
    QLabel* pageView_ = nullptr;
};

// Lays the report out and shows it modally, with the CSV and Excel buttons when the report
// defines export columns; false (nothing shown) when it has no data.
bool showPreview(Report& report, QWidget* parent = nullptr, PreviewHost host = {});

} // namespace plat::report
