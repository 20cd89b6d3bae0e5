#include "editing/CssTokenizer.h"

namespace Quillorn {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Blocks of these at-rules hold rules again rather than declarations.
bool holdsRules(QByteArrayView atRule)
{
    static constexpr const char* names[] = {
        "@media",     "@supports",  "@document",         "@layer",
        "@container", "@keyframes", "@-webkit-keyframes"};
    for (const char* name : names) {
        if (atRule.compare(QByteArrayView(name), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

} // namespace

std::vector<CssTokenizer::Token> CssTokenizer::tokenize(QByteArrayView text)
{
    enum class State { Rules, AtPrelude, Declarations, Value };
    std::vector<Token> tokens;
    // For each open block: does it hold rules (true) or declarations (false)?
    std::vector<bool> blocks;
    State state = State::Rules;
    bool preludeHoldsRules = false;

    auto add = [&](qsizetype start, qsizetype end, Kind kind) {
        if (end <= start)
            return;
        if (kind != Kind::Punctuation && !tokens.empty() && tokens.back().kind == kind &&
            tokens.back().start + tokens.back().length == start) {
            tokens.back().length += end - start;
            return;
        }
        tokens.push_back({start, end - start, kind});
    };
    auto outsideState = [&]() {
        return blocks.empty() || blocks.back() ? State::Rules : State::Declarations;
    };

    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        const char c = text[i];
        if (isBlank(c)) {
            ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && text[i + 1] == '*') {
            qsizetype end = i + 2;
            while (end + 1 < n && !(text[end] == '*' && text[end + 1] == '/'))
                ++end;
            end = end + 1 < n ? end + 2 : n;
            add(i, end, Kind::Comment);
            i = end;
            continue;
        }
        if (c == '"' || c == '\'') {
            qsizetype end = i + 1;
            while (end < n && text[end] != c && text[end] != '\n') {
                if (text[end] == '\\' && end + 1 < n)
                    ++end;
                ++end;
            }
            end = end < n ? end + 1 : n;
            add(i, end, Kind::String);
            i = end;
            continue;
        }
        if (c == '{') {
            add(i, i + 1, Kind::Punctuation);
            const bool rules = state == State::AtPrelude && preludeHoldsRules;
            blocks.push_back(rules);
            state = rules ? State::Rules : State::Declarations;
            ++i;
            continue;
        }
        if (c == '}') {
            add(i, i + 1, Kind::Punctuation);
            if (!blocks.empty())
                blocks.pop_back();
            state = outsideState();
            ++i;
            continue;
        }
        if (c == ';') {
            add(i, i + 1, Kind::Punctuation);
            state = state == State::AtPrelude ? outsideState() : state;
            if (state == State::Value)
                state = State::Declarations;
            ++i;
            continue;
        }
        switch (state) {
        case State::Rules:
            if (c == '@') {
                qsizetype end = i + 1;
                while (end < n && !isBlank(text[end]) && text[end] != '{' && text[end] != ';' &&
                       text[end] != '(')
                    ++end;
                preludeHoldsRules = holdsRules(text.sliced(i, end - i));
                add(i, end, Kind::AtRule);
                state = State::AtPrelude;
                i = end;
            } else {
                add(i, i + 1, Kind::Selector);
                ++i;
            }
            break;
        case State::AtPrelude:
            add(i, i + 1, Kind::Value);
            ++i;
            break;
        case State::Declarations:
            if (c == ':') {
                add(i, i + 1, Kind::Punctuation);
                state = State::Value;
            } else {
                add(i, i + 1, Kind::Property);
            }
            ++i;
            break;
        case State::Value:
            add(i, i + 1, Kind::Value);
            ++i;
            break;
        }
    }
    return tokens;
}

} // namespace Quillorn
