// Preview window: toolbar, scrolled page image, and the print and PDF actions.
#include "platform/report/PreviewWindow.h"

#include "platform/report/Csv.h"
#include "platform/report/Output.h"
#include "platform/report/PagePainter.h"
#include "platform/report/Report.h"
#include "platform/report/ReportError.h"
#include "platform/report/Texts.h"
#include "platform/report/Xlsx.h"
#include "platform/widgets/MessageService.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace plat::report {

namespace {

constexpr double kZoomSteps[] = {0.5, 0.75, 1.0, 1.5, 2.0};
constexpr int kFitWidth = -1;
constexpr int kFitPage = -2;
// The window's size where the screen has room for it, and the room its title bar and frame take
// beyond the available area.
constexpr QSize kPreferredSize(1000, 760);
constexpr QSize kFrameAllowance(16, 48);

QString u8(const char* s) {
    return QString::fromUtf8(s);
}

} // namespace

PreviewWindow::PreviewWindow(const Document& document, QString title, QWidget* parent,
                             const ExportTable* table)
    : QDialog(parent), document_(document), title_(std::move(title)), table_(table) {
    setWindowTitle(title_.isEmpty() ? u8(texts::kPreviewTitle) : title_);
    setModal(true);

    first_ = new QPushButton(u8(texts::kFirstPage));
    previous_ = new QPushButton(u8(texts::kPreviousPage));
    next_ = new QPushButton(u8(texts::kNextPage));
    last_ = new QPushButton(u8(texts::kLastPage));
    pageLabel_ = new QLabel;
    zoomBox_ = new QComboBox;
    for (double z : kZoomSteps)
        zoomBox_->addItem(QStringLiteral("%1%").arg(int(std::lround(z * 100))), z);
    zoomBox_->addItem(u8(texts::kZoomFitWidth), kFitWidth);
    zoomBox_->addItem(u8(texts::kZoomFitPage), kFitPage);
    zoomBox_->setCurrentIndex(2);
    auto* print = new QPushButton(u8(texts::kPrint));
    auto* save = new QPushButton(u8(texts::kSavePdf));
    auto* saveCsv = new QPushButton(u8(texts::kSaveCsv));
    saveCsv->setVisible(canSaveCsv());
    auto* saveXlsx = new QPushButton(u8(texts::kSaveXlsx));
    saveXlsx->setVisible(canSaveCsv());
    auto* close = new QPushButton(u8(texts::kClose));

    first_->setObjectName(QStringLiteral("firstPage"));
    previous_->setObjectName(QStringLiteral("previousPage"));
    next_->setObjectName(QStringLiteral("nextPage"));
    last_->setObjectName(QStringLiteral("lastPage"));
    pageLabel_->setObjectName(QStringLiteral("pageLabel"));
    zoomBox_->setObjectName(QStringLiteral("zoom"));
    print->setObjectName(QStringLiteral("print"));
    save->setObjectName(QStringLiteral("savePdf"));
    saveCsv->setObjectName(QStringLiteral("saveCsv"));
    saveXlsx->setObjectName(QStringLiteral("saveXlsx"));
    close->setObjectName(QStringLiteral("close"));

    auto* bar = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(first_), static_cast<QWidget*>(previous_),
                       static_cast<QWidget*>(pageLabel_), static_cast<QWidget*>(next_),
                       static_cast<QWidget*>(last_), static_cast<QWidget*>(zoomBox_)})
        bar->addWidget(w);
    bar->addStretch();
    bar->addWidget(print);
    bar->addWidget(save);
    bar->addWidget(saveCsv);
    bar->addWidget(saveXlsx);
    bar->addWidget(close);

    pageView_ = new QLabel;
    pageView_->setAlignment(Qt::AlignCenter);
    scroll_ = new QScrollArea;
    scroll_->setWidget(pageView_);
    scroll_->setWidgetResizable(true);
    scroll_->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);

    connect(first_, &QPushButton::clicked, this, [this] { showPage(0); });
    connect(previous_, &QPushButton::clicked, this, [this] { showPage(current_ - 1); });
    connect(next_, &QPushButton::clicked, this, [this] { showPage(current_ + 1); });
    connect(last_, &QPushButton::clicked, this, [this] { showPage(pageCount() - 1); });
    connect(zoomBox_, &QComboBox::activated, this, &PreviewWindow::onZoomChosen);
    connect(print, &QPushButton::clicked, this, &PreviewWindow::printAll);
    connect(save, &QPushButton::clicked, this, &PreviewWindow::askPdfPath);
    connect(saveCsv, &QPushButton::clicked, this, &PreviewWindow::askCsvPath);
    connect(saveXlsx, &QPushButton::clicked, this, &PreviewWindow::askXlsxPath);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    fitScreen();
    render();
    updateControls();
}

void PreviewWindow::fitScreen() {
    QSize size = kPreferredSize;
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() - kFrameAllowance);
    resize(size);
}

