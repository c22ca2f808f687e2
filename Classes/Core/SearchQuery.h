#pragma once
// Turns the search text the user types into what SQLite runs.
//
// The user's operators: words (all must match), "quoted phrases", a trailing * for a prefix,
// a leading - to exclude a word or phrase, a leading + (ignored: words are required anyway), and
// OR / AND between words (in any case, outside quotes), OR binding tighter than the implied AND.
// SQLite here uses the enhanced full-text syntax, where a leading "-" does not exclude, so the
// text is rebuilt with explicit AND, OR, NOT and parentheses, every word or phrase quoted.

#include <optional>
#include <string>
#include <vector>

class SearchQuery {
public:
    SearchQuery() = delete;

    // Operator mode: the text holds " OR ", " AND " (any case), a double quote, "*", "-" or "+".
    static bool isOperatorSearch(const std::string& text);
    // The full-text expression, or none when the text forms no query (an unclosed quote, only
    // excluded words, no word at all).
    static std::optional<std::string> matchExpression(const std::string& text);
    // Word mode's LIKE patterns, bound with ESCAPE '\': each part between single spaces (empty
    // parts skipped) and the whole text, lowercased, inside "%...%" with \ % _ escaped.
    static std::vector<std::string> likePatterns(const std::string& text);
};
