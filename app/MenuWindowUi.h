#pragma once

#include "app/FormPageUi.h"

class QGridLayout;
class QMainWindow;
class QPushButton;

// Form of the menu window: header block, title, the Presentation / Authors / Exit grid
// and the footer. A plain record of pointers; the widgets belong to the window.
struct MenuWindowUi : FormPageUi
{
    QGridLayout *layoutButtons = nullptr;
    QSpacerItem *spacerAboveStart = nullptr;
    QPushButton *pushButtonStart = nullptr;
    QSpacerItem *spacerBelowStart = nullptr;
    QPushButton *pushButtonAuthors = nullptr;
    QPushButton *pushButtonExit = nullptr;
    QSpacerItem *spacerLeftOfStart = nullptr;
    QSpacerItem *spacerRightOfStart = nullptr;
    QSpacerItem *spacerBetweenAuthorsAndExit = nullptr;

    void setupUi(QMainWindow *window);
    void retranslateUi(QMainWindow *window);
};
