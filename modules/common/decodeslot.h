/*
    Internal: the slots a page's thumbnails are decoded in, on worker
    threads. A decode may hold an image of up to LocalImage::maxPixels
    (128 MiB), and a progressive JPEG up to twice that again in coefficients:
    two at a time keep a page of many thumbnails within about 800 MiB,
    however many it shows.
*/
#ifndef DECODESLOT_H
#define DECODESLOT_H

#include <QImage>

#include <functional>

namespace DecodeSlot {
// Runs the decode once a slot is free.
QImage run(const std::function<QImage()> &decode);
} // namespace DecodeSlot

#endif
