#include "decodeslot.h"

#include <QSemaphore>

namespace {
QSemaphore decodeSlots(2);
} // namespace

QImage DecodeSlot::run(const std::function<QImage()> &decode)
{
    decodeSlots.acquire();
    const QSemaphoreReleaser release(decodeSlots);
    return decode();
}
