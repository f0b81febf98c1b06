#include "output/jpeg_writer.h"
