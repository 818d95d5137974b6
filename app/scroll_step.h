#pragma once

// The step rule shared by every bar and the time bar: 0 becomes 1, above 100 becomes 100, anything else
// (negative steps included) stays as entered.
inline int clampScrollStep(int entered) {
    if (entered == 0) return 1;
    return entered > 100 ? 100 : entered;
}
