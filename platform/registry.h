// The per-user settings store that stands in for the Windows registry: an INI file whose
// groups are key paths ("[Software\Marlowen Technology\inkwren\iwren1.0]") and whose lines are
// "value name=string data". Reads keep the registry's contract of answering "-1" for anything
// absent, so callers test for "-1" exactly as they would against the registry.
#pragma once

#include <QString>

namespace inkwren {

inline constexpr auto app_key_path = "Software\\Marlowen Technology\\inkwren\\iwren1.0\\";
inline constexpr auto absent_value = "-1";

class Registry {
public:
    explicit Registry(QString ini_path);

    // inkwren/registry.ini in the user's XDG config folder.
    static QString default_path();

    // The string data of the value whose trimmed name equals value_name exactly (case-sensitive);
    // "-1" when the key or the value is absent. Key paths compare case-insensitively, with "\"
    // and "/" alike and leading or trailing separators ignored, as registry paths do.
    QString extract_keyvalue(const QString& key_path, const QString& value_name) const;

    // True when the key exists (it is never created by asking).
    bool keyexists(const QString& key_path) const;

    const QString& path() const { return ini_path_; }

private:
    QString ini_path_;
};

// The code page that plays the system's legacy ("ANSI") code page: the per-user value
// "legacy code page" under the program's key, 936 or 950; 936 when absent or anything else.
int read_legacy_code_page(const Registry& registry);

}  // namespace inkwren
