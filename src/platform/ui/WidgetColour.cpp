#include "platform/ui/WidgetColour.h"

namespace tossbox {

void setColour(QWidget& widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget.palette();
  palette.setColor(role, colour);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

}  // namespace tossbox
