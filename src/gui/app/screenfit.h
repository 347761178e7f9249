#pragma once

#include <QRect>
#include <QSize>

// Where a window of frameSize (its frame included) opens on a screen whose free area is
// available: no larger than that area, centred in it, and never with its top-left corner, where
// the title bar begins, outside it.
QRect FitToScreen(QSize frameSize, const QRect &available);
