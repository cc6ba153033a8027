#pragma once

#include <QFrame>

// Small builders shared by the window forms.
namespace FormParts {

// A sunken separator line (horizontal or vertical) with the given object name.
QFrame *newSeparator(QWidget *parent, const char *objectName, QFrame::Shape shape = QFrame::HLine);

// Gives widget the size policy (horizontal, vertical) with no stretch, keeping the
// height-for-width flag of the widget's current policy.
void applySizePolicy(QWidget *widget, QSizePolicy::Policy horizontal, QSizePolicy::Policy vertical);

} // namespace FormParts
