#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QLabel>

#include "langtable/language_table.h"
#include "langtable/text_keys.h"
#include "pad/info_strip.h"
#include "pad/pad_layout.h"
#include "platform/code_page.h"
#include "tests/support/fixtures.h"

namespace inkwren {

void PrintTo(const InfoStripText& text, std::ostream* out) {
    *out << '[' << text.readings.toStdString() << "] [" << text.meaning.toStdString() << "] ["
         << text.radical_and_strokes.toStdString() << "] " << text.other_forms.size() << " forms";
}

namespace {

CharInfo guo() {
    CharInfo info;
    info.character = U'國';
    info.readings = {QStringLiteral("guó")};
    info.definition = QStringLiteral("nation, country, nation-state");
    info.radical = 31;
    info.radical_form = QStringLiteral("囗");
    info.strokes_simplified = 11;
    info.strokes_traditional = 12;  // as if Taiwan counted one more
    info.simplified_forms = {U'国', U'囯'};
    return info;
}

LanguageTable shipped_language(const char* name) {
    LanguageTable table;
    table.load_language(testing::shipped_data_file(QString::fromLatin1(name)), gbk_code_page);
    return table;
}

std::function<QString(const char*)> words_of(const LanguageTable& table) {
    return [&table](const char* key) { return table.lookup_text(QString::fromLatin1(key)); };
}

// The strip's lines in the user's language; what is not known leaves its part out, and a
// language file without the strip's words leaves their lines empty rather than showing "%1".
TEST(InfoStripText, EachLineSaysWhatIsKnownAndNothingElse) {
    const LanguageTable english = shipped_language("english.txt");
    const LanguageTable traditional = shipped_language("lang.txt");
    const LanguageTable none;
    CharInfo de;
    de.readings = {QStringLiteral("de"), QStringLiteral("dí"), QStringLiteral("dì")};
    de.strokes_simplified = 8;
    const struct {
        const char* name;
        CharInfo info;
        bool taiwan;
        const LanguageTable& language;
        InfoStripText expected;
    } cases[] = {
        {"mainland count",
         guo(),
         false,
         english,
         {QStringLiteral("guó ㄍㄨㄛˊ"),
          QStringLiteral("nation, country, nation-state"),
          QStringLiteral("Radical 囗 31 · 11 strokes"),
          {{QStringLiteral("Simplified: %1"), {QStringLiteral("国"), QStringLiteral("囯")}}}}},
        {"Taiwan's count",
         guo(),
         true,
         traditional,
         {QStringLiteral("guó ㄍㄨㄛˊ"),
          QStringLiteral("nation, country, nation-state"),
          QStringLiteral("部首 囗（31） · 12 畫"),
          {{QStringLiteral("簡體：%1"), {QStringLiteral("国"), QStringLiteral("囯")}}}}},
        {"several readings, no radical",
         de,
         true,
         english,
         {QStringLiteral("de ˙ㄉㄜ, dí ㄉㄧˊ, dì ㄉㄧˋ"), {}, QStringLiteral("8 strokes"), {}}},
        {"nothing known", CharInfo{}, false, english, {}},
        {"no words",
         guo(),
         false,
         none,
         {QStringLiteral("guó ㄍㄨㄛˊ"), QStringLiteral("nation, country, nation-state"), {}, {}}},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(info_strip_text(each.info, each.taiwan, words_of(each.language)), each.expected)
            << each.name;
    }
}

// However long the meaning and the readings, in every language and at the smallest and the
// largest pad, no line of the strip is wider than the strip and the rows stay inside it.
TEST(InfoStrip, EveryLineFitsTheStripAtEveryPadSizeInEveryLanguage) {
    CharInfo crowded = guo();
    crowded.readings = {QStringLiteral("zhuàng"), QStringLiteral("chuáng"),
                        QStringLiteral("shuāng"), QStringLiteral("zhǎng"),
                        QStringLiteral("xiàng"),  QStringLiteral("jiǒng")};
    crowded.definition = QStringLiteral(
        "a very long meaning that goes on and on, with extraordinarily long words such as "
        "incomprehensibilities, to see it broken and cut; 長長的解釋");
    crowded.radical_form = QStringLiteral("龜");
    crowded.radical = 213;
    crowded.strokes_simplified = 64;
    crowded.traditional_forms = {U'鬱', U'郁', U'欝'};
    for (const char* file : {"english.txt", "lang.txt", "lang-gb.txt"}) {
        const LanguageTable language = shipped_language(file);
        for (const int pad : {pad_base_size, 650}) {
            const PadLayout layout = lay_out_pad(pad, pad, true, true);
            InfoStrip strip;
            strip.setGeometry(layout.info_strip);
            strip.show_text(info_strip_text(crowded, false, words_of(language)));
            for (const QLabel* row : strip.findChildren<QLabel*>()) {
                EXPECT_LE(row->geometry().bottom(), strip.height()) << file << pad;
                if (row->textFormat() == Qt::RichText) {
                    continue;
                }
                const QStringList lines = row->text().split(u'\n');
                EXPECT_LE(lines.size(), 2) << file << pad;
                for (const QString& line : lines) {
                    EXPECT_LE(QFontMetrics(row->font()).horizontalAdvance(line), row->width())
                        << file << " " << pad << " " << line.toStdString();
                }
            }
        }
    }
}

}  // namespace
}  // namespace inkwren
