// Makes a player for a character of an installation folder's archives the way the pad does,
// for the developer tools and benchmarks that look at real characters.
#pragma once

#include <QString>

#include <memory>

#include "animation/animationplayer.h"
#include "animation/player_owner.h"
#include "animation/player_settings.h"

namespace inkwren {

// A player of a square pad of this side, with the installation's pictures, holding the
// character as loaded from the traditional archive (in Taiwan's order) when that names it, else
// from the simplified one; nothing when neither does. model_pictures, when given, is where its
// model pictures come from.
std::unique_ptr<TAnimationPlayer> load_archived_character(PlayerOwner& owner,
                                                          const QString& installation,
                                                          const QString& character, int pad_side,
                                                          ModelPictureLookup model_pictures = {});

}  // namespace inkwren
