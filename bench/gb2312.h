// The character set the batch benchmarks make files for.
#pragma once

#include <QByteArray>
#include <QStringList>

#include "platform/code_page.h"

namespace inkwren {

// The 6,763 Chinese characters of GB2312: rows 16 to 87 of the code table, whose last row ends
// early.
inline QStringList gb2312_characters() {
    QStringList characters;
    for (int row = 0xB0; row <= 0xF7; ++row) {
        for (int cell = 0xA1; cell <= 0xFE; ++cell) {
            if (row == 0xD7 && cell > 0xF9) {
                continue;
            }
            QByteArray code;
            code.append(char(row)).append(char(cell));
            characters << from_code_page(code, gbk_code_page);
        }
    }
    return characters;
}

}  // namespace inkwren
