// Numbers written out in Chinese characters (一百零五, 負三, 零點五), as the sheets label strokes
// and counts.
#pragma once

#include <QString>

namespace inkwren {

// The written Chinese form of the number: digits grouped by 萬, 億 and 兆 (higher groups are
// dropped), 零 for skipped places, 點 before the fraction digits, 負 for negatives. Not-a-number
// and infinities have no written form and give an empty text.
QString chinese_numeral(double number);

}  // namespace inkwren
