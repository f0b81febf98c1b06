// The background with the ink over it, kept from frame to frame, so that a play tick brings it
// up to date only where its pen drew instead of merging the whole pad again.
#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <optional>

namespace inkwren {

class ComposedLayers {
public:
    // Whether the picture shows the layers as they are now.
    bool shows(const QImage& background, const QImage& ink) const;

    // Takes note that the ink, shown by the picture before, has been drawn on within the area
    // alone; the area is composed with the next update.
    void ink_drawn(const QImage& ink, QRect area);

    // Brings the picture up to date and answers it. With ink_changed, the picture is taken to
    // have shown both layers before the ink changed within that area alone; without it, or when
    // the background has changed since, the picture is composed whole.
    const QImage& update(const QImage& background, const QImage& ink, QSize pad,
                         std::optional<QRect> ink_changed);

private:
    QImage picture_;
    qint64 background_key_ = 0;
    qint64 ink_key_ = 0;
    QRect pending_;  // where the ink was drawn on since the picture was brought up to date
};

}  // namespace inkwren
