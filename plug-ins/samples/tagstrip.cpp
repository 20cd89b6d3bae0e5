// Tag stripper, a sample plug-in in C++: takes the markup out of a page and keeps its text.
// Tags, comments, PHP blocks and the content of script and style elements go; character
// references become the characters they stand for; the empty lines left behind shrink to one
// between paragraphs. The caret stays at the same place in the text. A text without markup is
// left alone, so no empty step is added to Undo.
#include "quillorn_plugin.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <string>
#include <string_view>

struct QuillornObject {
    std::string language;
};

namespace {

constexpr std::string_view ObjectName = "tagstrip.Data";

// A new text made from an old one, from the start to the end: each stretch of the old text is
// kept, dropped or replaced, and the caret follows the text it was in.
class Rewrite {
public:
    Rewrite(std::string_view in, size_t caret)
        : m_in(in)
        , m_caret(caret)
    {
    }

    std::string_view in() const { return m_in; }
    size_t pos() const { return m_pos; }
    bool atEnd() const { return m_pos >= m_in.size(); }

    // The old text up to `end` gives way to `text`.
    void replace(size_t end, std::string_view text)
    {
        if (!m_caretPlaced && m_caret < end) {
            m_caretOut = m_out.size() + std::min(m_caret - m_pos, text.size());
            m_caretPlaced = true;
        }
        m_out += text;
        m_pos = end;
    }
    void keep(size_t end) { replace(end, m_in.substr(m_pos, end - m_pos)); }
    void drop(size_t end) { replace(end, {}); }

    std::string take(size_t& caret)
    {
        caret = m_caretPlaced ? m_caretOut : m_out.size();
        return std::move(m_out);
    }

private:
    std::string_view m_in;
    size_t m_caret;
    size_t m_pos = 0;
    std::string m_out;
    size_t m_caretOut = 0;
    bool m_caretPlaced = false;
};

bool startsWithNoCase(std::string_view text, size_t at, std::string_view prefix)
{
    if (text.size() - at < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != prefix[i])
            return false;
    }
    return true;
}

// Whether the tag at `at` opens the element `name` ("<script", not "<scripts").
bool opensElement(std::string_view text, size_t at, std::string_view name)
{
    if (text[at] != '<' || !startsWithNoCase(text, at + 1, name))
        return false;
    const size_t after = at + 1 + name.size();
    return after == text.size() || !std::isalnum(static_cast<unsigned char>(text[after]));
}

size_t findNoCase(std::string_view text, size_t from, std::string_view what)
{
    for (size_t at = from; at < text.size(); ++at) {
        if (startsWithNoCase(text, at, what))
            return at;
    }
    return std::string_view::npos;
}

// Just behind `what` from `from`, or the end of the text when it never comes.
size_t behind(std::string_view text, size_t from, std::string_view what, bool noCase = false)
{
    const size_t at = noCase ? findNoCase(text, from, what) : text.find(what, from);
    return at == std::string_view::npos ? text.size() : at + what.size();
}

// Just behind the ">" that ends the tag opening at `at`; a ">" inside a quoted attribute value
// does not end it. A quote opens a value only right after "=", so a stray apostrophe does not
// swallow the rest of the page.
size_t tagEnd(std::string_view text, size_t at)
{
    char quote = 0;
    char before = 0; // the last character before this one that is not a blank
    for (size_t i = at + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (quote) {
            if (c == quote)
                quote = 0;
        } else if ((c == '"' || c == '\'') && before == '=') {
            quote = c;
        } else if (c == '>') {
            return i + 1;
        }
        if (!std::isspace(static_cast<unsigned char>(c)))
            before = c;
    }
    return text.size();
}

