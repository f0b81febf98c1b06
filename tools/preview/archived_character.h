// Loads a character of an installation folder's archives into a player the way the pad does,
// for the developer tools and benchmarks that look at real characters.
#pragma once

#include <QString>

#include "animation/animationplayer.h"
#include "animation/simple_player_owner.h"

namespace inkwren {

// Sets up the player at a pad size (init_pad included) and loads the character from the
// traditional archive when it names it, else from the simplified one; answers whether either
// did.
bool load_archived_character(TAnimationPlayer& player, SimplePlayerOwner& owner,
                             const QString& installation, const QString& character, int pad_size);

}  // namespace inkwren
