// Preview or direct printing of a report, with the print screens' error box.
#include "app/reports/PrintReport.h"

#include "app/frame/ScreenText.h"
#include "app/reports/Texts.h"
#include "platform/report/Output.h"
#include "platform/report/PreviewWindow.h"
#include "platform/report/ReportError.h"
#include "platform/widgets/MessageService.h"

namespace tamsel::reports {

void showPrintError(int number, const std::string& description, QWidget* parent) {
    plat::widgets::MessageService::error(failureText(number, description), tr8(texts::kTitlePrint),
                                         parent);
}

void previewOrPrint(plat::report::Report& report, bool preview, QWidget* parent) {
    try {
        if (preview)
            plat::report::showPreview(
                report, parent,
                {.askSaveName = {},
                 .showError = [](const plat::report::ReportError& e, QWidget* window) {
                     showPrintError(e.number(), e.description(), window);
                 }});
        else
            plat::report::printReport(report);
    } catch (const plat::report::ReportError& e) {
        showPrintError(e.number(), e.description(), parent);
    }
}

} // namespace tamsel::reports
