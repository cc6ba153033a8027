#pragma once

class QHBoxLayout;
class QLabel;
class QSpacerItem;
class QVBoxLayout;
class QWidget;

// The header block shared by the menu and the authors forms: the first faculty's emblem
// above its caption, the university caption above a flat spacer, the second faculty's
// emblem above its caption. The pointers are a plain record; Qt's parent links own the
// objects.
struct FormHeaderUi
{
    // Where the two forms' header blocks differ.
    struct Style
    {
        int layoutSpacing;          // spacing of the header layouts; -1 keeps the style's
        int captionPointSize;       // point size of both faculty captions
        bool setCaptionWordWrap;    // first caption off, second on, both set explicitly
        bool universitySizePolicy;  // the university caption takes the header size policy
        int universitySpacerHeight; // height of the spacer under the university caption
    };

    QHBoxLayout *layoutHeader = nullptr;
    QVBoxLayout *layoutHeaderFacultyQuellstone = nullptr;
    QLabel *imageHeaderFacultyQuellstone = nullptr;
    QLabel *labelHeaderFacultyQuellstone = nullptr;
    QVBoxLayout *layoutHeaderLabels = nullptr;
    QLabel *labelHeaderUniversity = nullptr;
    QSpacerItem *spacerHeaderLabels = nullptr;
    QVBoxLayout *layoutHeaderMarrowfen = nullptr;
    QLabel *imageHeaderMarrowfen = nullptr;
    QLabel *labelHeaderMarrowfen = nullptr;

    // Builds the block with its widgets as children of parent; returns layoutHeader, not
    // yet added to any layout.
    QHBoxLayout *setupHeader(QWidget *parent, const Style &style);
    // Sets the block's texts through the translation call with the given context.
    void retranslateHeader(const char *context);

    // Preferred both ways, no stretch, height-for-width taken over from the widget itself;
    // applied to the widget.
    static void applyHeaderSizePolicy(QWidget *widget);
};
