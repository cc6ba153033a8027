#include "app/AuthorsWindowUi.h"

#include "app/FormParts.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

void AuthorsWindowUi::setupUi(QMainWindow *window)
{
    if (window->objectName().isEmpty())
        window->setObjectName(QStringLiteral("AuthorsWindow"));
    window->resize(1024, 891);

    centralWidget = new QWidget(window);
    centralWidget->setObjectName(QStringLiteral("centralWidget"));
    QFont formFont;
    formFont.setFamily(QStringLiteral("Courant"));
    formFont.setPointSize(14);
    centralWidget->setFont(formFont);
    verticalLayout = new QVBoxLayout(centralWidget);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));

    setupPageHeader(Style{-1, 8, false, true, 20});
    spacerAboveAuthors = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    verticalLayout->addItem(spacerAboveAuthors);

    layoutAuthors = new QVBoxLayout();
    layoutAuthors->setObjectName(QStringLiteral("layoutAuthors"));
    layoutAuthors->addWidget(setupTitle());
    line = FormParts::newSeparator(centralWidget, "line");
    layoutAuthors->addWidget(line);
    labelAuthors = new QLabel(centralWidget);
    labelAuthors->setObjectName(QStringLiteral("labelAuthors"));
    QFont headingFont;
    headingFont.setPointSize(23);
    headingFont.setBold(true);
    headingFont.setWeight(QFont::Bold);
    labelAuthors->setFont(headingFont);
    labelAuthors->setAlignment(Qt::AlignCenter);
    layoutAuthors->addWidget(labelAuthors);

    layoutAuthorsPersons = new QGridLayout();
    layoutAuthorsPersons->setObjectName(QStringLiteral("layoutAuthorsPersons"));
    imageDravic = new QLabel(centralWidget);
    imageDravic->setObjectName(QStringLiteral("imageDravic"));
    imageDravic->setPixmap(QPixmap(QStringLiteral(":/gfx/dravic.png")));
    layoutAuthorsPersons->addWidget(imageDravic, 0, 1, 1, 1);
    spacerRightOfPersons = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layoutAuthorsPersons->addItem(spacerRightOfPersons, 0, 4, 1, 1);
    labelDravic = new QLabel(centralWidget);
    labelDravic->setObjectName(QStringLiteral("labelDravic"));
    layoutAuthorsPersons->addWidget(labelDravic, 1, 1, 1, 1);
    imageTovanek = new QLabel(centralWidget);
    imageTovanek->setObjectName(QStringLiteral("imageTovanek"));
    imageTovanek->setPixmap(QPixmap(QStringLiteral(":/gfx/tovanek.png")));
    layoutAuthorsPersons->addWidget(imageTovanek, 0, 3, 1, 1);
    separatorAuthors = FormParts::newSeparator(centralWidget, "separatorAuthors", QFrame::VLine);
    layoutAuthorsPersons->addWidget(separatorAuthors, 0, 2, 1, 1);
    spacerLeftOfPersons = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layoutAuthorsPersons->addItem(spacerLeftOfPersons, 0, 0, 1, 1);
    labelTovanek = new QLabel(centralWidget);
    labelTovanek->setObjectName(QStringLiteral("labelTovanek"));
    labelTovanek->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layoutAuthorsPersons->addWidget(labelTovanek, 1, 3, 1, 1);
    layoutAuthors->addLayout(layoutAuthorsPersons);
    verticalLayout->addLayout(layoutAuthors);

    spacerBelowAuthors = new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding);
    verticalLayout->addItem(spacerBelowAuthors);
    layoutToMenuButton = new QHBoxLayout();
    layoutToMenuButton->setObjectName(QStringLiteral("layoutToMenuButton"));
    spacerLeftOfLecturers = new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum);
    layoutToMenuButton->addItem(spacerLeftOfLecturers);
    labelWendrake = new QLabel(centralWidget);
    labelWendrake->setObjectName(QStringLiteral("labelWendrake"));
    labelWendrake->setAlignment(Qt::AlignCenter);
    layoutToMenuButton->addWidget(labelWendrake);
    spacerBeforeMenuButton = new QSpacerItem(40, 20, QSizePolicy::Fixed, QSizePolicy::Minimum);
    layoutToMenuButton->addItem(spacerBeforeMenuButton);
    pushButtonToMenu = new QPushButton(centralWidget);
    pushButtonToMenu->setObjectName(QStringLiteral("pushButtonToMenu"));
    FormParts::applySizePolicy(pushButtonToMenu, QSizePolicy::Minimum, QSizePolicy::Fixed);
    pushButtonToMenu->setMinimumSize(QSize(150, 75));
    QFont buttonFont;
    buttonFont.setBold(true);
    buttonFont.setWeight(QFont::Bold);
    pushButtonToMenu->setFont(buttonFont);
    layoutToMenuButton->addWidget(pushButtonToMenu);
    verticalLayout->addLayout(layoutToMenuButton);

    setupFooter(-1);

    window->setCentralWidget(centralWidget);

    retranslateUi(window);
    QMetaObject::connectSlotsByName(window);
}

void AuthorsWindowUi::retranslateUi(QMainWindow *window)
{
    window->setWindowTitle(QCoreApplication::translate("AuthorsWindow", "Authors | Zelvaro"));
    retranslatePageHeader("AuthorsWindow");
    labelAuthors->setText(QCoreApplication::translate("AuthorsWindow", "Authors"));
    imageDravic->setText(QString());
    labelDravic->setText(QCoreApplication::translate("AuthorsWindow", "Dravic"));
    imageTovanek->setText(QString());
    labelTovanek->setText(QCoreApplication::translate("AuthorsWindow", "Tovanek"));
    labelWendrake->setText(QCoreApplication::translate("AuthorsWindow", "Lecturers: Felmark, Ostrin"));
    pushButtonToMenu->setText(QCoreApplication::translate("AuthorsWindow", "Menu"));
    retranslateFooter("AuthorsWindow");
}
