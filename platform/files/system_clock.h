#pragma once

#include "app/ports.h"

// The local wall clock, in whole seconds.
class SystemClock : public Clock {
public:
    DateTime now() override;
};
