// Laying one picture over another: the white of the upper picture counts as see-through, so a
// character drawn on white can be stamped onto a sheet without hiding what is already there.
#pragma once

#include <QImage>
#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

namespace inkwren {

// Copies the source's non-white pixels onto the destination with the source's top-left corner at
// (x, y); only pixels landing inside the destination are written. A pixel is white when each of
// its three bytes is 250 or more, which lets slightly off-white antialiasing count as paper. A
// source that is not 24-bit, or lies wholly outside, changes nothing; a destination in another
// format is first made 24-bit.
void merge_bmp(QImage& destination, const QImage& source, int x, int y);

// The same, writing only the destination pixels within area.
void merge_bmp_within(QImage& destination, const QImage& source, int x, int y, QRect area);

// A picture laid out on the same base again and again, with other layers merged over it: the
// base on top of white rows up to the height, then each layer merged at its place, in order.
// Only where a layer changed since the last picture is the picture laid out again, which comes
// to the same pixels as laying it out whole.
class LayeredPicture {
public:
    struct Layer {
        QImage picture;  // 24-bit
        QPoint at;
    };

    // The base must be 24-bit.
    const QImage& compose(const QImage& base, int height, std::vector<Layer> layers);
    // Where the last picture composed may differ from the one before it, within the picture;
    // nothing when it was laid out whole.
    const std::optional<std::vector<QRect>>& changed() const { return changed_; }

private:
    void lay_out(QRect area);
    std::vector<QRect> changed_areas(const std::vector<Layer>& layers) const;

    QImage base_;
    std::vector<Layer> layers_;
    QImage picture_;
    std::optional<std::vector<QRect>> changed_;
};

}  // namespace inkwren
