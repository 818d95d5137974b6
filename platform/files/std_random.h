#pragma once

#include "app/ports.h"

#include <random>

class StdRandom : public Random {
public:
    // Seeds from the milliseconds of a steady clock, the system's tick count.
    void seedFromTickCount() override;
    // Inclusive; a range given upside down is read the right way round.
    int uniform(int low, int high) override;

private:
    std::mt19937 engine_;
};
