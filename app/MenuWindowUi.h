#pragma once

#include "app/FormHeaderUi.h"

class QFrame;
class QGridLayout;
class QMainWindow;
class QPushButton;

// Form of the menu window: header block, title, the Presentation / Authors / Exit grid
// and the footer. A plain record of pointers; the widgets belong to the window.
struct MenuWindowUi : FormHeaderUi
{
    QWidget *centralWidget = nullptr;
    QVBoxLayout *verticalLayout = nullptr;
    QFrame *separatorHeader = nullptr;
    QLabel *labelHeaderPresentation = nullptr;
    QGridLayout *layoutButtons = nullptr;
    QSpacerItem *spacerAboveStart = nullptr;
    QPushButton *pushButtonStart = nullptr;
    QSpacerItem *spacerBelowStart = nullptr;
    QPushButton *pushButtonAuthors = nullptr;
    QPushButton *pushButtonExit = nullptr;
    QSpacerItem *spacerLeftOfStart = nullptr;
    QSpacerItem *spacerRightOfStart = nullptr;
    QSpacerItem *spacerBetweenAuthorsAndExit = nullptr;
    QFrame *separatorFooter = nullptr;
    QHBoxLayout *layoutFooter = nullptr;
    QLabel *labelFooterYear = nullptr;

    void setupUi(QMainWindow *window);
    void retranslateUi(QMainWindow *window);
};
