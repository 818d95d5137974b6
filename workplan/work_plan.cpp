#include "work_plan.h"

#include "app/app.h"

void togglePlanMode(App&) {}
