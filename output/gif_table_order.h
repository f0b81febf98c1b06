// The shared table of a resized capture put in order of use once every image is in: the
// colours most pixels show come first, so that an image showing only those writes its codes
// with fewer bits, and each image's transparent index is the lowest one it leaves free.
#pragma once

#include <vector>

#include "output/gif_file.h"

namespace inkwren {

// Reorders the colours by the pixels showing them, most first, and compresses every image
// (all without a table of their own) again with its indices renumbered and the smallest code
// size they allow. The table grows by one entry when an image needs all of it and a
// transparent index besides.
void order_table_by_use(std::vector<Rgb>& colors, std::vector<EncodedImage>& images);

}  // namespace inkwren
