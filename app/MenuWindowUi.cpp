#include "app/MenuWindowUi.h"

#include "app/FormParts.h"

#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
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

    const Style headerStyle{6, 10, true, false, 0};
    verticalLayout->addLayout(setupHeader(centralWidget, headerStyle));

    separatorHeader = FormParts::newSeparator(centralWidget, "separatorHeader");
    verticalLayout->addWidget(separatorHeader);

    labelHeaderPresentation = new QLabel(centralWidget);
    labelHeaderPresentation->setObjectName(QStringLiteral("labelHeaderPresentation"));
    applyHeaderSizePolicy(labelHeaderPresentation);
    QFont titleFont;
    titleFont.setPointSize(33);
    titleFont.setBold(true);
    titleFont.setWeight(QFont::Bold);
    labelHeaderPresentation->setFont(titleFont);
    labelHeaderPresentation->setAlignment(Qt::AlignCenter);
    labelHeaderPresentation->setWordWrap(true);
    verticalLayout->addWidget(labelHeaderPresentation);

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

    separatorFooter = FormParts::newSeparator(centralWidget, "separatorFooter");
    verticalLayout->addWidget(separatorFooter);
    layoutFooter = new QHBoxLayout();
    layoutFooter->setSpacing(6);
    layoutFooter->setObjectName(QStringLiteral("layoutFooter"));
    labelFooterYear = new QLabel(centralWidget);
    labelFooterYear->setObjectName(QStringLiteral("labelFooterYear"));
    labelFooterYear->setAlignment(Qt::AlignCenter);
    layoutFooter->addWidget(labelFooterYear);
    verticalLayout->addLayout(layoutFooter);

    window->setCentralWidget(centralWidget);

    retranslateUi(window);
    QMetaObject::connectSlotsByName(window);
}

void MenuWindowUi::retranslateUi(QMainWindow *window)
{
    window->setWindowTitle(QCoreApplication::translate("MenuWindow", "Menu | Zelvaro"));
    retranslateHeader("MenuWindow");
    labelHeaderPresentation->setText(QCoreApplication::translate("MenuWindow", "Zelvaro"));
    pushButtonStart->setText(QCoreApplication::translate("MenuWindow", "Presentation"));
    pushButtonAuthors->setText(QCoreApplication::translate("MenuWindow", "Authors"));
    pushButtonExit->setText(QCoreApplication::translate("MenuWindow", "Exit"));
    labelFooterYear->setText(QCoreApplication::translate("MenuWindow", "2016"));
}
