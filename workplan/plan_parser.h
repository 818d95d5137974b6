#pragma once

#include "app/app_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What one piece of a plan says about its entry.
struct PlanPiece {
    std::int32_t hour = 0;
    std::int32_t minute = 0;
    std::string text;

    bool operator==(const PlanPiece&) const = default;
};

// The chosen pieces of a plan, by position: pieces[k] fills entry k + 1. An empty piece is nullopt and
// leaves its entry as it was.
using PlanPieces = std::vector<std::optional<PlanPiece>>;

// "。" becomes "." and "：" becomes ":", anywhere in the text, whole characters only.
std::string normalisePlan(std::string_view text);

// Reads a normalised plan. nullopt when a chosen piece cannot be read in full; such a plan is refused
// whole, so a typo in the fifth event never leaves the first four half applied.
std::optional<PlanPieces> readPlan(std::string_view text);

// Fills and arms the entries the plan defines; every other entry keeps its text, time and armed state.
// Returns false, and changes nothing, when readPlan refuses the plan.
bool parsePlan(std::array<PlanEvent, planEventCount>& events, std::string_view text);
