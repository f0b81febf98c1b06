#include "app/preference_record.h"

#include <QtEndian>

#include <algorithm>

#include "platform/error.h"
#include "platform/length_prefixed.h"

namespace inkwren {
namespace {

constexpr int flag_offset = 0;
constexpr int language_offset = 1;
constexpr int caption_offset = 62;
constexpr int encoding_mode_offset = 124;
constexpr int archive_offset = 128;

// At most capacity bytes of UTF-8 text, ending before any character that would not fit whole.
QByteArray utf8_prefix(const QByteArray& text, int capacity) {
    if (text.size() <= capacity) {
        return text;
    }
    qsizetype end = capacity;
    // Continuation bytes look like 10xxxxxx; step back to the lead byte of the cut character.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.left(end);
}

void put_text(QByteArray& record, int offset, const QByteArray& text) {
    put_length_prefixed(record.data(), offset, preference_text_capacity, text);
}

QByteArray text_at(const QByteArray& record, int offset, const QString& source) {
    return checked_length_prefixed(record.constData(), offset, preference_text_capacity,
                                   QStringLiteral("The settings file"), source)
        .toByteArray();
}

// Both files are named bare, in the installation folder: an empty name, one with a folder in
// it or one with control characters (a record of zeros, say) can only be damage.
bool usable_file_name(const QByteArray& name) {
    const QByteArray trimmed = name.trimmed();
    if (trimmed.isEmpty() || trimmed == "." || trimmed == "..") {
        return false;
    }
    return std::none_of(trimmed.begin(), trimmed.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == '/' || c == '\\';
    });
}

}  // namespace

QByteArray caption_bytes(const QString& caption) {
    return utf8_prefix(caption.toUtf8(), preference_text_capacity);
}

QByteArray format_preference(const PreferenceRecord& preference) {
    QByteArray record(preference_record_size, '\0');
    record[flag_offset] = 1;  // written for the record's readers elsewhere, never read back
    put_text(record, language_offset, preference.language_file);
    put_text(record, caption_offset,
             utf8_prefix(preference.user_language_caption, preference_text_capacity));
    qToLittleEndian<qint32>(preference.stored_encoding_mode, record.data() + encoding_mode_offset);
    put_text(record, archive_offset, preference.archive_name);
    return record;
}

PreferenceRecord parse_preference(const QByteArray& record, const QString& source) {
    if (record.size() < preference_record_size) {
        throw Error(
            QStringLiteral("The settings file \"%1\" is damaged: it holds %2 bytes, not %3.")
                .arg(source)
                .arg(record.size())
                .arg(preference_record_size));
    }
    PreferenceRecord preference;
    preference.language_file = text_at(record, language_offset, source);
    preference.user_language_caption = text_at(record, caption_offset, source);
    preference.stored_encoding_mode =
        qFromLittleEndian<qint32>(record.constData() + encoding_mode_offset);
    preference.archive_name = text_at(record, archive_offset, source);
    if (!usable_file_name(preference.language_file) || !usable_file_name(preference.archive_name)) {
        throw Error(QStringLiteral("The settings file \"%1\" is damaged: it names no usable "
                                   "language file or stroke archive.")
                        .arg(source));
    }
    return preference;
}

void save_preference(const QString& path, const PreferenceRecord& record) {
    write_whole_file(path, format_preference(record));
}

PreferenceLoad load_or_create_preference(const QString& path) {
    const std::optional<QByteArray> bytes = read_settings_file(path, preference_record_size);
    if (!bytes) {
        save_preference(path, {});
        return {{}, LoadOutcome::created, {}};
    }
    try {
        return {parse_preference(*bytes, path), LoadOutcome::read, {}};
    } catch (const Error&) {
        save_preference(path, {});
        return {{}, LoadOutcome::replaced, reset_message(path)};
    }
}

}  // namespace inkwren
