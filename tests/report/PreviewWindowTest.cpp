// The preview window on Qt's offscreen platform: first page at once with the page count,
// navigation by its buttons, zoom, real pixels of the painted page, saving as PDF and printing
// without a printer.
#include "SampleStatement.h"

#include "platform/report/PreviewWindow.h"
#include "platform/report/ReportError.h"
#include "platform/report/Texts.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QTest>
#include <gtest/gtest.h>

using namespace reporttest;

namespace {

QPushButton* button(PreviewWindow& w, const char* name) {
    return w.findChild<QPushButton*>(QString::fromLatin1(name));
}

int darkPixels(const QImage& image, QRect area) {
    int n = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            n += qGray(image.pixel(x, y)) < 128;
    }
    return n;
}

} // namespace

TEST(PreviewWindowTest, OpensOnFirstPageWithCountAndNavigatesByButtons) {
    ensureApp();
    SampleStatement report;
    report.setRecordSource(statementRows(3, 2));
    PreviewWindow w(report.run(), QStringLiteral("明細"));
    // The window leaves room for its title bar on the screen it opens on.
    const QSize room = w.screen()->availableGeometry().size();
    EXPECT_LT(w.width(), room.width());
    EXPECT_LT(w.height(), room.height());
    EXPECT_EQ(w.pageCount(), 3);
    EXPECT_EQ(w.currentPage(), 0);
    auto* label = w.findChild<QLabel*>(QStringLiteral("pageLabel"));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->text(), QStringLiteral("1 / 3 ページ"));
    EXPECT_FALSE(button(w, "previousPage")->isEnabled());
    EXPECT_FALSE(button(w, "firstPage")->isEnabled());
    const QImage first = w.pageImage();

    QTest::mouseClick(button(w, "nextPage"), Qt::LeftButton);
    EXPECT_EQ(w.currentPage(), 1);
    EXPECT_NE(w.pageImage(), first); // another employee's page
    QTest::mouseClick(button(w, "lastPage"), Qt::LeftButton);
    EXPECT_EQ(w.currentPage(), 2);
    EXPECT_EQ(label->text(), QStringLiteral("3 / 3 ページ"));
    EXPECT_FALSE(button(w, "nextPage")->isEnabled());
    w.showPage(99);
    EXPECT_EQ(w.currentPage(), 2);
    QTest::mouseClick(button(w, "firstPage"), Qt::LeftButton);
    EXPECT_EQ(w.currentPage(), 0);
    EXPECT_EQ(w.pageImage(), first);

    // Page keys: down, up, end, home; nothing moves past either end.
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_PageDown, 1}, {Qt::Key_PageDown, 2}, {Qt::Key_PageDown, 2}, {Qt::Key_PageUp, 1},
        {Qt::Key_Home, 0},     {Qt::Key_PageUp, 0},   {Qt::Key_End, 2}};
    for (auto [key, page] : keys) {
        QTest::keyClick(&w, key);
        EXPECT_EQ(w.currentPage(), page) << key;
    }
}

TEST(PreviewWindowTest, PageImageFollowsZoomAndShowsTheTitleAndRules) {
    ensureApp();
    SampleStatement report;
    report.setRecordSource(statementRows(1, 2));
    const Document& doc = report.run();
    PreviewWindow w(doc, {});
    const double dpi = w.logicalDpiX();
    const int fullWidth = qRound(doc.paper.width * dpi / 1440);
    EXPECT_EQ(w.pageImage().width(), fullWidth);
    w.setZoom(0.5);
    EXPECT_EQ(w.pageImage().width(), qRound(doc.paper.width * 0.5 * dpi / 1440));
    w.setZoom(1.0);

    // "Whole page" fits the page into the visible area, "fit width" fills its width.
    w.show();
    QApplication::processEvents();
    auto* zoom = w.findChild<QComboBox*>(QStringLiteral("zoom"));
    auto* scroll = w.findChild<QScrollArea*>();
    ASSERT_TRUE(zoom && scroll);
    const QSize view = scroll->viewport()->size();
    const int wholePage = zoom->findText(QString::fromUtf8(texts::kZoomFitPage));
    emit zoom->activated(wholePage);
    EXPECT_LE(w.pageImage().width(), view.width());
    EXPECT_LE(w.pageImage().height(), view.height());
    EXPECT_GT(w.pageImage().width(), view.width() / 2);
    emit zoom->activated(zoom->findText(QString::fromUtf8(texts::kZoomFitWidth)));
    EXPECT_LE(w.pageImage().width(), view.width());
    EXPECT_GT(w.pageImage().width(), view.width() - 20);
    w.hide();
    w.setZoom(1.0);

    // The rule under the page header spans the printable width at 720 + 750 twips from the top;
    // the title sits centred above it; the area right of the title stays white.
    const QImage& img = w.pageImage();
    auto px = [&](int twips) { return int(twips * dpi / 1440); };
    EXPECT_GT(darkPixels(img, QRect(px(720), px(720 + 740), px(15300), px(40))), px(15300) / 2);
    EXPECT_GT(darkPixels(img, QRect(px(720 + 4000), px(720 + 100), px(8000), px(500))), 50);
    EXPECT_EQ(darkPixels(img, QRect(px(720 + 12500), px(720 + 100), px(2500), px(500))), 0);
}

TEST(PreviewWindowTest, SavesAsPdfAndReportsPrinterErrorsToTheHandler) {
    ensureApp();
    SampleStatement report;
    report.setRecordSource(statementRows(2, 1));
    PreviewWindow w(report.run(), QStringLiteral("明細"));
    std::vector<int> errors;
    w.setErrorHandler([&](const ReportError& e, QWidget*) { errors.push_back(e.number()); });

    const auto pdf = scratchDir("preview") / "saved.pdf";
    w.saveAsPdf(QString::fromStdString(pdf.string()));
    EXPECT_EQ(pdfPages(pdf), 2);
    EXPECT_TRUE(errors.empty());

    w.saveAsPdf(QStringLiteral("/nonexistent-folder/y/saved.pdf"));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], static_cast<int>(ErrorCode::FileAccess));

    if (QPrinterInfo::availablePrinters().isEmpty()) {
        QTest::mouseClick(button(w, "print"), Qt::LeftButton);
        ASSERT_EQ(errors.size(), 2u);
        EXPECT_EQ(errors[1], static_cast<int>(ErrorCode::NoPrinter));
    }
}

TEST(PreviewWindowTest, ReportWithoutDataShowsNoWindow) {
    ensureApp();
    SampleStatement report;
    report.setRecordSource(statementRows(0, 0));
    EXPECT_FALSE(showPreview(report)); // returns at once: no modal window was opened
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<PreviewWindow*>(w), nullptr);
}
