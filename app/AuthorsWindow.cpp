#include "app/AuthorsWindow.h"

#include "app/AuthorsWindowUi.h"
#include "app/MenuWindow.h"

#include <QPushButton>

AuthorsWindow::AuthorsWindow()
    : QMainWindow(nullptr, Qt::WindowFlags())
{
}

AuthorsWindow::~AuthorsWindow() = default;

void AuthorsWindow::initialize(MenuWindow *menuWindow)
{
    ui = std::make_unique<AuthorsWindowUi>();
    ui->setupUi(this);

    connect(ui->pushButtonToMenu, &QAbstractButton::clicked, this, &QWidget::hide);
    connect(ui->pushButtonToMenu, &QAbstractButton::clicked, menuWindow, &QWidget::showFullScreen);
}
