#include "color_sets.h"

#include "app/app.h"

void changeColorSet(App&) {}
