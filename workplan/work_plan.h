#pragma once

struct App;

// The action of "一天工作计划模式"; also start-up's work plan step.
void togglePlanMode(App& app);
