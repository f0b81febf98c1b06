#include "output/picture_merge.h"
