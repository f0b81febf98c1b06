// The strip under the panel that tells what the character shown is: a few lines of small text
// on a pale plate, the other forms as links that show that character.
#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>
#include <utility>

#include "pad/info_strip_text.h"

class QLabel;

namespace inkwren {

// The text cut to at most `lines` lines of `width` pixels in font, broken between words where
// it can, the last line ending in "…" when the text goes on.
QString fit_lines(const QString& text, const QFont& font, int width, int lines);

class InfoStrip : public QWidget {
public:
    explicit InfoStrip(QWidget* parent = nullptr);

    // Shows the text, or an empty strip when the character is not known.
    void show_text(const InfoStripText& text);
    void clear();

    // The user clicked another form of the character.
    std::function<void(const QString&)> on_form_clicked;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int text_width() const;
    void lay_out_rows();
    void fill_rows();

    InfoStripText text_;
    // What the rows were last filled with, at which width: filling them again is skipped.
    std::optional<std::pair<InfoStripText, int>> filled_;
    QLabel* readings_;
    QLabel* meaning_;
    QLabel* details_;
    QLabel* forms_;
};

}  // namespace inkwren
