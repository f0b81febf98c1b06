// Builds the character information file from Unihan for the characters of the unpacked stroke
// data package: their readings, meaning, radical, stroke counts, other forms and commonness.
//   make_char_info --unihan DIR --radicals FILE --package DIR --out FILE
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <set>

#include "charinfo/char_info.h"
#include "platform/error.h"
#include "tools/char_info/package_list.h"
#include "tools/char_info/unihan_char_info.h"
#include "tools/char_info/unihan_source.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;
using namespace inkwren::tools;

const QString usage =
    QStringLiteral("make_char_info --unihan DIR --radicals FILE --package DIR --out FILE");

template <typename Has>
int count_of(const std::vector<CharInfo>& entries, Has has) {
    return int(std::count_if(entries.begin(), entries.end(), has));
}

void print_summary(const std::vector<CharInfo>& entries, std::size_t in_package, const QString& out,
                   qint64 elapsed_ms) {
    const QString summary =
        QStringLiteral(
            "%1: %2 characters of %3 in the package; %4 with readings, %5 definitions, "
            "%6 radicals, %7 stroke counts, %8 other forms, %9 frequencies")
            .arg(QFileInfo(out).fileName())
            .arg(entries.size())
            .arg(in_package)
            .arg(count_of(entries, [](const CharInfo& e) { return !e.readings.isEmpty(); }))
            .arg(count_of(entries, [](const CharInfo& e) { return !e.definition.isEmpty(); }))
            .arg(count_of(entries, [](const CharInfo& e) { return e.radical != 0; }))
            .arg(count_of(entries, [](const CharInfo& e) { return e.strokes_simplified != 0; }))
            .arg(count_of(entries,
                          [](const CharInfo& e) {
                              return !e.simplified_forms.empty() || !e.traditional_forms.empty();
                          }))
            .arg(count_of(entries, [](const CharInfo& e) { return e.frequency != 0; }));
    std::fprintf(stdout, "%s; %lld bytes in %lld ms\n", qPrintable(summary),
                 static_cast<long long>(QFileInfo(out).size()), static_cast<long long>(elapsed_ms));
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        QElapsedTimer timer;
        timer.start();
        const QStringList arguments = app.arguments();
        const QString out = option(arguments, QStringLiteral("--out"), usage);
        const std::set<char32_t> characters =
            stroke_package_characters(option(arguments, QStringLiteral("--package"), usage));
        const RadicalForms radicals =
            read_radical_forms(option(arguments, QStringLiteral("--radicals"), usage));
        const UnihanTable table =
            read_unihan(option(arguments, QStringLiteral("--unihan"), usage), characters);
        const std::vector<CharInfo> entries = char_infos_of(table, radicals);
        write_char_info(entries, out);
        print_summary(entries, characters.size(), out, timer.elapsed());
        return 0;
    } catch (const Error& error) {
        std::fprintf(stderr, "make_char_info: %s\n", qPrintable(error.message()));
        return 1;
    }
}
