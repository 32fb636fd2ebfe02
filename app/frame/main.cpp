// Program entry: the frame window with the main menu; nothing else runs first, and no database
// is opened here (each screen opens it itself).
#include "app/frame/AppIcon.h"
#include "app/frame/MainFrm.h"
#include "app/frame/Texts.h"
#include "app/frame/Version.h"
#include "platform/widgets/UiFont.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(tamsel::texts::kAppTitle));
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(tamsel::kVersionMajor)
                                            .arg(tamsel::kVersionMinor)
                                            .arg(tamsel::kVersionRevision));
    QApplication::setWindowIcon(tamsel::appIcon());
    plat::widgets::applyUiFont(app);

    tamsel::MainFrm frame;
    frame.show();
    return QApplication::exec();
}
