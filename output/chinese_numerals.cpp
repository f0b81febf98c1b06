#include "output/chinese_numerals.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace inkwren {

namespace {

const QString digit_names = QStringLiteral("零一二三四五六七八九");
const QString place_names[] = {QString(), QStringLiteral("十"), QStringLiteral("百"),
                               QStringLiteral("千")};
const QString group_units[] = {QString(), QStringLiteral("萬"), QStringLiteral("億"),
                               QStringLiteral("兆")};
const QString zero = QStringLiteral("零");
constexpr int group_count_kept = 4;

QChar digit_name(QChar digit) {
    return digit_names.at(digit.digitValue());
}

// The shortest text that reads back as the same number, always in plain positional notation
// (1e8 + 5 as "100000005", never "1.00000005e+08").
QString decimal_text(double number) {
    char text[400];  // room for every finite double in fixed notation
    const auto result = std::to_chars(text, text + sizeof text, number, std::chars_format::fixed);
    return QString::fromLatin1(text, result.ptr - text);
}

// One group of up to four digits, given lowest first. The zero flag runs on from the lower
// groups, so a gap at the top of a lower group is only said once.
QString group_text(QStringView reversed_digits, bool& zero_pending) {
    QString text;
    for (int place = 0; place < reversed_digits.size(); ++place) {
        const QChar digit = reversed_digits[place];
        if (digit != u'0') {
            text.prepend(place_names[place]);
            text.prepend(digit_name(digit));
            zero_pending = false;
        } else {
            if (!zero_pending && place != 0) {
                text.prepend(zero);
            }
            zero_pending = true;
        }
    }
    return text;
}

QString integer_text(const QString& digits) {
    QString reversed = digits;
    std::reverse(reversed.begin(), reversed.end());
    const int groups = std::min((int(reversed.size()) - 1) / 4 + 1, group_count_kept);
    bool zero_pending = true;
    QString result;
    for (int group = 0; group < groups; ++group) {
        const QString text = group_text(QStringView(reversed).mid(4 * group, 4), zero_pending);
        if (!text.isEmpty()) {
            result = text + group_units[group] + result;
        } else if (!result.isEmpty() && !result.startsWith(zero)) {
            result.prepend(zero);
        }
    }
    return result;
}

QString fraction_text(QStringView digits) {
    QString text = QStringLiteral("點");
    for (const QChar digit : digits) {
        text.append(digit_name(digit));
    }
    return text;
}

}  // namespace

QString chinese_numeral(double number) {
    if (!std::isfinite(number)) {
        return {};
    }
    QString text = decimal_text(number == 0.0 ? 0.0 : number);  // no "負零" for -0
    const bool negative = text.startsWith(u'-');
    if (negative) {
        text.remove(0, 1);
    }
    const qsizetype point = text.indexOf(u'.');
    QString result = integer_text(point < 0 ? text : text.left(point));
    if (point >= 0) {
        result += fraction_text(QStringView(text).mid(point + 1));
    }
    if (result.isEmpty()) {
        result = zero;
    }
    if (result.startsWith(QStringLiteral("一十"))) {
        result.remove(0, 1);
    }
    if (result.startsWith(u'點')) {
        result.prepend(zero);
    }
    if (negative) {
        result.prepend(u'負');
    }
    return result;
}

}  // namespace inkwren
