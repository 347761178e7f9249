#include "gui/app/screenfit.h"

#include <algorithm>

QRect FitToScreen(QSize frameSize, const QRect &available) {
    QRect frame(QPoint(0, 0), frameSize.boundedTo(available.size()));
    frame.moveCenter(available.center());
    frame.moveTopLeft(QPoint(std::max(frame.left(), available.left()), std::max(frame.top(), available.top())));
    return frame;
}
