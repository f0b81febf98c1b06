// Where the stroke data's em square lies on the writing pad, for the data tools. The placement
// itself lives with the strokes, which the practice judge measures by as well.
#pragma once

#include "strokes/em_square.h"
