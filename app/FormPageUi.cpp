#include "app/FormPageUi.h"

#include "app/FormParts.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

void FormPageUi::setupPageHeader(const Style &style)
{
    verticalLayout->addLayout(setupHeader(centralWidget, style));
    separatorHeader = FormParts::newSeparator(centralWidget, "separatorHeader");
    verticalLayout->addWidget(separatorHeader);
}

QLabel *FormPageUi::setupTitle()
{
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
    return labelHeaderPresentation;
}

void FormPageUi::setupFooter(int layoutSpacing)
{
    separatorFooter = FormParts::newSeparator(centralWidget, "separatorFooter");
    verticalLayout->addWidget(separatorFooter);
    layoutFooter = new QHBoxLayout();
    if (layoutSpacing >= 0)
        layoutFooter->setSpacing(layoutSpacing);
    layoutFooter->setObjectName(QStringLiteral("layoutFooter"));
    labelFooterYear = new QLabel(centralWidget);
    labelFooterYear->setObjectName(QStringLiteral("labelFooterYear"));
    labelFooterYear->setAlignment(Qt::AlignCenter);
    layoutFooter->addWidget(labelFooterYear);
    verticalLayout->addLayout(layoutFooter);
}

void FormPageUi::retranslatePageHeader(const char *context)
{
    retranslateHeader(context);
    labelHeaderPresentation->setText(QCoreApplication::translate(context, "Zelvaro"));
}

void FormPageUi::retranslateFooter(const char *context)
{
    labelFooterYear->setText(QCoreApplication::translate(context, "2016"));
}
