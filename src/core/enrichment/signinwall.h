#pragma once

#include <QString>

bool IsSignInWall(const QString &effectiveUrl, long httpStatus);
