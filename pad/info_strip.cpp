#include "pad/info_strip.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPainter>
#include <QTextLayout>

namespace inkwren {
namespace {

constexpr int side_padding = 8;
constexpr int top_padding = 4;
constexpr int readings_height = 20;
constexpr int line_height = 14;
constexpr int details_height = 17;
constexpr int forms_height = 21;
constexpr int meaning_lines = 2;
const QColor plate_colour(0xF7, 0xF3, 0xE8);
const QColor text_colour(0x30, 0x30, 0x30);

// Latin letters and tone marks from the desktop's sans face, characters and zhuyin from the
// Ming face the numbers use, which every installation has.
QFont strip_font(int pixel_size) {
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Sans"), QStringLiteral("AR PL UMing TW")});
    font.setPixelSize(pixel_size);
    return font;
}

QLabel* make_row(QWidget* parent, const char* name, int pixel_size) {
    auto* row = new QLabel(parent);
    row->setObjectName(QString::fromLatin1(name));
    row->setFont(strip_font(pixel_size));
    QPalette colours = row->palette();
    colours.setColor(QPalette::WindowText, text_colour);
    row->setPalette(colours);
    row->setTextFormat(Qt::PlainText);
    row->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return row;
}

QString link_to(const QString& character) {
    return QStringLiteral("<a href=\"%1\"><span style=\"font-size:18px\">%1</span></a>")
        .arg(character.toHtmlEscaped());
}

QString forms_html(const std::vector<OtherForms>& forms) {
    QStringList parts;
    for (const OtherForms& form : forms) {
        QStringList links;
        for (const QString& character : form.characters) {
            links.append(link_to(character));
        }
        parts.append(form.label.toHtmlEscaped().arg(links.join(u' ')));
    }
    return parts.join(QStringLiteral("&nbsp;&nbsp;"));
}

}  // namespace

QString fit_lines(const QString& text, const QFont& font, int width, int lines) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QStringList kept;
    for (int index = 0; index < lines; ++index) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width);
        const QString part = text.mid(line.textStart(), line.textLength()).trimmed();
        if (index == lines - 1 && line.textStart() + line.textLength() < text.size()) {
            const QString rest = text.mid(line.textStart()).trimmed();
            kept.append(QFontMetrics(font).elidedText(rest, Qt::ElideRight, width));
            break;
        }
        kept.append(part);
    }
    layout.endLayout();
    return kept.join(u'\n');
}

InfoStrip::InfoStrip(QWidget* parent)
    : QWidget(parent),
      readings_(make_row(this, "InfoReadings", 15)),
      meaning_(make_row(this, "InfoMeaning", 11)),
      details_(make_row(this, "InfoDetails", 12)),
      forms_(make_row(this, "InfoForms", 12)) {
    meaning_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    forms_->setTextFormat(Qt::RichText);
    forms_->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    connect(forms_, &QLabel::linkActivated, this, [this](const QString& character) {
        if (on_form_clicked) {
            on_form_clicked(character);
        }
    });
    fill_rows();
}

void InfoStrip::show_text(const InfoStripText& text) {
    text_ = text;
    fill_rows();
}

void InfoStrip::clear() {
    show_text({});
}

int InfoStrip::text_width() const {
    return std::max(0, width() - 2 * side_padding);
}

// The rows follow one another, so that a meaning of one line leaves no gap above the details.
void InfoStrip::lay_out_rows() {
    const int width = text_width();
    const int meaning_height =
        line_height * std::max<qsizetype>(1, meaning_->text().count(u'\n') + 1);
    int top = top_padding;
    readings_->setGeometry(side_padding, top, width, readings_height);
    top += readings_height;
    meaning_->setGeometry(side_padding, top, width, meaning_height);
    top += meaning_height;
    details_->setGeometry(side_padding, top, width, details_height);
    top += details_height;
    forms_->setGeometry(side_padding, top, width, forms_height);
}

// Every line is cut to the strip's width, so that a long meaning or many readings never push
// the strip wider than the window.
void InfoStrip::fill_rows() {
    const int width = text_width();
    if (filled_ && filled_->first == text_ && filled_->second == width) {
        return;
    }
    filled_.emplace(text_, width);
    readings_->setText(
        QFontMetrics(readings_->font()).elidedText(text_.readings, Qt::ElideRight, width));
    meaning_->setText(fit_lines(text_.meaning, meaning_->font(), width, meaning_lines));
    details_->setText(QFontMetrics(details_->font())
                          .elidedText(text_.radical_and_strokes, Qt::ElideRight, width));
    forms_->setText(forms_html(text_.other_forms));
    lay_out_rows();
}

void InfoStrip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(plate_colour);
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
}

void InfoStrip::resizeEvent(QResizeEvent*) {
    fill_rows();
}

}  // namespace inkwren
