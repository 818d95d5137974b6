#pragma once

#include "app/ports.h"

#include <memory>

// The program's sound output.
std::unique_ptr<Sound> makeSoundPlayer();
