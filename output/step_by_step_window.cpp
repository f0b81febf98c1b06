#include "output/step_by_step_window.h"
