// Dialogs for benchmarks: boxes are counted, questions answered No, choosers cancelled.
#pragma once

#include "platform/dialogs.h"

namespace inkwren {

class SilentDialogs : public UnansweredDialogs {
public:
    int shown = 0;
    void inform(const QString&, const QString&) override { ++shown; }
};

}  // namespace inkwren
