// Model pictures: one character in the Kai face, drawn light enough to write over, lying
// exactly under the character's strokes on a 200 × 200 writing pad.
#pragma once

#include <QImage>
#include <QRawFont>
#include <QRgb>
#include <QString>

namespace inkwren::tools {

// A picture as large as the pad, which the pad centres on itself, so picture pixels are pad
// pixels. The stroke data was drawn from the same Kai outlines; the glyph's em square is placed
// on the pad as the strokes' is, so the animated strokes trace over the model.
inline constexpr int model_picture_side = 200;

// The colour of fully covered pixels: a soft tracing red, well apart from the black and blue of
// the strokes written over it and from the grey underlay of the grey-first mode.
inline constexpr QRgb model_ink = qRgb(0xF2, 0xAA, 0xAA);

// The Kai face whose glyph forms suit the code page: mainland forms for GBK, Taiwan forms for
// Big5.
QString kai_family_for(int code_page);

// The colour table of a model picture: index 0 is white paper, the last index is model_ink, and
// the indexes between are the antialiased edge tints.
QList<QRgb> model_palette();

// Turns glyph coverage (an 8-bit alpha image, 0 = paper) into an indexed model picture.
QImage tint_coverage(const QImage& coverage);

class ModelPictureRenderer {
public:
    // Throws Error naming the Debian package when the face is not installed.
    explicit ModelPictureRenderer(const QString& family);

    // False for characters the face does not draw itself; those get no picture, rather than a
    // glyph borrowed from some other font.
    bool draws(char32_t character) const;

    // A model_picture_side square, white, with the glyph where the strokes lie.
    QImage render(char32_t character) const;

private:
    QRawFont font_;
};

}  // namespace inkwren::tools
