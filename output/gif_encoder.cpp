#include "output/gif_encoder.h"
