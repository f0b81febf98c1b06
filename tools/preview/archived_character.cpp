#include "tools/preview/archived_character.h"

#include "platform/code_page.h"
#include "strokes/stroke_archive.h"

namespace inkwren {

std::unique_ptr<TAnimationPlayer> load_archived_character(PlayerOwner& owner,
                                                          const QString& installation,
                                                          const QString& character, int pad_side,
                                                          ModelPictureLookup model_pictures) {
    ArchiveChoice traditional;
    choose_traditional_archive(traditional, installation);
    struct Source {
        ArchiveChoice archive;
        IndexColumn column;
        int code_page;
    };
    for (const Source& source : {Source{traditional, IndexColumn::big5, big5_code_page},
                                 Source{ArchiveChoice{}, IndexColumn::gb, gbk_code_page}}) {
        const ArchivePaths paths = archive_paths(source.archive, installation);
        const QByteArray key = to_code_page(character, source.code_page) + ".wrt";
        if (!in_dictionary(paths.index, key, source.column)) {
            continue;
        }
        PlayerSettings settings = PlayerSettings::square(pad_side, installation);
        settings.zi = character;
        // The archive key is the character in the code page of the archive's column.
        settings.legacy_code_page = source.code_page;
        settings.model_pictures = std::move(model_pictures);
        auto player = std::make_unique<TAnimationPlayer>(owner, std::move(settings));
        player->load_from_archive(character, paths, source.column);
        player->rebuild_lines();
        return player;
    }
    return nullptr;
}

}  // namespace inkwren
