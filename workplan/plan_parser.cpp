#include "plan_parser.h"

#include "app/gbk_text.h"

namespace {

// 2 to 20 pieces are read, a 21st is ignored, and 1 or 22 and more read none.
constexpr std::size_t ignoredExtraPieces = 1;
constexpr std::size_t piecesReadNone = planEventCount + ignoredExtraPieces + 1;

// The text after the first `separator`, or nullopt when it has none or nothing follows it: by the
// splitting rules a trailing separator adds no field, so the field after it does not exist.
std::optional<std::string_view> afterFirst(std::string_view text, std::string_view separator) {
    const std::size_t hit = gbk::find(text, separator);
    if (hit == std::string_view::npos || hit + separator.size() == text.size()) return std::nullopt;
    return text.substr(hit + separator.size());
}

std::string_view beforeFirst(std::string_view text, std::string_view separator) {
    const std::size_t hit = gbk::find(text, separator);
    return hit == std::string_view::npos ? text : text.substr(0, hit);
}

// A numbered piece ("1.8:00|text", from a plan with "*") skips the number before the first "."; the
// one piece of a plan without "*" reads its hour field whole, so «1.8:00|x» fires at 1:00.
std::optional<PlanPiece> readPiece(std::string_view piece, bool numbered) {
    const auto eventText = afterFirst(piece, "|");
    if (!eventText) return std::nullopt;
    const std::string_view timePart = beforeFirst(piece, "|");
    const auto minute = afterFirst(timePart, ":");
    if (!minute) return std::nullopt;
    std::string_view hour = beforeFirst(timePart, ":");
    if (numbered) {
        const auto afterNumber = afterFirst(hour, ".");
        if (!afterNumber) return std::nullopt;
        hour = beforeFirst(*afterNumber, ".");
    }
    return PlanPiece{gbk::toInt(hour), gbk::toInt(beforeFirst(*minute, ":")),
                     std::string(beforeFirst(*eventText, "|"))};
}

// Splits at "*" by the splitting rules, but stops counting once the plan is too long to read: a
// pasted megabyte of asterisks costs one walk over the text, not a million empty fields.
std::vector<std::string_view> splitPieces(std::string_view text) {
    std::vector<std::string_view> pieces;
    std::size_t start = 0;
    while (start < text.size() && pieces.size() < piecesReadNone) {
        const std::size_t hit = gbk::find(text, "*", start);
        if (hit == std::string_view::npos) {
            pieces.push_back(text.substr(start));
            break;
        }
        pieces.push_back(text.substr(start, hit - start));
        start = hit + 1;
    }
    return pieces;
}

} // namespace

std::string normalisePlan(std::string_view text) {
    return gbk::replaceAll(gbk::replaceAll(text, "。", "."), "：", ":");
}

std::optional<PlanPieces> readPlan(std::string_view text) {
    PlanPieces chosen;
    if (!gbk::contains(text, "*")) {
        auto piece = readPiece(text, false);
        if (!piece) return std::nullopt;
        chosen.push_back(std::move(piece));
        return chosen;
    }
    const std::vector<std::string_view> pieces = splitPieces(text);
    if (pieces.size() < 2 || pieces.size() >= piecesReadNone) return chosen;
    for (std::size_t k = 0; k < pieces.size() && k < planEventCount; ++k) {
        if (pieces[k].empty()) {
            chosen.emplace_back();
            continue;
        }
        auto piece = readPiece(pieces[k], true);
        if (!piece) return std::nullopt;
        chosen.push_back(std::move(piece));
    }
    return chosen;
}

bool parsePlan(std::array<PlanEvent, planEventCount>& events, std::string_view text) {
    auto pieces = readPlan(text);
    if (!pieces) return false;
    for (std::size_t k = 0; k < pieces->size(); ++k) {
        auto& piece = (*pieces)[k];
        if (!piece) continue;
        PlanEvent& entry = events[k];
        entry.armed = 1;
        entry.hour = piece->hour;
        entry.minute = piece->minute;
        entry.text = std::move(piece->text);
    }
    return true;
}
