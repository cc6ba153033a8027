#include "app/FormParts.h"

namespace FormParts {

QFrame *newSeparator(QWidget *parent, const char *objectName, QFrame::Shape shape)
{
    auto *frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(objectName));
    frame->setFrameShape(shape);
    frame->setFrameShadow(QFrame::Sunken);
    return frame;
}

void applySizePolicy(QWidget *widget, QSizePolicy::Policy horizontal, QSizePolicy::Policy vertical)
{
    QSizePolicy policy(horizontal, vertical);
    policy.setHorizontalStretch(0);
    policy.setVerticalStretch(0);
    policy.setHeightForWidth(widget->sizePolicy().hasHeightForWidth());
    widget->setSizePolicy(policy);
}

} // namespace FormParts
