// Runs a fuzz target over files and folders of inputs, one input a file, as a test: the corpus
// and every crash input found so far go through the target on every build, so a fixed fault
// cannot come back. libFuzzer's own main replaces this in fuzzing builds.
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

#include "fuzz/fuzz_support.h"

namespace {

int replay(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
        return 1;
    }
    const QByteArray input = file.readAll();
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.constData()),
                           std::size_t(input.size()));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    int inputs = 0;
    int failures = 0;
    for (int index = 1; index < argc; ++index) {
        const QString argument = QString::fromLocal8Bit(argv[index]);
        if (QFileInfo(argument).isDir()) {
            QDirIterator files(argument, QDir::Files, QDirIterator::Subdirectories);
            while (files.hasNext()) {
                failures += replay(files.next());
                ++inputs;
            }
        } else if (QFileInfo::exists(argument)) {
            failures += replay(argument);
            ++inputs;
        }
    }
    std::printf("%d inputs replayed\n", inputs);
    return failures == 0 ? 0 : 1;
}
