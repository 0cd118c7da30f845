/*
    Internal: decoding an image file that a setting, a theme or a page names,
    in bounded memory. The file is opened through LocalFile and its format
    told from its first bytes, never from its name: a drawing is painted here
    (refused as SvgDrawing::load() refuses it, given up when not painted
    within drawingTimeoutMs); a raster picture is decoded by Qt's reader of
    that format alone, and only for formats whose header gives the size that
    decoding allocates (PNG, JPEG, GIF, BMP, WebP, PBM, PGM, PPM, XPM). Of a
    WebP, its container is read here, once, up to the first frame (a few
    chunks may come before it, as in real files, or it is refused), and the
    reader is given that frame's image alone, read from the file as the
    reader reads it (a still picture that is all its file holds, or little
    more, as it is): an animation costs its first frame, which is drawn at
    its place on a canvas no larger than shown. A WebP that libwebp would
    refuse by its container is none. An image is decoded no larger than the
    caller can show, scaled while decoding where the format allows it
    (JPEG). An image of more than maxPixels is not decoded, unless it is a
    JPEG whose first scan holds every component of a sequential frame (its
    reader then keeps a few rows of blocks, not the whole image) and an
    eighth of its size, the most its reader scales down while decoding, is
    within maxPixels. A JPEG of more than maxJpegScans scans, or one over
    maxPixels even at an eighth, is no picture at all.
*/
#ifndef LOCALIMAGE_H
#define LOCALIMAGE_H

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>

class QIODevice;

namespace LocalImage {
// The most pixels decoded whole from one image: 8K UHD (7680 x 4320) just
// fits (128 MiB at four bytes a pixel).
constexpr qint64 maxPixels = 32 * 1024 * 1024;

// The most scans a JPEG may have: its reader passes over the whole image's
// coefficients for each. Real progressive JPEGs have about ten.
constexpr int maxJpegScans = 100;

// How long a drawing may take to read and paint: a preview waits no longer.
constexpr int drawingTimeoutMs = 5000;

// A drawing's text: the bytes themselves, or inflated when they are gzip
// data; nothing when those are broken or inflate beyond the drawing size
// limit (LocalFile::Kind::Svg). An image reader would inflate them whole.
std::optional<QByteArray> drawingText(const QByteArray &drawing);

// The format of the picture that the bytes begin with, told from its magic
// bytes: the name of Qt's reader of a raster format decoded here, "svg" for
// what may be a drawing (text beginning with '<', or gzip data), or nothing
// for any other (ICO, CUR, XBM, TIFF, unknown formats).
QByteArray format(const QByteArray &head);

// The formats decoded here that this system's Qt can read, the drawing's
// (plain and compressed) last.
QList<QByteArray> formats();

// The picture's size, read from its header; invalid when the path is not a
// usable image file or holds no picture: not one of the formats decoded
// here, a broken header, a drawing SvgDrawing::load() refuses, a JPEG
// refused for its scans or size. This is the one rule for a picture that
// a setting or a theme names; one of more than maxPixels is taken, and
// left out where it would be decoded whole.
QSize size(const QString &path);

// The same for the picture on the device (open for reading, read from its
// start), which may be no larger than an image file.
QSize size(QIODevice *device);

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

// The size of the raster picture that the bytes hold, read from its header;
// invalid when they hold a drawing, a picture that fromData() refuses, or a
// WebP that holds more than one still picture: for a reader given the bytes
// as they are.
QSize rasterSize(const QByteArray &data);
} // namespace LocalImage

#endif
