#include <gtest/gtest.h>

#include "platform/registry.h"
#include "tests/support/fixtures.h"

namespace inkwren {
namespace {

using testing::TempFolder;
using testing::write_file;

class RegistryTest : public ::testing::Test {
protected:
    void write_ini(const QByteArray& text) { write_file(folder.file("登錄.ini"), text); }
    Registry registry() const { return Registry(folder.file("登錄.ini")); }

    TempFolder folder;
};

TEST_F(RegistryTest, FindsValuesByTrimmedNameUnderAnyFormOfTheKeyPathAndMinusOneForTheAbsent) {
    write_ini(
        "; per-user settings\n"
        "[Software\\Other]\nname=value\n"
        "[software\\marlowen technology\\INKWREN\\iwren1.0]\n"
        "  installation path  = /opt/墨鷦/ \n"
        "installation path=second one is never reached\n");
    const Registry store = registry();
    const QString key = QString::fromLatin1(app_key_path);
    const QString path = QStringLiteral("installation path");
    EXPECT_EQ(store.extract_keyvalue(key, path), QStringLiteral("/opt/墨鷦/"));
    EXPECT_EQ(store.extract_keyvalue(
                  QStringLiteral("/Software/Marlowen Technology/inkwren/iwren1.0"), path),
              QStringLiteral("/opt/墨鷦/"));
    EXPECT_TRUE(store.keyexists(key));
    EXPECT_EQ(store.extract_keyvalue(key, QStringLiteral("name")), QStringLiteral("-1"));
    // Value names compare case-sensitively.
    EXPECT_EQ(store.extract_keyvalue(QStringLiteral("Software\\Other"), QStringLiteral("Name")),
              QStringLiteral("-1"));
    EXPECT_FALSE(store.keyexists(QStringLiteral("Software\\Missing")));
    EXPECT_EQ(store.extract_keyvalue(QStringLiteral("Software\\Missing"), QStringLiteral("name")),
              QStringLiteral("-1"));
    const Registry no_file(folder.file("沒有.ini"));
    EXPECT_FALSE(no_file.keyexists(key));
    EXPECT_EQ(no_file.extract_keyvalue(key, path), QStringLiteral("-1"));
    // The legacy code page is 936 unless set to 950.
    EXPECT_EQ(read_legacy_code_page(store), 936);
    write_ini("[Software\\Marlowen Technology\\inkwren\\iwren1.0]\nlegacy code page=950\n");
    EXPECT_EQ(read_legacy_code_page(registry()), 950);
    write_ini("[Software\\Marlowen Technology\\inkwren\\iwren1.0]\nlegacy code page=1252\n");
    EXPECT_EQ(read_legacy_code_page(registry()), 936);
}

}  // namespace
}  // namespace inkwren
