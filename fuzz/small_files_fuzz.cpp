// The small text files start-up reads: the output folder in "sys.cfg", the flag in "1.txt" and
// the start character in "textlist.txt".
#include <QDir>

#include "app/config_files.h"
#include "fuzz/fuzz_support.h"
#include "platform/error.h"

using namespace inkwren;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes = fuzz::bytes_of(data, size);
    const ShellFolders folders{fuzz::scratch() + QStringLiteral("文件"),
                               fuzz::scratch() + QStringLiteral("桌面"),
                               fuzz::scratch() + QStringLiteral("圖片")};
    try {
        resolve_output_folder(fuzz::put_file(QStringLiteral("sys.cfg"), bytes), folders);
        reset_flag_file(fuzz::put_file(QStringLiteral("1.txt"), bytes));
        const QString start = fuzz::put_file(QStringLiteral("textlist.txt"), bytes);
        read_start_character(start, 936);
        read_start_character(start, 950);
    } catch (const Error&) {
    }
    return 0;
}
