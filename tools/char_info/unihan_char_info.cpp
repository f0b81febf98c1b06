#include "tools/char_info/unihan_char_info.h"

#include <algorithm>
#include <numeric>
#include <tuple>

#include "charinfo/charinfo_format.h"
#include "platform/error.h"

namespace inkwren::tools {
namespace {

QString value_of(const UnihanFields& fields, const char* name) {
    const auto found = fields.find(QByteArray(name));
    return found == fields.end() ? QString() : found->second;
}

QStringList words_of(const QString& text) {
    return text.split(u' ', Qt::SkipEmptyParts);
}

class Malformed {
public:
    explicit Malformed(char32_t character) : character_(character) {}

    [[noreturn]] void value(const char* field, const QString& text) const {
        throw Error(
            QStringLiteral("%1 (U+%2): the %3 value \"%4\" is malformed.")
                .arg(QString::fromUcs4(&character_, 1))
                .arg(QString::number(uint(character_), 16).toUpper().rightJustified(4, u'0'))
                .arg(QLatin1String(field), text));
    }

private:
    char32_t character_;
};

// "0352.091:gān" (a dictionary place, then the reading): what follows the colon.
QString reading_after_place(const QString& entry, const char* field, const Malformed& malformed) {
    const qsizetype colon = entry.indexOf(u':');
    if (colon < 0 || colon + 1 == entry.size()) {
        malformed.value(field, entry);
    }
    return entry.mid(colon + 1);
}

// kMandarin first, then the Xiandai Hanyu Cidian's readings it lacks; the Hanyu Da Zidian's
// only when neither knows the character, as it lists many rare and old readings.
QStringList readings_of(const UnihanFields& fields, const Malformed& malformed) {
    QStringList readings;
    const auto add = [&readings](const QString& reading) {
        if (!readings.contains(reading)) {
            readings.append(reading);
        }
    };
    for (const QString& reading : words_of(value_of(fields, "kMandarin"))) {
        add(reading);
    }
    for (const QString& entry : words_of(value_of(fields, "kXHC1983"))) {
        add(reading_after_place(entry, "kXHC1983", malformed));
    }
    if (!readings.isEmpty()) {
        return readings;
    }
    for (const QString& entry : words_of(value_of(fields, "kHanyuPinyin"))) {
        const QString listed = reading_after_place(entry, "kHanyuPinyin", malformed);
        for (const QString& reading : listed.split(u',', Qt::SkipEmptyParts)) {
            add(reading);
        }
    }
    return readings;
}

int number_in(const QString& text, int smallest, int largest, const char* field,
              const Malformed& malformed) {
    bool ok = false;
    const int number = text.toInt(&ok);
    if (!ok || number < smallest || number > largest) {
        malformed.value(field, text);
    }
    return number;
}

// The first kRSUnicode value, "120'.3": the radical's number, marked with an apostrophe when the
// character is filed under its simplified form, then the strokes beyond the radical. Unihan also
// marks a few radicals with two apostrophes; those count as simplified only when the radical
// table has such a form.
void set_radical(CharInfo& info, const QString& rs_unicode, const RadicalForms& radicals,
                 const Malformed& malformed) {
    const QString first = words_of(rs_unicode).value(0);
    const qsizetype dot = first.indexOf(u'.');
    if (dot <= 0) {
        malformed.value("kRSUnicode", rs_unicode);
    }
    const QString radical = first.left(dot);
    QString number = radical;
    while (number.endsWith(u'\'')) {
        number.chop(1);
    }
    const qsizetype apostrophes = radical.size() - number.size();
    info.radical = number_in(number, 1, largest_radical, "kRSUnicode", malformed);
    info.simplified_radical = apostrophes == 1 || (apostrophes == 2 && radicals.contains(radical));
    if (apostrophes > 2) {
        malformed.value("kRSUnicode", rs_unicode);
    }
    auto form = radicals.find(info.simplified_radical ? radical : number);
    if (form == radicals.end()) {
        form = radicals.find(number);
    }
    if (form == radicals.end()) {
        throw Error(QStringLiteral("The radical table has no radical %1.").arg(number));
    }
    info.radical_form = QString::fromUcs4(&form->second, 1);
}

// One count is both standards'; two are the mainland's, then Taiwan's.
void set_strokes(CharInfo& info, const QString& total_strokes, const Malformed& malformed) {
    const QStringList counts = words_of(total_strokes);
    if (counts.isEmpty() || counts.size() > 2) {
        malformed.value("kTotalStrokes", total_strokes);
    }
    info.strokes_simplified = number_in(counts.first(), 1, 255, "kTotalStrokes", malformed);
    info.strokes_traditional = number_in(counts.last(), 1, 255, "kTotalStrokes", malformed);
}

// Unihan lists a character among its own variants when it is also written so ("郁" has the
// traditional forms 郁 and 鬱); the file keeps only the others.
std::vector<char32_t> other_forms(char32_t character, const QString& variants, const char* field,
                                  const Malformed& malformed) {
    std::vector<char32_t> forms;
    for (const QString& code : words_of(variants)) {
        char32_t form = 0;
        try {
            form = code_point_of(code);
        } catch (const Error&) {
            malformed.value(field, variants);
        }
        if (form != character && std::find(forms.begin(), forms.end(), form) == forms.end()) {
            forms.push_back(form);
        }
    }
    return forms;
}

}  // namespace

CharInfo char_info_of(char32_t character, const UnihanFields& fields,
                      const RadicalForms& radicals) {
    const Malformed malformed(character);
    CharInfo info;
    info.character = character;
    info.readings = readings_of(fields, malformed);
    info.definition = value_of(fields, "kDefinition");
    if (const QString rs = value_of(fields, "kRSUnicode"); !rs.isEmpty()) {
        set_radical(info, rs, radicals, malformed);
    }
    if (const QString strokes = value_of(fields, "kTotalStrokes"); !strokes.isEmpty()) {
        set_strokes(info, strokes, malformed);
    }
    info.simplified_forms = other_forms(character, value_of(fields, "kSimplifiedVariant"),
                                        "kSimplifiedVariant", malformed);
    info.traditional_forms = other_forms(character, value_of(fields, "kTraditionalVariant"),
                                         "kTraditionalVariant", malformed);
    if (const QString frequency = value_of(fields, "kFrequency"); !frequency.isEmpty()) {
        info.frequency = number_in(frequency, 1, largest_frequency, "kFrequency", malformed);
    }
    if (const QString grade = value_of(fields, "kGradeLevel"); !grade.isEmpty()) {
        info.grade = number_in(grade, 1, largest_grade, "kGradeLevel", malformed);
    }
    return info;
}

void rank_by_commonness(std::vector<CharInfo>& entries) {
    const auto key = [](const CharInfo& info) {
        return std::tuple(info.frequency ? info.frequency : 6, info.grade ? info.grade : 7,
                          info.strokes_simplified ? info.strokes_simplified : 99, info.character);
    };
    std::vector<std::size_t> order(entries.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::sort(order.begin(), order.end(),
              [&](std::size_t a, std::size_t b) { return key(entries[a]) < key(entries[b]); });
    for (std::size_t place = 0; place < order.size(); ++place) {
        entries[order[place]].rank = int(place);
    }
}

std::vector<CharInfo> char_infos_of(const UnihanTable& table, const RadicalForms& radicals) {
    std::vector<CharInfo> entries;
    entries.reserve(table.size());
    for (const auto& [character, fields] : table) {
        entries.push_back(char_info_of(character, fields, radicals));
    }
    rank_by_commonness(entries);
    return entries;
}

}  // namespace inkwren::tools
