#pragma once

#include <QtGlobal>

// Receives the progress of a reply body: begin with the announced length (0 when unknown),
// the running byte count, and the end. The reading and writing directions are not told apart.
class TransferProgress {
public:
    virtual ~TransferProgress() = default;

    virtual void IdHTTP1WorkBegin(qint64 AWorkCountMax) = 0;
    virtual void IdHTTP1Work(qint64 AWorkCount) = 0;
    virtual void IdHTTP1WorkEnd() = 0;
};
