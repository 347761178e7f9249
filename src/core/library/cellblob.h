#pragma once

#include "core/model/leadrow.h"

#include <QByteArray>
#include <QByteArrayView>

#include <vector>

// A row's cells as one blob: the number of cells, then each cell as its UTF-8 length and bytes,
// every number 32 bits little-endian. A blob of any count reads back: cells it lacks are empty,
// cells beyond the row's columns are left out. A blob cut short reads as far as it is whole.
QByteArray EncodeCells(const LeadRow &row);
LeadRow DecodeCells(QByteArrayView blob);

// The UTF-8 bytes of each cell of the blob, in order.
std::vector<QByteArrayView> CellSlices(QByteArrayView blob);
QByteArray EncodeSlices(const std::vector<QByteArrayView> &cells);

// The cells of both blobs, each one the newer's unless that is empty.
QByteArray MergeCells(QByteArrayView older, QByteArrayView newer);
