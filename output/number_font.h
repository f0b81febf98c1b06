// The stroke numbers under the pictures of a stroke-order sheet: their font, and how a number
// text is measured and drawn. Behind an interface, so that a sheet's layout can be computed
// with numbers of known size.
#pragma once

#include <QFont>
#include <QHash>
#include <QImage>
#include <QSize>
#include <QString>

#include "output/sheet_settings_record.h"

namespace inkwren {

class NumberRenderer {
public:
    virtual ~NumberRenderer() = default;

    // The size of the text in the number font.
    virtual QSize measure(const QString& text) const = 0;

    // A white strip of the measured size, with the text in black when with_text is set.
    virtual QImage strip(const QString& text, bool with_text) const = 0;
};

// The Ming face installed with the program's fonts, for numbers whose chosen face has no
// Chinese characters.
inline constexpr auto fallback_number_family = "AR PL UMing TW";

// The record's font: its face (from the Big5 name) when that face is installed and has Chinese
// characters, the fallback Ming face otherwise, except that an installed face without Chinese
// still writes Arabic numerals (and the Ming face the text around them); its size in points and
// its style.
QFont number_font(const SheetSettings& settings);

// The font, raised to the given pixel size on the sheet's pictures when it is smaller.
QFont at_least_pixels(QFont font, int pixels);

class FontNumberRenderer : public NumberRenderer {
public:
    explicit FontNumberRenderer(QFont font);

    QSize measure(const QString& text) const override;
    QImage strip(const QString& text, bool with_text) const override;

private:
    struct Made {
        QHash<QString, QSize> sizes;
        QHash<QString, QImage> strips;
    };
    static Made& made();

    QFont font_;
    QString key_;  // the font's, naming what is made with it
};

}  // namespace inkwren
