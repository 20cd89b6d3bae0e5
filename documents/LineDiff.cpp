#include "documents/LineDiff.h"

#include <QHash>
#include <QRegularExpression>

#include <algorithm>
#include <vector>

namespace Quillorn {

namespace {

using Kind = LineDiff::Kind;

// One step of the full comparison of the differing middle parts.
struct Step {
    Kind kind;
    int oldIndex; // into the first text, -1 for an added line
    int newIndex; // into the second text, -1 for a removed line
};

// The fewest removals and additions that turn a[0..n) into b[0..m), by following the diagonals
// of equal lines and widening the number of edits one at a time; empty and false once more than
// `maxEdits` would be needed.
bool shortestSteps(const std::vector<int>& a, const std::vector<int>& b, int maxEdits,
                   std::vector<Step>& steps)
{
    const int n = int(a.size());
    const int m = int(b.size());
    // trace[d][k + d]: how far along the first text the furthest path with d edits gets on
    // diagonal k (x - y == k).
    std::vector<std::vector<int>> trace;
    int edits = -1;
    for (int d = 0; d <= std::min(maxEdits, n + m) && edits < 0; ++d) {
        std::vector<int> v(2 * d + 1);
        const std::vector<int>* previous = d > 0 ? &trace.back() : nullptr;
        const auto before = [&](int k) {
            return (*previous)[k + d - 1];
        };
        for (int k = -d; k <= d; k += 2) {
            int x = 0;
            if (d > 0)
                x = (k == -d || (k != d && before(k - 1) < before(k + 1))) ? before(k + 1)
                                                                           : before(k - 1) + 1;
            int y = x - k;
            while (x < n && y < m && a[x] == b[y]) {
                ++x;
                ++y;
            }
            v[k + d] = x;
            if (x >= n && y >= m)
                edits = d;
        }
        trace.push_back(std::move(v));
    }
    if (edits < 0)
        return false;

    // Back from the end, the steps come out last first.
    int x = n;
    int y = m;
    for (int d = edits; d > 0; --d) {
        const std::vector<int>& previous = trace[d - 1];
        const auto before = [&](int k) {
            return previous[k + d - 1];
        };
        const int k = x - y;
        const bool down = k == -d || (k != d && before(k - 1) < before(k + 1));
        const int previousK = down ? k + 1 : k - 1;
        const int previousX = before(previousK);
        const int previousY = previousX - previousK;
        const int startX = down ? previousX : previousX + 1;
        while (x > startX) {
            --x;
            --y;
            steps.push_back({Kind::Same, x, y});
        }
        if (down)
            steps.push_back({Kind::Added, -1, previousY});
        else
            steps.push_back({Kind::Removed, previousX, -1});
        x = previousX;
        y = previousY;
    }
    while (x > 0) {
        --x;
        --y;
        steps.push_back({Kind::Same, x, y});
    }
    std::reverse(steps.begin(), steps.end());
    return true;
}

} // namespace

LineDiff::Result LineDiff::compare(const QStringList& before, const QStringList& after)
{
    Result result;
    // Lines both texts start and end with take no part in the search.
    int head = 0;
    while (head < before.size() && head < after.size() && before[head] == after[head])
        ++head;
    int tail = 0;
    while (tail < before.size() - head && tail < after.size() - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail])
        ++tail;
    if (head == before.size() && head == after.size())
        return result;

    // The middle parts, each line as a number that equal lines share.
    QHash<QString, int> numbers;
    const auto numbered = [&numbers, head, tail](const QStringList& lines) {
        std::vector<int> out;
        out.reserve(lines.size() - head - tail);
        for (int i = head; i < lines.size() - tail; ++i) {
            auto known = numbers.constFind(lines[i]);
            if (known == numbers.constEnd())
                known = numbers.insert(lines[i], int(numbers.size()));
            out.push_back(known.value());
        }
        return out;
    };
    const std::vector<int> a = numbered(before);
    const std::vector<int> b = numbered(after);

    std::vector<Step> steps;
    steps.reserve(head + a.size() + b.size() + tail);
    for (int i = 0; i < head; ++i)
        steps.push_back({Kind::Same, i, i});
    std::vector<Step> middle;
    if (!shortestSteps(a, b, MaxEdits, middle)) {
        result.approximate = true;
        middle.clear();
        for (int i = 0; i < int(a.size()); ++i)
            middle.push_back({Kind::Removed, i, -1});
        for (int i = 0; i < int(b.size()); ++i)
            middle.push_back({Kind::Added, -1, i});
    }
    for (const Step& step : middle)
        steps.push_back({step.kind, step.oldIndex < 0 ? -1 : step.oldIndex + head,
                         step.newIndex < 0 ? -1 : step.newIndex + head});
    for (int i = 0; i < tail; ++i)
        steps.push_back({Kind::Same, int(before.size()) - tail + i, int(after.size()) - tail + i});

    // Unchanged lines further than Context from every change are left out, a Skipped line in
    // their place.
    const int count = int(steps.size());
    std::vector<bool> shown(count, false);
    for (int i = 0; i < count; ++i) {
        if (steps[i].kind == Kind::Same)
            continue;
        for (int j = std::max(0, i - Context); j <= std::min(count - 1, i + Context); ++j)
            shown[j] = true;
    }
    for (int i = 0; i < count; ++i) {
        if (!shown[i]) {
            if (result.lines.isEmpty() || result.lines.constLast().kind != Kind::Skipped)
                result.lines.append({Kind::Skipped, {}, 0, 0});
            continue;
        }
        const Step& step = steps[i];
        Line line{step.kind, step.oldIndex >= 0 ? before[step.oldIndex] : after[step.newIndex],
                  step.oldIndex + 1, step.newIndex + 1};
        result.lines.append(line);
    }
    return result;
}

QStringList LineDiff::splitLines(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\n|\r"));
    return text.split(lineEnd);
}

} // namespace Quillorn
