// Lookup speed over an archive of 10,000 characters: one index scan for an absent key, and a
// recognition with detection on for a character found in no column (every reading tried).
#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include "encoding/recognition.h"
#include "platform/code_page.h"
#include "strokes/archive_writer.h"
#include "strokes/stroke_archive.h"

namespace {

using namespace inkwren;

constexpr int entry_count = 10'000;

QByteArray two_byte_code(int number) {
    return QByteArray{char(0x81 + number / 190), char(0x40 + number % 190)};
}

class BenchArchive {
public:
    BenchArchive() {
        const QByteArray text = "10\t20\t9\t0\t0\t0\t2\t0\r\n-\t-\t-\t-\t-\t-\t2\t-\r\n";
        std::vector<ArchiveSource> sources;
        for (int number = 0; number < entry_count; ++number) {
            const QByteArray name = two_byte_code(number) + ".wrt";
            sources.push_back({name, name, text});
        }
        write_archive(dir_.filePath(QStringLiteral("strokes.cdf")), index_path(), sources);
    }

    QString index_path() const { return dir_.filePath(QStringLiteral("strokes-idx.dat")); }

private:
    QTemporaryDir dir_;
};

const BenchArchive& archive() {
    static const BenchArchive instance;
    return instance;
}

void BM_InDictionaryAbsentKey(benchmark::State& state) {
    const QString index = archive().index_path();
    const QByteArray absent = "\xFE\xFE.wrt";
    for (auto _ : state) {
        benchmark::DoNotOptimize(in_dictionary(index, absent, IndexColumn::gb));
    }
}
BENCHMARK(BM_InDictionaryAbsentKey)->Unit(benchmark::kMicrosecond);

void BM_RecogniseUnknownCharacterWithDetection(benchmark::State& state) {
    const QString index = archive().index_path();
    for (auto _ : state) {
        EncodingState encoding;
        choose_encoding_item(encoding, EncodingItem::autodetect);
        benchmark::DoNotOptimize(
            recognise_text(QStringLiteral("한"), encoding, index, gbk_code_page));
    }
}
BENCHMARK(BM_RecogniseUnknownCharacterWithDetection)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
