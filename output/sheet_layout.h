// Where a stroke-order sheet's pictures go and the lines of text under them: pure layout, in the
// pixels of the reduced pictures.
#pragma once

#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>

#include <vector>

namespace inkwren {

class NumberRenderer;

// A picture's size once reduced for the sheet.
QSize reduced_size(QSize size);

struct Placement {
    QSize sheet;
    std::vector<QPoint> pictures;
    QPoint groups;
};

// Rows of per_row pictures; the first row widens the sheet one picture ahead of the pictures
// placed, and every new row adds the row gap at the bottom. The colour groups' picture, when
// there is one, goes in a row of its own at the right.
Placement place_pictures(int count, QSize picture, int per_row, QSize groups);

// The sheet with a line under it holding the note, written as the numbers are and reduced as
// the pictures are; widened when the note is wider.
QImage with_note(const QImage& sheet, const QString& note, const NumberRenderer& numbers);

// The text, cut short with "…" where needed so that its line, reduced as the pictures are, is
// no wider than width.
QString fitted_line(const QString& text, int width, const NumberRenderer& numbers);

}  // namespace inkwren
