#include "Classes/Core/SearchQuery.h"

#include "platform/foundation/StringUtils.h"

#include <cctype>

namespace {

struct Atom {
    std::string text;  // words of a word or phrase, without quotes
    bool prefix = false;
    bool negated = false;
};

struct Token {
    enum Kind { Word, Or, And } kind = Word;
    Atom atom;
};

bool hasWordCharacter(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80 || std::isalnum(c)) return true;
    return false;
}

// A "*" counts only at the end of a word; elsewhere it is dropped.
std::string withoutInnerStars(const std::string& text, bool keepWordEnds) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '*') {
            out += text[i];
            continue;
        }
        bool atWordEnd = i + 1 == text.size() || text[i + 1] == ' ';
        if (keepWordEnds && atWordEnd && !out.empty() && out.back() != ' ' && out.back() != '*') out += '*';
    }
    return out;
}

std::string quoted(const Atom& atom) { return "\"" + atom.text + (atom.prefix ? "*" : "") + "\""; }

std::optional<std::vector<Token>> tokenize(const std::string& text) {
    std::vector<Token> tokens;
    bool negateNext = false;
    size_t i = 0;
    // Only ASCII white space separates words (a UTF-8 continuation byte is never one).
    auto isSpace = [&](size_t at) {
        return static_cast<unsigned char>(text[at]) < 0x80 && std::isspace(static_cast<unsigned char>(text[at]));
    };
    while (i < text.size()) {
        if (isSpace(i)) {
            ++i;
            negateNext = false;
            continue;
        }
        if (text[i] == '"') {
            size_t close = text.find('"', i + 1);
            if (close == std::string::npos) return std::nullopt;
            Token token;
            token.atom.text = withoutInnerStars(text.substr(i + 1, close - i - 1), true);
            token.atom.negated = negateNext;
            i = close + 1;
            if (i < text.size() && text[i] == '*') {
                token.atom.prefix = true;
                while (i < text.size() && text[i] == '*') ++i;
            }
            negateNext = false;
            tokens.push_back(token);
            continue;
        }
        size_t end = i;
        while (end < text.size() && !isSpace(end) && text[end] != '"') ++end;
        std::string word = text.substr(i, end - i);
        i = end;
        size_t lead = 0;
        bool minus = false;
        for (; lead < word.size() && (word[lead] == '-' || word[lead] == '+'); ++lead) {
            if (word[lead] == '-') minus = true;
        }
        bool negated = negateNext || minus;
        if (lead == word.size()) {
            // Operators alone: a "-" just before a quote excludes the phrase.
            negateNext = negated && i < text.size() && text[i] == '"';
            continue;
        }
        word = word.substr(lead);
        negateNext = false;
        std::string upper = str::uppercase(word);
        if (lead == 0 && (upper == "OR" || upper == "AND")) {
            tokens.push_back(Token{upper == "OR" ? Token::Or : Token::And, {}});
            continue;
        }
        Token token;
        token.atom.negated = negated;
        token.atom.prefix = str::hasSuffix(word, "*");
        token.atom.text = str::replaceAll(word, "*", "");
        tokens.push_back(token);
    }
    return tokens;
}

}  // namespace

bool SearchQuery::isOperatorSearch(const std::string& text) {
    std::string upper = str::uppercase(text);
    return str::contains(upper, " OR ") || str::contains(upper, " AND ") ||
           text.find_first_of("\"*-+") != std::string::npos;
}

std::optional<std::string> SearchQuery::matchExpression(const std::string& text) {
    std::optional<std::vector<Token>> tokens = tokenize(text);
    if (!tokens) return std::nullopt;
    std::vector<std::vector<Atom>> groups;  // ANDed groups of ORed atoms
    std::vector<Atom> excluded;
    bool joinNext = false;
    for (const Token& token : *tokens) {
        if (token.kind == Token::Or) {
            joinNext = !groups.empty();
            continue;
        }
        if (token.kind == Token::And) {
            joinNext = false;
            continue;
        }
        if (!hasWordCharacter(token.atom.text)) continue;
        if (token.atom.negated) {
            excluded.push_back(token.atom);
        } else if (joinNext) {
            groups.back().push_back(token.atom);
        } else {
            groups.push_back({token.atom});
        }
        joinNext = false;
    }
    if (groups.empty()) return std::nullopt;
    std::string expression;
    for (const std::vector<Atom>& group : groups) {
        if (!expression.empty()) expression += " AND ";
        std::string alternatives;
        for (const Atom& atom : group) alternatives += (alternatives.empty() ? "" : " OR ") + quoted(atom);
        expression += group.size() > 1 ? "(" + alternatives + ")" : alternatives;
    }
    if (!excluded.empty()) {
        expression = "(" + expression + ")";
        for (const Atom& atom : excluded) expression += " NOT " + quoted(atom);
    }
    return expression;
}

std::vector<std::string> SearchQuery::likePatterns(const std::string& text) {
    auto pattern = [](const std::string& part) {
        std::string escaped;
        for (char c : str::lowercase(part)) {
            if (c == '\\' || c == '%' || c == '_') escaped += '\\';
            escaped += c;
        }
        return "%" + escaped + "%";
    };
    std::vector<std::string> patterns;
    for (const std::string& part : str::split(text, " "))
        if (!part.empty()) patterns.push_back(pattern(part));
    patterns.push_back(pattern(text));
    return patterns;
}
