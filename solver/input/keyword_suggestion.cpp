#include "input/keyword_suggestion.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace zelk {

namespace {

// Levenshtein distance: insertions, deletions and substitutions each count one.
int editDistance(std::string_view a, std::string_view b) {
    std::vector<int> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) row[j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        int diagonal = row[0];
        row[0] = static_cast<int>(i);
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

std::string upperCased(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace

std::string nearestKeyword(const KeywordTable& table, const std::string& word) {
    // Numbers read where a keyword was expected are misplaced values, not typos.
    if (word.size() < 2 || !std::isalpha(static_cast<unsigned char>(word[0]))) return "";
    const std::string upper = upperCased(word);
    const int allowed = upper.size() <= 4 ? 1 : 2;
    std::string best;
    int bestDistance = allowed + 1;
    for (int index = 0; index < table.count(); ++index) {
        const std::string full = table.fullWord(index);
        const int distance = std::min(editDistance(upper, full), editDistance(upper, table.prefix(index)));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = full;
        }
    }
    return best;
}

}  // namespace zelk
