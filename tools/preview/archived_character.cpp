#include "tools/preview/archived_character.h"

#include <QDir>

#include "platform/code_page.h"
#include "strokes/stroke_archive.h"

namespace inkwren {

bool load_archived_character(TAnimationPlayer& player, SimplePlayerOwner& owner,
                             const QString& installation, const QString& character, int pad_size) {
    player.pad_w = player.pad_h = pad_size;
    player.pen_scale = player.coord_scale = pad_size / 200.0;
    player.zi = character;
    player.init_pad();
    const QDir folder(installation);
    struct Source {
        const char* archive;
        IndexColumn column;
        int code_page;
    };
    for (const Source source : {Source{traditional_archive, IndexColumn::big5, big5_code_page},
                                Source{simplified_archive, IndexColumn::gb, gbk_code_page}}) {
        const QString data = folder.filePath(QString::fromLatin1(source.archive));
        const QString index = folder.filePath(index_file_name(QString::fromLatin1(source.archive)));
        const QByteArray key = to_code_page(character, source.code_page) + ".wrt";
        if (in_dictionary(index, key, source.column)) {
            owner.column = source.column;
            owner.code_page = source.code_page;
            player.load_from_archive(character, data, index);
            player.rebuild_lines();
            return true;
        }
    }
    return false;
}

}  // namespace inkwren
