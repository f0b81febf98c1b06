// The preference record, "prefer.cfg": one 192-byte record holding the language file, the
// caption of the user-language menu item, the stored encoding mode and the stroke archive.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

#include "app/config_files.h"
#include "encoding/encoding_mode.h"

namespace inkwren {

inline constexpr int preference_record_size = 192;
inline constexpr int preference_text_capacity = 60;

struct PreferenceRecord {
    QByteArray language_file = "english.txt";
    QByteArray user_language_caption;  // UTF-8
    std::int32_t stored_encoding_mode = encoding_mode::gb;
    QByteArray archive_name = "strokes.cdf";

    bool operator==(const PreferenceRecord&) const = default;
};

// The caption as UTF-8, cut to the first 60 bytes without splitting a character.
QByteArray caption_bytes(const QString& caption);

// The 192 record bytes; texts longer than their field are cut (the caption at a character
// boundary).
QByteArray format_preference(const PreferenceRecord& record);

// Throws Error naming source when the record is short, a text claims more than its field, or
// the language file or archive is named by no usable file name.
PreferenceRecord parse_preference(const QByteArray& record, const QString& source);

// Rewrites the file whole. Throws Error when it cannot be written.
void save_preference(const QString& path, const PreferenceRecord& record);

struct PreferenceLoad {
    PreferenceRecord record;
    LoadOutcome outcome = LoadOutcome::read;
    QString message;  // for the user; set only when a damaged file was replaced
};

// Start-up: reads the file, or writes the defaults when it is missing or cannot be read as a
// record. Throws Error when the file cannot be opened or written.
PreferenceLoad load_or_create_preference(const QString& path);

}  // namespace inkwren
