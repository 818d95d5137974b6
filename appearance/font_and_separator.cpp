#include "font_and_separator.h"

#include "app/app.h"

void toggleBoldFont(App&) {}
void toggleSeparatorHidden(App&) {}
