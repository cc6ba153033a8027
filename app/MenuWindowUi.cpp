#include "app/MenuWindowUi.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

void MenuWindowUi::setupUi(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("MenuWindow"));
    window->resize(1024, 768);
    QFont windowFont;
    windowFont.setFamily(QStringLiteral("Courant"));
    windowFont.setPointSize(14);
    window->setFont(windowFont);

    centralWidget = new QWidget(window);
    centralWidget->setObjectName(QStringLiteral("centralWidget"));
    verticalLayout = new QVBoxLayout(centralWidget);
    verticalLayout->setSpacing(6);
    verticalLayout->setContentsMargins(11, 11, 11, 11);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));

    setupPageHeader(Style{6, 10, true, false, 0});
    verticalLayout->addWidget(setupTitle());

    layoutButtons = new QGridLayout();
    layoutButtons->setSpacing(6);
    layoutButtons->setObjectName(QStringLiteral("layoutButtons"));
    QFont buttonFont;
    buttonFont.setBold(true);
    buttonFont.setWeight(QFont::Bold);
    auto newButton = [this, &buttonFont](const char *name, int minWidth, int minHeight) {
        auto *button = new QPushButton(centralWidget);
        button->setObjectName(QString::fromLatin1(name));
        button->setMinimumSize(QSize(minWidth, minHeight));
        button->setFont(buttonFont);
        return button;
    };
    spacerAboveStart = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    layoutButtons->addItem(spacerAboveStart, 0, 2, 1, 1);
    pushButtonStart = newButton("pushButtonStart", 300, 100);
    layoutButtons->addWidget(pushButtonStart, 1, 2, 1, 1);
    spacerBelowStart = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    layoutButtons->addItem(spacerBelowStart, 2, 2, 1, 1);
    pushButtonAuthors = newButton("pushButtonAuthors", 150, 75);
    layoutButtons->addWidget(pushButtonAuthors, 3, 0, 1, 1);
    pushButtonExit = newButton("pushButtonExit", 150, 75);
    layoutButtons->addWidget(pushButtonExit, 3, 4, 1, 1);
    spacerLeftOfStart = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layoutButtons->addItem(spacerLeftOfStart, 1, 1, 1, 1);
    spacerRightOfStart = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layoutButtons->addItem(spacerRightOfStart, 1, 3, 1, 1);
    spacerBetweenAuthorsAndExit = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layoutButtons->addItem(spacerBetweenAuthorsAndExit, 3, 1, 1, 3);
    verticalLayout->addLayout(layoutButtons);

    setupFooter(6);

    window->setCentralWidget(centralWidget);

    retranslateUi(window);
    QMetaObject::connectSlotsByName(window);
}

void MenuWindowUi::retranslateUi(QMainWindow *window)
{
    window->setWindowTitle(QCoreApplication::translate("MenuWindow", "Menu | Zelvaro"));
    retranslatePageHeader("MenuWindow");
    pushButtonStart->setText(QCoreApplication::translate("MenuWindow", "Presentation"));
    pushButtonAuthors->setText(QCoreApplication::translate("MenuWindow", "Authors"));
    pushButtonExit->setText(QCoreApplication::translate("MenuWindow", "Exit"));
    retranslateFooter("MenuWindow");
}