void appendUtf8(std::string& out, unsigned long code)
{
    if (code < 0x80) {
        out += char(code);
    } else if (code < 0x800) {
        out += char(0xC0 | (code >> 6));
        out += char(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += char(0xE0 | (code >> 12));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    } else {
        out += char(0xF0 | (code >> 18));
        out += char(0x80 | ((code >> 12) & 0x3F));
        out += char(0x80 | ((code >> 6) & 0x3F));
        out += char(0x80 | (code & 0x3F));
    }
}

// The characters of the reference "&name;" at `at`, with the end of the reference; an empty
// end when there is no reference the stripper knows there.
std::string reference(std::string_view text, size_t at, size_t& end)
{
    end = 0;
    const size_t semicolon = text.find(';', at);
    if (semicolon == std::string_view::npos || semicolon - at > 10)
        return {};
    const std::string_view name = text.substr(at + 1, semicolon - at - 1);
    std::string chars;
    if (name.size() > 1 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string digits(name.substr(hex ? 2 : 1));
        if (digits.empty() || digits.find_first_not_of(hex ? "0123456789abcdefABCDEF"
                                                           : "0123456789") != std::string::npos)
            return {};
        const unsigned long code = std::stoul(digits, nullptr, hex ? 16 : 10);
        if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return {};
        appendUtf8(chars, code);
    } else {
        static const struct {
            std::string_view name;
            std::string_view chars;
        } named[] = {{"amp", "&"},
                     {"lt", "<"},
                     {"gt", ">"},
                     {"quot", "\""},
                     {"apos", "'"},
                     {"nbsp", "\xC2\xA0"},
                     {"copy", "\xC2\xA9"},
                     {"reg", "\xC2\xAE"},
                     {"laquo", "\xC2\xAB"},
                     {"raquo", "\xC2\xBB"},
                     {"ndash", "\xE2\x80\x93"},
                     {"mdash", "\xE2\x80\x94"},
                     {"hellip", "\xE2\x80\xA6"}};
        for (const auto& entry : named) {
            if (entry.name == name)
                chars = entry.chars;
        }
        if (chars.empty())
            return {};
    }
    end = semicolon + 1;
    return chars;
}

// The text without its markup.
std::string stripMarkup(std::string_view text, size_t& caret)
{
    Rewrite r(text, caret);
    while (!r.atEnd()) {
        const size_t at = r.pos();
        const char c = text[at];
        const char next = at + 1 < text.size() ? text[at + 1] : 0;
        if (c == '<' && text.substr(at, 4) == "<!--") {
            r.drop(behind(text, at + 4, "-->"));
        } else if (c == '<' && next == '?') {
            r.drop(behind(text, at + 2, "?>"));
        } else if (c == '<' &&
                   (std::isalpha(static_cast<unsigned char>(next)) || next == '/' || next == '!')) {
            const size_t end = tagEnd(text, at);
            // What a script or style element holds is code, not text.
            std::string_view code;
            for (const std::string_view element : {"script", "style"}) {
                if (opensElement(text, at, element))
                    code = element;
            }
            if (code.empty())
                r.drop(end);
            else
                r.drop(tagEnd(text, behind(text, end, "</" + std::string(code), true) - 1));
        } else if (c == '&') {
            size_t end = 0;
            const std::string chars = reference(text, at, end);
            if (end)
                r.replace(end, chars);
            else
                r.keep(at + 1);
        } else {
            const size_t end = text.find_first_of("<&", at + 1);
            r.keep(end == std::string_view::npos ? text.size() : end);
        }
    }
    return r.take(caret);
}

bool isBlank(std::string_view line)
{
    return line.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// The text with every run of blank lines made one empty line, and none at its start.
std::string shrinkBlankLines(std::string_view text, size_t& caret)
{
    Rewrite r(text, caret);
    bool blankBefore = true;
    while (!r.atEnd()) {
        const size_t at = r.pos();
        const size_t newline = text.find('\n', at);
        const size_t end = newline == std::string_view::npos ? text.size() : newline + 1;
        const std::string_view line = text.substr(at, end - at);
        if (!isBlank(line)) {
            r.keep(end);
            blankBefore = false;
        } else if (blankBefore || newline == std::string_view::npos) {
            r.drop(end);
        } else {
            r.replace(end, line.substr(line.size() >= 2 && line[line.size() - 2] == '\r'
                                           ? line.size() - 2
                                           : line.size() - 1));
            blankBefore = true;
        }
    }
    return r.take(caret);
}

void setText(QuillornText* target, std::string_view text)
{
    target->set(target, text.data(), text.size());
}

} // namespace

int32_t quillorn_plugin_version(void)
{
    return QUILLORN_PLUGIN_VERSION;
}

QuillornObject* quillorn_plugin_create(const char* object_name)
{
    if (!object_name || object_name != ObjectName)
        return nullptr;
    return new (std::nothrow) QuillornObject;
}

void quillorn_plugin_get_name(QuillornObject* object, const char* language, QuillornText* caption)
{
    try {
        object->language = language ? language : "";
    } catch (...) {
        object->language.clear();
    }
    setText(caption, object->language == "russian" ? "Убрать теги" : "Strip tags");
}

int quillorn_plugin_run(QuillornObject*, const char* text, size_t length, QuillornText* result,
                        int32_t* sel_start)
{
    try {
        const std::string_view in(text, length);
        size_t caret = std::min<size_t>(size_t(std::max<int32_t>(*sel_start, 0)), length);
        const std::string stripped = stripMarkup(in, caret);
        if (stripped == in)
            return QUILLORN_RUN_KEEP;
        const std::string out = shrinkBlankLines(stripped, caret);
        setText(result, out);
        *sel_start = int32_t(caret);
        return QUILLORN_RUN_REPLACE;
    } catch (...) {
        return QUILLORN_RUN_ERROR;
    }
}

void quillorn_plugin_destroy(QuillornObject* object)
{
    delete object;
}
