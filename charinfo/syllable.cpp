#include "charinfo/syllable.h"

namespace inkwren {

// Zhuyin comes with the syllable tables; until then no syllable has a zhuyin form.
QString zhuyin_of_pinyin(QStringView) {
    return {};
}

}  // namespace inkwren
