// The floor of the start-up benchmark: the least a Qt program that shows Chinese text does, one
// window with one character in the Kai face, reporting its first frame and its memory as the
// program does when the benchmark asks.
#include <QApplication>
#include <QLabel>
#include <QTimer>

#include <cstdio>

#include "platform/resident_memory.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("永"));
    label.setFont(QFont(QStringLiteral("AR PL UKai TW"), 48));
    label.show();
    QTimer::singleShot(0, [] {
        std::printf("first frame shown; %s\n", inkwren::resident_memory_line().constData());
        std::fflush(stdout);
        QApplication::quit();
    });
    return application.exec();
}
