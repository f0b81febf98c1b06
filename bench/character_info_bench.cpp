// What the character information costs where a learner waits for it, on the installation's real
// file: reading the file, the strip's work for a character shown (lookup, text and the strip's
// widgets, the whole addition to the path from a copied character to its first frame), and the
// search by reading in the character field, its first query included. Prints median and worst.
#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "charinfo/char_info.h"
#include "pad/character_info_source.h"
#include "pad/info_strip.h"
#include "pad/pad_layout.h"

namespace {

using namespace inkwren;
using Clock = std::chrono::steady_clock;

const QString file = QStringLiteral(INKWREN_INSTALLATION_DIR "/") + char_info_file_name;

double milliseconds_of(const std::function<void()>& work) {
    const auto start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The first run apart: it pays for what a program does once (fonts, code page converters).
void report(const char* what, std::vector<double> times, double goal) {
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf("%-50s median %7.4f  worst %7.4f  first %7.4f ms  (goal %.0f ms, %zu runs)\n", what,
                times[times.size() / 2], times.back(), first, goal, times.size());
}

QString words(const char* key) {
    return QString::fromLatin1(key) == QLatin1String("0239")   ? QStringLiteral("Radical %1 %2")
           : QString::fromLatin1(key) == QLatin1String("0260") ? QStringLiteral("%1 strokes")
                                                               : QStringLiteral("Other: %1");
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const CharInfoTable table = CharInfoTable::load(file);
    std::printf("%zu characters in %s\n", table.size(), qPrintable(file));

    std::vector<double> loads;
    for (int run = 0; run < 20; ++run) {
        loads.push_back(milliseconds_of([] { CharInfoTable::load(file); }));
    }
    report("reading the file (once a run of the program)", loads, 1);

    // Every 20th character, as the clipboard brings them, into a strip at the smallest pad.
    CharacterInfoSource source(file);
    InfoStrip strip;
    strip.setGeometry(lay_out_pad(pad_base_size, pad_base_size, true, true).info_strip);
    // The window shows its start character before any is copied: the strip's fonts are loaded.
    strip.show_text(info_strip_text(*source.info_of(QStringLiteral("永")), false, words));
    std::vector<double> shown;
    for (std::size_t index = 0; index < table.size(); index += 20) {
        const char32_t code = table.at(index).character;
        const QString character = QString::fromUcs4(&code, 1);
        shown.push_back(milliseconds_of([&] {
            if (const std::optional<CharInfo> info = source.info_of(character)) {
                strip.show_text(info_strip_text(*info, false, words));
            }
        }));
    }
    report("a character's information into the strip", shown, 1);

    // The index of readings is built as the field is entered, then the first reading is typed.
    std::vector<double> entering;
    std::vector<double> first;
    for (int run = 0; run < 5; ++run) {
        CharacterInfoSource fresh(file);
        fresh.info_of(QStringLiteral("永"));  // the file is read when the first character shows
        entering.push_back(milliseconds_of([&] { fresh.prepare_search(); }));
        first.push_back(
            milliseconds_of([&] { fresh.characters_read_as(QStringLiteral("yong"), true, 12); }));
    }
    report("entering the field (builds the index of readings)", entering, 50);
    report("the first reading typed", first, 5);

    source.prepare_search();
    std::vector<double> queries;
    for (int run = 0; run < 50; ++run) {
        for (const char* typed : {"yong", "yong3", "yǒng", "ㄩㄥˇ", "shi", "lü4", "zhuang"}) {
            for (const bool simplified : {true, false}) {
                queries.push_back(milliseconds_of(
                    [&] { source.characters_read_as(QString::fromUtf8(typed), simplified, 12); }));
            }
        }
    }
    report("a reading typed, the list's characters", queries, 5);
    return 0;
}
