#pragma once

#include "app/FormPageUi.h"

class QFrame;
class QGridLayout;
class QMainWindow;
class QPushButton;

// Form of the authors page: header block, title, the authors' photos and names, the
// lecturers' line beside the Menu button and the footer. A plain record of pointers; the
// widgets belong to the window.
struct AuthorsWindowUi : FormPageUi
{
    QSpacerItem *spacerAboveAuthors = nullptr;
    QVBoxLayout *layoutAuthors = nullptr;
    QFrame *line = nullptr;
    QLabel *labelAuthors = nullptr;
    QGridLayout *layoutAuthorsPersons = nullptr;
    QLabel *imageDravic = nullptr;
    QSpacerItem *spacerRightOfPersons = nullptr;
    QLabel *labelDravic = nullptr;
    QLabel *imageTovanek = nullptr;
    QFrame *separatorAuthors = nullptr;
    QSpacerItem *spacerLeftOfPersons = nullptr;
    QLabel *labelTovanek = nullptr;
    QSpacerItem *spacerBelowAuthors = nullptr;
    QHBoxLayout *layoutToMenuButton = nullptr;
    QSpacerItem *spacerLeftOfLecturers = nullptr;
    QLabel *labelWendrake = nullptr;
    QSpacerItem *spacerBeforeMenuButton = nullptr;
    QPushButton *pushButtonToMenu = nullptr;

    void setupUi(QMainWindow *window);
    void retranslateUi(QMainWindow *window);
};
