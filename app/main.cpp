#include "app/AuthorsWindow.h"
#include "app/MenuWindow.h"
#include "app/SceneWindow.h"

#include <QApplication>

#include <cstdlib>

namespace {

QtMessageHandler defaultHandler = nullptr;

// Qt ends a start without a usable window system (no display, say) with a fatal message and
// an abort. The message stands; the program then ends with code 1 rather than a signal.
void startHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    defaultHandler(type, context, message);
    if (type == QtFatalMsg)
        std::_Exit(1);
}

} // namespace

int main(int argc, char *argv[])
{
    defaultHandler = qInstallMessageHandler(startHandler);
    QApplication application(argc, argv);
    qInstallMessageHandler(defaultHandler);

    // Destroyed in reverse order: scene, authors, menu, then the application.
    MenuWindow menu;
    AuthorsWindow authors;
    SceneWindow scene;

    menu.initialize(&scene, &authors);
    authors.initialize(&menu);
    scene.initialize(&menu);

    menu.showFullScreen();
    return QApplication::exec();
}
