// Soak run: 1,000 different characters in a row through the writing pad, each shown, played
// to its end by ticking the timer directly and replaced by the next, with the resident memory
// at the start and after every 100. Memory that grows with the characters shown is a leak.
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

#include "bench/silent_dialogs.h"
#include "langtable/language_table.h"
#include "pad/writing_pad.h"
#include "platform/code_page.h"
#include "strokes/stroke_archive.h"
#include "tools/tool_options.h"

namespace {

using namespace inkwren;

const QString installation = QStringLiteral(INKWREN_INSTALLATION_DIR "/");
constexpr int characters = 1000;
constexpr int report_every = 100;

long resident_kib() {
    QFile status(QStringLiteral("/proc/self/status"));
    status.open(QIODevice::ReadOnly);
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return 0;
}

// The first characters of the simplified archive, in index order.
QStringList archived_characters(int count) {
    QStringList list;
    for (const IndexEntry& entry : read_index(installation + QStringLiteral("strokes-idx.dat"))) {
        const QByteArray name = entry.gb_name.trimmed();
        if (name.size() == 6 && list.size() < count) {
            list << from_code_page(name.left(2), gbk_code_page);
        }
    }
    return list;
}

}  // namespace

int main(int argc, char** argv) {
    tools::prefer_offscreen_platform();
    QGuiApplication application(argc, argv);
    const QStringList shown = archived_characters(characters);
    if (shown.size() < characters) {
        std::printf("the archive holds too few characters; build the installation target\n");
        return 1;
    }
    SilentDialogs dialogs;
    LanguageTable language;
    language.load_language(installation + QStringLiteral("english.txt"), gbk_code_page);
    WritingPad pad(dialogs, language, installation, gbk_code_page);
    pad.choose_encoding(EncodingItem::unicode_simplified);
    pad.set_pen_speed(100);
    const long start = resident_kib();
    std::printf("start: %ld KiB resident\n", start);
    long ticks = 0;
    for (int index = 0; index < characters; ++index) {
        pad.select_text(shown[index]);
        TAnimationPlayer& player = pad.player();
        while (player.playing()) {
            player.play_tick();
            ++ticks;
        }
        if ((index + 1) % report_every == 0) {
            std::printf("after %4d characters: %ld KiB resident (%+ld KiB)\n", index + 1,
                        resident_kib(), resident_kib() - start);
            std::fflush(stdout);
        }
    }
    std::printf("%ld ticks played; %d messages; growth %.1f MB over %d characters\n", ticks,
                dialogs.shown, (resident_kib() - start) / 1024.0, characters);
    return 0;
}
