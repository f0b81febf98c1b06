// The language table: every caption, hint and message of the user interface, read from a
// language file of "key text" lines and looked up by key.
#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace inkwren {

// The language files in the installation folder.
inline constexpr auto traditional_language_file = "lang.txt";
inline constexpr auto simplified_language_file = "lang-gb.txt";
inline constexpr auto english_language_file = "english.txt";
inline constexpr auto user_language_file = "mylang.txt";

// Texts shown when there is no table to take words from.
// When load_language finds no file:
inline constexpr auto language_file_missing_message = "找不到語言檔案! (Language File not found!)";
// When the language chosen from the menu has no file:
inline constexpr auto chosen_language_file_missing_message =
    "錯誤:找不到有關語言檔案! (Error:Needed language file not found!)";
// When the stored language has no file at start-up, which ends the program:
inline constexpr auto start_language_file_missing_message =
    "嚴重錯誤:找不到有關語言檔案! (Fatal Error : Needed language file not found!)";

struct LanguageEntry {
    QString key;
    QString text;
};

// The entry a line of a language file holds: the key before the first space and the text after
// it, each trimmed of blanks and control characters, as the whole line is first. Nothing for a
// comment line (one character or less, or starting with "*") and nothing for a line without a
// space: a key with no text would only hide a later entry of the same key.
std::optional<LanguageEntry> split_entry(const QString& line);

class LanguageTable {
public:
    // The text of the first entry whose key equals key exactly; empty when there is none.
    QString lookup_text(const QString& key) const;

    // Appends the entries of a language file in file order. A file that is valid UTF-8 is read
    // as UTF-8, any other through the legacy code page (936 or 950). Answers false, leaving the
    // table unchanged, when nothing of that name exists; a file that cannot be read throws Error
    // and leaves the table unchanged too.
    bool load_language(const QString& path, int legacy_code_page);

    void clear();
    const std::vector<LanguageEntry>& entries() const { return entries_; }

private:
    std::vector<LanguageEntry> entries_;
};

}  // namespace inkwren