void PreviewWindow::showPage(int pageIndex) {
    const int clamped = std::clamp(pageIndex, 0, std::max(0, pageCount() - 1));
    if (clamped == current_ && !image_.isNull())
        return;
    current_ = clamped;
    render();
    updateControls();
}

void PreviewWindow::setZoom(double zoom) {
    zoom_ = std::clamp(zoom, 0.1, 8.0);
    render();
}

void PreviewWindow::onZoomChosen(int index) {
    const double choice = zoomBox_->itemData(index).toDouble();
    if (choice > 0) {
        setZoom(choice);
        return;
    }
    // Fit to the visible area: the page's size at 100% against the viewport's.
    const double dpi = logicalDpiX();
    const double pageWidth = document_.paper.width * dpi / kTwipsPerInch;
    const double pageHeight = document_.paper.height * dpi / kTwipsPerInch;
    const QSize view = scroll_->viewport()->size() - QSize(8, 8);
    double z = view.width() / pageWidth;
    if (int(choice) == kFitPage)
        z = std::min(z, view.height() / pageHeight);
    setZoom(z);
}

void PreviewWindow::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(current_ + 1);
        return;
    case Qt::Key_PageUp:
        showPage(current_ - 1);
        return;
    case Qt::Key_Home:
        showPage(0);
        return;
    case Qt::Key_End:
        showPage(pageCount() - 1);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void PreviewWindow::render() {
    if (document_.empty())
        return;
    const double scale = zoom_ * logicalDpiX() / double(kTwipsPerInch);
    const QSize size(std::max(1, int(std::lround(document_.paper.width * scale))),
                     std::max(1, int(std::lround(document_.paper.height * scale))));
    image_ = QImage(size, QImage::Format_RGB32);
    image_.fill(Qt::white);
    QPainter painter(&image_);
    painter.scale(scale, scale);
    paintPage(document_, current_, painter);
    painter.end();
    pageView_->setPixmap(QPixmap::fromImage(image_));
}

void PreviewWindow::updateControls() {
    pageLabel_->setText(u8(texts::kPageOfPages).arg(current_ + 1).arg(pageCount()));
    first_->setEnabled(current_ > 0);
    previous_->setEnabled(current_ > 0);
    next_->setEnabled(current_ + 1 < pageCount());
    last_->setEnabled(current_ + 1 < pageCount());
}

void PreviewWindow::setHost(PreviewHost host) {
    host_ = std::move(host);
}

void PreviewWindow::setErrorHandler(PreviewErrorHandler handler) {
    host_.showError = std::move(handler);
}

bool PreviewWindow::canSaveCsv() const {
    return table_ && !table_->headings.empty();
}

void PreviewWindow::report(const ReportError& error) {
    if (host_.showError) {
        host_.showError(error, this);
        return;
    }
    widgets::MessageService::error(QString::number(error.number()) + QStringLiteral(": ") +
                                       QString::fromStdString(error.description()),
                                   u8(texts::kErrorTitle), this);
}

void PreviewWindow::printAll() {
    try {
        printDocument(document_, title_);
    } catch (const ReportError& e) {
        report(e);
    }
}

void PreviewWindow::saveAsPdf(const QString& path) {
    try {
        writePdf(document_, path, title_);
    } catch (const ReportError& e) {
        report(e);
    }
}

void PreviewWindow::saveAsCsv(const QString& path) {
    if (!canSaveCsv())
        return;
    try {
        writeCsv(*table_, path);
    } catch (const ReportError& e) {
        report(e);
    }
}

void PreviewWindow::saveAsXlsx(const QString& path) {
    if (!canSaveCsv())
        return;
    try {
        writeXlsx(*table_, path, title_.toStdString());
    } catch (const ReportError& e) {
        report(e);
    }
}

QString PreviewWindow::askSaveName(const char* caption, const char* filter) {
    const SaveNameRequest request{this, u8(caption), u8(filter)};
    if (host_.askSaveName)
        return host_.askSaveName(request);
    return QFileDialog::getSaveFileName(this, request.caption, QString(), request.filter);
}

void PreviewWindow::askXlsxPath() {
    QString path = askSaveName(texts::kSaveXlsx, texts::kXlsxFilter);
    if (path.isEmpty())
        return;
    if (!path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        path += QLatin1String(".xlsx");
    saveAsXlsx(path);
}

void PreviewWindow::askCsvPath() {
    const QString path = askSaveName(texts::kSaveCsv, texts::kCsvFilter);
    if (!path.isEmpty())
        saveAsCsv(path);
}

void PreviewWindow::askPdfPath() {
    const QString path = askSaveName(texts::kSavePdf, texts::kPdfFilter);
    if (!path.isEmpty())
        saveAsPdf(path);
}

bool showPreview(Report& report, QWidget* parent, PreviewHost host) {
    const Document& document = report.run();
    if (document.empty())
        return false;
    PreviewWindow window(document, QString::fromStdString(report.caption), parent,
                         &report.exportTable());
    window.setHost(std::move(host));
    window.exec();
    return true;
}

} // namespace plat::report
