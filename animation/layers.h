// Merging the player's layer bitmaps: pure white is the transparent colour of every layer, and
// merging works on 24-bit scan lines directly, since a frame is composed up to twice a tick.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <optional>

namespace inkwren {

// Copies the source's non-white pixels onto the destination at the offset. The destination
// first grows to at least the source's size and min_size (the control's size). A source that is
// not 24 bits per pixel is never merged.
void overlay(QImage& destination, const QImage& source, int dx, int dy, QSize min_size);

// Brings an area of a picture composed as the background with the ink overlaid up to date. The
// three are of one size.
void compose_area(QImage& picture, const QImage& background, const QImage& ink, QRect area);

// Copies each byte of the picture that is below 255 onto the destination, the picture centred on
// a pad of pad_size (at 0 on an axis where it is not smaller than the pad). Per byte, not per
// pixel: where a picture pixel is white in some channels the destination keeps those channels.
void overlay_centred(QImage& destination, const QImage& picture, QSize pad_size);

// Copies every pixel of the picture, white included, centred on the layer: its left and top
// are the differences of width and height halved toward zero, negative when the picture is the
// larger. The layer keeps its size.
void draw_centred(QImage& layer, const QImage& picture);

// Fills the area of the given size (the pad's) white.
void clear_to_white(QImage& bitmap, QSize size);

// An empty (white) 24-bit layer of the size. Layers of one size share one image until each is
// drawn on, so a layer nothing is drawn on takes no memory of its own.
QImage blank_layer(QSize size);

struct InkCrop {
    QImage picture;
    QRect box;  // in the source's pixels
};

// The smallest box around the non-white pixels and a copy of it; nothing when the bitmap is not
// 24 bits, holds no ink, or its ink is only one pixel wide or high.
std::optional<InkCrop> crop_to_ink(const QImage& bitmap);

}  // namespace inkwren
