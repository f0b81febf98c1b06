// Speed of the character information file: loading it whole (read and checked) and finding a
// character in it. The program loads it once and finds a character on every change of
// character, so both together must stay well under a millisecond.
//   char_info_bench [FILE]   (the installation folder's charinfo.dat by default)
#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "charinfo/char_info.h"
#include "platform/error.h"

namespace {

using namespace inkwren;

constexpr double budget_ms = 1.0;

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double load_ms(const QString& path) {
    std::vector<double> times;
    for (int run = 0; run < 21; ++run) {
        QElapsedTimer timer;
        timer.start();
        const CharInfoTable table = CharInfoTable::load(path);
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    return median(times);
}

// Every character once, then one absent: the time per find.
double find_ms(const CharInfoTable& table) {
    std::vector<char32_t> characters;
    for (std::size_t index = 0; index < table.size(); ++index) {
        characters.push_back(table.at(index).character);
    }
    characters.push_back(U'\U0010FFFD');
    std::size_t found = 0;
    QElapsedTimer timer;
    timer.start();
    for (const char32_t character : characters) {
        found += table.find(character).has_value();
    }
    const double per_find = timer.nsecsElapsed() / 1e6 / double(characters.size());
    if (found != table.size()) {
        throw Error(
            QStringLiteral("only %1 of %2 characters were found.").arg(found).arg(table.size()));
    }
    return per_find;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    const QString path = arguments.size() > 1
                             ? arguments[1]
                             : QStringLiteral(INKWREN_INSTALLATION_DIR "/") + char_info_file_name;
    try {
        const double load = load_ms(path);
        const CharInfoTable table = CharInfoTable::load(path);
        const double find = find_ms(table);
        std::printf("%s: %zu characters; load %.3f ms (median of 21), find %.2f us on average\n",
                    qPrintable(path), table.size(), load, find * 1000);
        if (load + find >= budget_ms) {
            std::printf("load and find take %.3f ms, over the %.1f ms budget\n", load + find,
                        budget_ms);
            return 1;
        }
        return 0;
    } catch (const Error& error) {
        std::fprintf(stderr, "char_info_bench: %s\n", qPrintable(error.message()));
        return 1;
    }
}
