#include "output/stroke_order_sheet.h"
