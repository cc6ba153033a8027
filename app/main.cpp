#include "app/AuthorsWindow.h"
#include "app/MenuWindow.h"
#include "app/SceneWindow.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);

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
