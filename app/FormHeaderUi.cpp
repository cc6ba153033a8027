#include "app/FormHeaderUi.h"

#include "app/FormParts.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QSpacerItem>
#include <QVBoxLayout>

void FormHeaderUi::applyHeaderSizePolicy(QWidget *widget)
{
    FormParts::applySizePolicy(widget, QSizePolicy::Preferred, QSizePolicy::Preferred);
}

QHBoxLayout *FormHeaderUi::setupHeader(QWidget *parent, const Style &style)
{
    auto spaced = [&style](QLayout *layout) {
        if (style.layoutSpacing >= 0)
            layout->setSpacing(style.layoutSpacing);
    };

    layoutHeader = new QHBoxLayout();
    spaced(layoutHeader);
    layoutHeader->setObjectName(QStringLiteral("layoutHeader"));

    layoutHeaderFacultyQuellstone = new QVBoxLayout();
    spaced(layoutHeaderFacultyQuellstone);
    layoutHeaderFacultyQuellstone->setObjectName(QStringLiteral("layoutHeaderFacultyQuellstone"));
    layoutHeaderFacultyQuellstone->setSizeConstraint(QLayout::SetDefaultConstraint);

    imageHeaderFacultyQuellstone = new QLabel(parent);
    imageHeaderFacultyQuellstone->setObjectName(QStringLiteral("imageHeaderFacultyQuellstone"));
    applyHeaderSizePolicy(imageHeaderFacultyQuellstone);
    imageHeaderFacultyQuellstone->setPixmap(QPixmap(QStringLiteral(":/gfx/quellstone1.png")));
    imageHeaderFacultyQuellstone->setScaledContents(false);
    imageHeaderFacultyQuellstone->setAlignment(Qt::AlignCenter);
    layoutHeaderFacultyQuellstone->addWidget(imageHeaderFacultyQuellstone);

    labelHeaderFacultyQuellstone = new QLabel(parent);
    labelHeaderFacultyQuellstone->setObjectName(QStringLiteral("labelHeaderFacultyQuellstone"));
    applyHeaderSizePolicy(labelHeaderFacultyQuellstone);
    QFont firstCaptionFont;
    firstCaptionFont.setPointSize(style.captionPointSize);
    firstCaptionFont.setBold(false);
    firstCaptionFont.setItalic(false);
    firstCaptionFont.setWeight(QFont::Normal);
    labelHeaderFacultyQuellstone->setFont(firstCaptionFont);
    labelHeaderFacultyQuellstone->setAlignment(Qt::AlignCenter);
    if (style.setCaptionWordWrap)
        labelHeaderFacultyQuellstone->setWordWrap(false);
    layoutHeaderFacultyQuellstone->addWidget(labelHeaderFacultyQuellstone);
    layoutHeader->addLayout(layoutHeaderFacultyQuellstone);

    layoutHeaderLabels = new QVBoxLayout();
    spaced(layoutHeaderLabels);
    layoutHeaderLabels->setObjectName(QStringLiteral("layoutHeaderLabels"));
    labelHeaderUniversity = new QLabel(parent);
    labelHeaderUniversity->setObjectName(QStringLiteral("labelHeaderUniversity"));
    if (style.universitySizePolicy)
        applyHeaderSizePolicy(labelHeaderUniversity);
    QFont universityFont;
    universityFont.setPointSize(22);
    labelHeaderUniversity->setFont(universityFont);
    labelHeaderUniversity->setAlignment(Qt::AlignCenter);
    labelHeaderUniversity->setWordWrap(true);
    layoutHeaderLabels->addWidget(labelHeaderUniversity);
    spacerHeaderLabels = new QSpacerItem(40, style.universitySpacerHeight, QSizePolicy::Expanding,
                                         QSizePolicy::Minimum);
    layoutHeaderLabels->addItem(spacerHeaderLabels);
    layoutHeader->addLayout(layoutHeaderLabels);

    layoutHeaderMarrowfen = new QVBoxLayout();
    spaced(layoutHeaderMarrowfen);
    layoutHeaderMarrowfen->setObjectName(QStringLiteral("layoutHeaderMarrowfen"));
    imageHeaderMarrowfen = new QLabel(parent);
    imageHeaderMarrowfen->setObjectName(QStringLiteral("imageHeaderMarrowfen"));
    imageHeaderMarrowfen->setTextFormat(Qt::PlainText);
    imageHeaderMarrowfen->setPixmap(QPixmap(QStringLiteral(":/gfx/marrowfen.png")));
    imageHeaderMarrowfen->setScaledContents(false);
    imageHeaderMarrowfen->setAlignment(Qt::AlignCenter);
    layoutHeaderMarrowfen->addWidget(imageHeaderMarrowfen);

    labelHeaderMarrowfen = new QLabel(parent);
    labelHeaderMarrowfen->setObjectName(QStringLiteral("labelHeaderMarrowfen"));
    applyHeaderSizePolicy(labelHeaderMarrowfen);
    QFont secondCaptionFont;
    secondCaptionFont.setPointSize(style.captionPointSize);
    labelHeaderMarrowfen->setFont(secondCaptionFont);
    labelHeaderMarrowfen->setAlignment(Qt::AlignCenter);
    if (style.setCaptionWordWrap)
        labelHeaderMarrowfen->setWordWrap(true);
    layoutHeaderMarrowfen->addWidget(labelHeaderMarrowfen);
    layoutHeader->addLayout(layoutHeaderMarrowfen);

    return layoutHeader;
}

void FormHeaderUi::retranslateHeader(const char *context)
{
    imageHeaderFacultyQuellstone->setText(QString());
    labelHeaderFacultyQuellstone->setText(QCoreApplication::translate(context, "Faculty of Quellstone"));
    labelHeaderUniversity->setText(QCoreApplication::translate(
        context, "Brindlemoor\nComputer presentations\nLecture course\n\"Corvanth\""));
    imageHeaderMarrowfen->setText(QString());
    labelHeaderMarrowfen->setText(QCoreApplication::translate(context, "Marrowfen"));
}
