#include "app/MenuWindow.h"

#include "app/AuthorsWindow.h"
#include "app/MenuWindowUi.h"
#include "app/SceneWindow.h"

#include <QApplication>
#include <QPushButton>

MenuWindow::MenuWindow()
    : QMainWindow(nullptr, Qt::WindowFlags())
{
}

MenuWindow::~MenuWindow() = default;

void MenuWindow::initialize(SceneWindow *sceneWindow, AuthorsWindow *authorsWindow)
{
    ui = std::make_unique<MenuWindowUi>();
    ui->setupUi(this);

    connect(ui->pushButtonStart, &QAbstractButton::clicked, this, &QWidget::hide);
    connect(ui->pushButtonStart, &QAbstractButton::clicked, sceneWindow, &QWidget::showFullScreen);
    connect(ui->pushButtonAuthors, &QAbstractButton::clicked, this, &QWidget::hide);
    connect(ui->pushButtonAuthors, &QAbstractButton::clicked, authorsWindow, &QWidget::showFullScreen);
    connect(ui->pushButtonExit, &QAbstractButton::clicked, qApp, &QCoreApplication::quit);
}
