// vantil-container: shows the control live for trying it by hand (--design for design mode,
// run mode by default), writes a picture of it in many styles (--gallery file.png), or one of
// the container with a sample list open below the control (--list-picture file.png).
#include "tools/vantil-container/ContainerWindow.h"
#include "tools/vantil-container/Gallery.h"
#include "tools/vantil-container/ListPreview.h"

#include <QApplication>
#include <QMessageBox>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (const qsizetype g = args.indexOf(QStringLiteral("--gallery")); g >= 0) {
        if (g + 1 >= args.size()) {
            std::fprintf(stderr, "usage: vantil-container --gallery file.png\n");
            return 2;
        }
        QString message;
        if (!vantilcontainer::writeGallery(args[g + 1], message)) {
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
            return 1;
        }
        return 0;
    }
    if (const qsizetype l = args.indexOf(QStringLiteral("--list-picture")); l >= 0) {
        if (l + 1 >= args.size()) {
            std::fprintf(stderr, "usage: vantil-container --list-picture file.png\n");
            return 2;
        }
        QString message;
        if (!vantilcontainer::writeListPicture(args[l + 1], message)) {
            std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
            return 1;
        }
        return 0;
    }
    vantilcontainer::ContainerWindow window(args.contains(QStringLiteral("--design")));
    std::string message;
    if (!window.create(message)) {
        QMessageBox::critical(nullptr, window.windowTitle(), QString::fromUtf8(message));
        return 1;
    }
    window.show();
    return QApplication::exec();
}
