#pragma once
// One colour of a control's palette, painted as its background where it is the window colour.
#include <QColor>
#include <QPalette>
#include <QWidget>

namespace tossbox {

void setColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour);

}  // namespace tossbox
