#include "pad/info_strip_text.h"

#include "charinfo/info_text.h"
#include "langtable/text_keys.h"

namespace inkwren {
namespace {

const QString separator = QStringLiteral(" · ");

QString radical_and_strokes(const CharInfo& info, bool taiwan_count,
                            const std::function<QString(const char*)>& text) {
    QStringList parts;
    const QString radical = text(text_key::info_radical);
    if (info.radical > 0 && !info.radical_form.isEmpty() && !radical.isEmpty()) {
        parts.append(radical.arg(info.radical_form, QString::number(info.radical)));
    }
    const int strokes = stroke_count(info, taiwan_count);
    const QString count = text(text_key::info_strokes);
    if (strokes > 0 && !count.isEmpty()) {
        parts.append(count.arg(strokes));
    }
    return parts.join(separator);
}

void add_forms(std::vector<OtherForms>& forms, const QString& label,
               const std::vector<char32_t>& characters) {
    if (characters.empty() || label.isEmpty()) {
        return;
    }
    OtherForms added{label, {}};
    for (char32_t character : characters) {
        added.characters.push_back(QString::fromUcs4(&character, 1));
    }
    forms.push_back(std::move(added));
}

}  // namespace

InfoStripText info_strip_text(const CharInfo& info, bool taiwan_count,
                              const std::function<QString(const char*)>& text) {
    InfoStripText strip;
    strip.readings = readings_text(info, ReadingScript::both);
    strip.meaning = info.definition;
    strip.radical_and_strokes = radical_and_strokes(info, taiwan_count, text);
    add_forms(strip.other_forms, text(text_key::info_simplified_form), info.simplified_forms);
    add_forms(strip.other_forms, text(text_key::info_traditional_form), info.traditional_forms);
    return strip;
}

}  // namespace inkwren
