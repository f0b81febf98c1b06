// Pinyin syllables in other scripts.
#pragma once

#include <QString>
#include <QStringView>

namespace inkwren {

// A syllable in marked pinyin ("yǒng") written in zhuyin ("ㄩㄥˇ"); empty when it is not one.
QString zhuyin_of_pinyin(QStringView marked);

}  // namespace inkwren
