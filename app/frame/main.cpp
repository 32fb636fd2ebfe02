// Program entry: the frame window with the main menu; nothing else runs first, and no database
// is opened here (each screen opens it itself). Arguments that a registered batch command
// claims run that command instead, without any window.
#include "app/frame/AppIcon.h"
#include "app/frame/BatchCommands.h"
#include "app/frame/MainFrm.h"
#include "app/frame/Texts.h"
#include "app/frame/Version.h"
#include "platform/widgets/UiFont.h"

#include <QApplication>

int main(int argc, char** argv) {
    const tamsel::BatchCommand* batch = tamsel::findBatchCommand(argc, argv);
    // A batch run needs no display: it works on a machine or in a script without one.
    if (batch && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tamsel::texts::kAppTitle));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(tamsel::kVersionMajor)
                                            .arg(tamsel::kVersionMinor)
                                            .arg(tamsel::kVersionRevision));
    QApplication::setWindowIcon(tamsel::appIcon());
    plat::widgets::applyUiFont(app);
    if (batch)
        return batch->run(QApplication::arguments());

    tamsel::MainFrm frame;
    frame.show();
    return QApplication::exec();
}
