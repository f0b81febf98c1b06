#include "output/chinese_numerals.h"
