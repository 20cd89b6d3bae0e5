#include "setup/core/PayloadReader.h"

#include "setup/core/PayloadFormat.h"

namespace Quillorn {

namespace {

PayloadReader::Result damaged()
{
    PayloadReader::Result result;
    result.failure = PayloadReader::Failure::Damaged;
    return result;
}

} // namespace

PayloadReader::Result PayloadReader::read(std::string_view program)
{
    constexpr size_t None = std::string_view::npos;
    const std::string marker = PayloadFormat::marker();
    // The piece after the last marker. Searched forwards: the marker is near the start, behind
    // the program, and a backward search through the whole payload takes many times longer.
    size_t markerAt = None;
    for (size_t at = program.find(marker); at != None;
         at = program.find(marker, at + marker.size()))
        markerAt = at;
    if (markerAt == None)
        return damaged();
    const std::string_view payload = program.substr(markerAt + marker.size());

    // The pieces between separators: the list first, then the files, then the tail.
    const std::string separator = PayloadFormat::separator();
    std::vector<std::string_view> pieces;
    size_t from = 0;
    for (size_t at = payload.find(separator); at != None; at = payload.find(separator, from)) {
        pieces.push_back(payload.substr(from, at - from));
        from = at + separator.size();
    }
    // A payload cut short has lost its last separator, and so the pairing of names and files.
    if (pieces.empty())
        return damaged();
    const std::string_view list = pieces.front();
    if (!list.empty() && list.back() != PayloadFormat::NameEnd)
        return damaged();
    std::vector<std::string_view> names;
    for (size_t start = 0; start < list.size();) {
        const size_t end = list.find(PayloadFormat::NameEnd, start);
        names.push_back(list.substr(start, end - start));
        start = end + 1;
    }
    if (names.size() != pieces.size() - 1)
        return damaged();
    Result result;
    result.files.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        if (!PayloadFormat::isSafeName(names[i])) {
            result.failure = Failure::UnsafeName;
            result.badName = std::string(names[i]);
            result.files.clear();
            return result;
        }
        result.files.push_back({PayloadFormat::pathOf(names[i]), pieces[i + 1]});
    }
    return result;
}

} // namespace Quillorn
