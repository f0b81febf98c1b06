#include "output/resampling.h"
