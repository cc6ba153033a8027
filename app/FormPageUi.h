#pragma once

#include "app/FormHeaderUi.h"

class QFrame;

// What the menu and the authors pages share around their own contents: the central widget
// with its column, the header block above its separator, the title and the footer. The
// pointers are a plain record; Qt's parent links own the objects.
struct FormPageUi : FormHeaderUi
{
    QWidget *centralWidget = nullptr;
    QVBoxLayout *verticalLayout = nullptr;
    QFrame *separatorHeader = nullptr;
    QLabel *labelHeaderPresentation = nullptr;
    QFrame *separatorFooter = nullptr;
    QHBoxLayout *layoutFooter = nullptr;
    QLabel *labelFooterYear = nullptr;

    // Appends the header block and its separator to verticalLayout, in centralWidget.
    void setupPageHeader(const Style &style);
    // Builds the title in centralWidget; returns it, not yet added to any layout.
    QLabel *setupTitle();
    // Appends the footer's separator and its layout with the year to verticalLayout;
    // layoutSpacing -1 keeps the style's spacing.
    void setupFooter(int layoutSpacing);

    // Sets the header block's and the title's texts with the given translation context.
    void retranslatePageHeader(const char *context);
    void retranslateFooter(const char *context);
};
