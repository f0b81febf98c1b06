// The helper process of the kill test: saves one kind of file over and over, alternating
// between its two versions, and says "saved" after each save, until it is killed.
//   save_loop KIND FOLDER
#include <QCoreApplication>

#include <cstdio>

#include "tests/app/save_kinds.h"

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: save_loop KIND FOLDER\n");
        return 2;
    }
    const QString kind = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    for (int save = 0;; ++save) {
        inkwren::testing::save_version(kind, folder, save % 2);
        std::printf("saved\n");
        std::fflush(stdout);
    }
}
