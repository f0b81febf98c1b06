#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QUuid>

#include "app/single_instance.h"

namespace inkwren {
namespace {

QString unique_name() {
    return QStringLiteral("inkwren-test-") + QUuid::createUuid().toString(QUuid::Id128).left(12);
}

TEST(SingleInstance, ASecondStartHandsItsCharacterToTheRunningOne) {
    const QString name = unique_name();
    EXPECT_FALSE(hand_over(name, QStringLiteral("永")));  // nobody runs yet

    InstanceServer running(name);
    ASSERT_TRUE(running.listening());
    QStringList received;
    running.on_text = [&](const QString& text) { received << text; };
    ASSERT_TRUE(hand_over(name, QStringLiteral("國")));
    ASSERT_TRUE(hand_over(name, QString()));
    for (int round = 0; round < 1000 && received.size() < 2; ++round) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    }
    EXPECT_EQ(received, (QStringList{QStringLiteral("國"), QString()}));
}

TEST(SingleInstance, EachUserAndSettingsFileHasItsOwnName) {
    EXPECT_EQ(instance_name(QStringLiteral("/home/甲/.config/inkwren/registry.ini")),
              instance_name(QStringLiteral("/home/甲/.config/inkwren/registry.ini")));
    EXPECT_NE(instance_name(QStringLiteral("/home/甲/.config/inkwren/registry.ini")),
              instance_name(QStringLiteral("/home/乙/.config/inkwren/registry.ini")));
}

}  // namespace
}  // namespace inkwren
