#include "animation/composed_layers.h"

#include "animation/layers.h"

namespace inkwren {

// A layer's cache key changes whenever its pixels may have been written to.
bool ComposedLayers::shows(const QImage& background, const QImage& ink) const {
    return !picture_.isNull() && background_key_ == background.cacheKey() &&
           ink_key_ == ink.cacheKey();
}

void ComposedLayers::ink_drawn(const QImage& ink, QRect area) {
    pending_ |= area;
    ink_key_ = ink.cacheKey();
}

const QImage& ComposedLayers::update(const QImage& background, const QImage& ink, QSize pad,
                                     std::optional<QRect> ink_changed) {
    const bool by_area = ink_changed && background_key_ == background.cacheKey() &&
                         picture_.size() == background.size() && ink.size() == background.size();
    if (by_area) {
        compose_area(picture_, background, ink, *ink_changed | pending_);
    } else {
        picture_ = background;
        overlay(picture_, ink, 0, 0, pad);
    }
    background_key_ = background.cacheKey();
    ink_key_ = ink.cacheKey();
    pending_ = QRect();
    return picture_;
}

}  // namespace inkwren
