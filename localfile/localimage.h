/*
    Internal: decoding an image file that a setting, a theme or a page names,
    in bounded memory. The file is opened through LocalFile; an image is
    decoded no larger than the caller can show, scaled while decoding where
    the format allows it (JPEG). An image of more than maxPixels is refused
    unless its file is decoded a band at a time (a JPEG of one scan: a
    progressive one is decoded through the whole image's coefficients, at
    any size); a drawing is refused as SvgDrawing::load() refuses it, and
    given up when not painted within drawingTimeoutMs.
*/
#ifndef LOCALIMAGE_H
#define LOCALIMAGE_H

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

namespace LocalImage {
// The most pixels decoded whole from one image: 8K UHD fits, with room to
// spare (128 MiB at four bytes a pixel).
constexpr qint64 maxPixels = 32 * 1024 * 1024;

// How long a drawing may take to read and paint: a preview waits no longer.
constexpr int drawingTimeoutMs = 5000;

// A drawing's text: the bytes themselves, or inflated when they are gzip
// data; nothing when those are broken or inflate beyond the drawing size
// limit (LocalFile::Kind::Svg). An image reader would inflate them whole.
std::optional<QByteArray> drawingText(const QByteArray &drawing);

// The image's size, read from its header; invalid when the path is not a
// usable image file.
QSize size(const QString &path);

// The image, scaled down to fit bounds keeping its aspect when it is larger
// (no bound when bounds is empty); null when the path is not a usable image
// file, it would take more than maxPixels to decode, or it is a drawing
// refused or not painted in time. autoTransform applies the file's orientation.
QImage read(const QString &path, const QSize &bounds = QSize(), bool autoTransform = false);

// The part of the image inside part (in the image's own pixels, cut to the
// image), at its own scale; null as read() gives it, or when the part would
// take more than maxPixels to decode: where the format cannot decode a part
// alone, the whole image is decoded.
QImage readPart(const QString &path, const QRect &part);

// The image that the bytes hold, decoded whole as read() decodes a file; null
// as read() gives it.
QImage fromData(const QByteArray &data);
} // namespace LocalImage

#endif
