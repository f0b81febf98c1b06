// A numeric setting's range and default, declared once beside the setting: the control that
// edits it, the command line that overrides it and the code that reads an edited file all take
// their limits from here.
#pragma once

#include <algorithm>

namespace inkwren {

struct SettingRange {
    int low = 0;
    int high = 0;
    int initial = 0;  // the value a new installation starts with

    constexpr bool holds(int value) const { return low <= value && value <= high; }
    // A value from a file someone may have edited, taken to the nearest bound.
    constexpr int clamped(int value) const { return std::clamp(value, low, high); }
};

}  // namespace inkwren
