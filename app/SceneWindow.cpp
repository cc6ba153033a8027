#include "app/SceneWindow.h"

SceneWindow *SceneWindow::instance = nullptr;

SceneWindow::SceneWindow(QWidget *parent)
    : QMainWindow(parent)
{
}

SceneWindow::~SceneWindow()
{
    if (instance == this)
        instance = nullptr;
}

void SceneWindow::applySetup(bool twoPrisms)
{
    Q_UNUSED(twoPrisms);
}
