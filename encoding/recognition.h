// Turning a received text into an archive key, and recognising a text as one archived
// character under the current encoding mode, with detection across the modes when it is on.
#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

#include "encoding/encoding_mode.h"

namespace inkwren {

struct CharacterKey {
    QString key_text;        // the key bytes read in the legacy code page: the pad's cur_key
    QByteArray archive_key;  // the key text back in the legacy code page, then ".wrt"
};

// The archive key of a key text (such as cur_key): its bytes in the legacy code page + ".wrt".
QByteArray archive_key_for(const QString& key_text, int legacy_code_page);

// The character an archive key text stands for in the index column it is looked up in: its
// bytes read in that column's code page.
QString archived_character(const QString& key_text, IndexColumn column, int legacy_code_page);

// The key of the whole text under a mode; nothing is trimmed, so only a text of exactly one
// character can match an index entry.
CharacterKey build_key(const QString& text, std::int32_t mode, int legacy_code_page);

// The encoding steps of recognising a text that reached the pad. With detection on and the key
// absent, the readings are tried in the order GB Unicode, Big5 Unicode, GB, Big5; the mode that
// found the character (or Big5 when none did) stays in force. Returns the key when the text
// names an archive entry in the column of the final mode.
std::optional<CharacterKey> recognise_text(const QString& text, EncodingState& state,
                                           const QString& index_path, int legacy_code_page);

}  // namespace inkwren
