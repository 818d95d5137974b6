#pragma once

#include "app/ports.h"

class QtScreen : public Screen {
public:
    int primaryWidth() override;
};
