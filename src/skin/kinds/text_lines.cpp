#include "skin/kinds/text_lines.h"

#include <algorithm>
#include <cstdlib>

namespace stellaro {

namespace {

int32_t edge_before(const TextWord& word, size_t index) { return index == 0 ? 0 : word.right_edges[index - 1]; }

// The characters [from, to) of a word as a run.
LineRun word_run(const TextWord& word, size_t from, size_t to)
{
    LineRun run;
    run.chars = word.chars.substr(from, to - from);
    run.start = word.start + from;
    const int32_t before = edge_before(word, from);
    for (size_t i = from; i < to; ++i)
        run.right_edges.push_back(word.right_edges[i] - before);
    return run;
}

LineRun blank_run(size_t start, int32_t count, int32_t space_px)
{
    LineRun run;
    run.chars.assign(static_cast<size_t>(count), u' ');
    run.start = start;
    run.blank = true;
    for (int32_t i = 1; i <= count; ++i)
        run.right_edges.push_back(i * space_px);
    return run;
}

// How many of the word's characters from `from` fit in the room: at least one character (a
// surrogate pair counts as one), so that every line takes something.
size_t fitting(const TextWord& word, size_t from, int32_t room)
{
    const int32_t before = edge_before(word, from);
    size_t to = from;
    while (to < word.chars.size() && word.right_edges[to] - before <= room)
        ++to;
    if (to == from)
        ++to;
    if (to < word.chars.size() && is_low_surrogate(word.chars[to]))
        to = to > from + 1 ? to - 1 : to + 1;
    return to;
}

// The right edge of the last character that is not a space.
int32_t content_right(const FilledLine& line)
{
    for (auto run = line.runs.rbegin(); run != line.runs.rend(); ++run) {
        if (!run->blank)
            return run->x + run->width();
    }
    return 0;
}

} // namespace

void TextLines::fill(const std::vector<TextWord>& words, const Style& style)
{
    lines_.clear();
    cut_ = false;
    build(words, style);
    for (FilledLine& line : lines_)
        line.width = content_right(line);
    if (style.fill == LineFill::CUT && lines_.front().width > style.box_width)
        cut_to(style.box_width, style.ellipsis_px);
    for (FilledLine& line : lines_)
        align(line, style);
}

void TextLines::build(const std::vector<TextWord>& words, const Style& style)
{
    const bool wrap = style.fill == LineFill::WRAP;
    lines_.emplace_back();
    int32_t pen = 0;
    const auto add = [&](LineRun run) {
        run.x = pen;
        pen += run.width();
        lines_.back().end = run.start + run.chars.size();
        lines_.back().runs.push_back(std::move(run));
    };
    const auto next_line = [&](size_t begin, bool soft) {
        lines_.back().soft_end = soft;
        FilledLine& line = lines_.emplace_back();
        line.begin = begin;
        line.end = begin;
        pen = 0;
    };
    for (const TextWord& word : words) {
        if (!word.chars.empty()) {
            if (wrap && pen > 0 && pen + word.width > style.box_width)
                next_line(word.start, true);
            size_t from = 0;
            while (wrap && word.width - edge_before(word, from) > style.box_width) {
                const size_t to = fitting(word, from, style.box_width);
                if (to >= word.chars.size())
                    break;
                add(word_run(word, from, to));
                next_line(word.start + to, true);
                from = to;
            }
            add(word_run(word, from, word.chars.size()));
        }
        const size_t spaces_at = word.start + word.chars.size();
        if (word.spaces > 0)
            add(blank_run(spaces_at, word.spaces, style.space_px));
        const size_t feeds_at = spaces_at + static_cast<size_t>(word.spaces);
        for (int32_t i = 0; i < word.line_feeds; ++i) {
            lines_.back().end = feeds_at + static_cast<size_t>(i);
            next_line(feeds_at + static_cast<size_t>(i) + 1, false);
        }
    }
}

void TextLines::cut_to(int32_t box_width, int32_t ellipsis_px)
{
    FilledLine& line = lines_.front();
    const int32_t room = box_width - ellipsis_px;
    std::vector<LineRun> kept;
    for (LineRun& run : line.runs) {
        if (run.x + run.width() <= room) {
            kept.push_back(std::move(run));
            continue;
        }
        size_t count = 0;
        while (count < run.chars.size() && run.x + run.right_edges[count] <= room)
            ++count;
        if (count > 0 && is_high_surrogate(run.chars[count - 1]))
            --count;
        if (count > 0) {
            run.chars.resize(count);
            run.right_edges.resize(count);
            kept.push_back(std::move(run));
        }
        break;
    }
    while (!kept.empty() && kept.back().blank)
        kept.pop_back();
    line.end = kept.empty() ? line.begin : kept.back().start + kept.back().chars.size();
    LineRun ellipsis;
    ellipsis.chars = std::u16string(1, ELLIPSIS);
    ellipsis.start = LineRun::NO_TEXT;
    ellipsis.x = kept.empty() ? 0 : kept.back().x + kept.back().width();
    ellipsis.right_edges = {ellipsis_px};
    kept.push_back(std::move(ellipsis));
    line.runs = std::move(kept);
    line.width = content_right(line);
    cut_ = true;
}

void TextLines::align(FilledLine& line, const Style& style) const
{
    const int32_t room = style.box_width - line.width;
    if (style.halign == HALIGN_JUSTIFY && style.fill == LineFill::WRAP && line.soft_end && room > 0) {
        // The room goes into the gaps between words; leading and trailing spaces keep their width.
        std::vector<LineRun*> gaps;
        bool word_seen = false;
        for (LineRun& run : line.runs) {
            if (run.blank && word_seen && run.x + run.width() < line.width)
                gaps.push_back(&run);
            word_seen = word_seen || !run.blank;
        }
        if (gaps.empty())
            return;
        const auto count = static_cast<int32_t>(gaps.size());
        int32_t shift = 0;
        for (LineRun& run : line.runs) {
            run.x += shift;
            const auto gap = std::find(gaps.begin(), gaps.end(), &run);
            if (gap == gaps.end())
                continue;
            const auto place = static_cast<int32_t>(gap - gaps.begin());
            const int32_t extra = room / count + (place < room % count ? 1 : 0);
            const int32_t old_width = run.width();
            const auto chars = static_cast<int32_t>(run.right_edges.size());
            for (int32_t i = 0; i < chars; ++i)
                run.right_edges[static_cast<size_t>(i)] += extra * (i + 1) / chars;
            shift += run.width() - old_width;
        }
        line.width += shift;
        return;
    }
    int32_t offset = 0;
    if (style.halign == HALIGN_CENTER)
        offset = room / 2;
    else if (style.halign == HALIGN_RIGHT)
        offset = room;
    offset = std::max(offset, 0);
    line.left = offset;
    for (LineRun& run : line.runs)
        run.x += offset;
}

int32_t TextLines::widest() const
{
    int32_t widest = 0;
    for (const FilledLine& line : lines_)
        widest = std::max(widest, line.width);
    return widest;
}

size_t TextLines::line_of(size_t index) const
{
    size_t found = 0;
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].begin <= index)
            found = i;
    }
    return found;
}

int32_t TextLines::x_of(size_t index) const
{
    if (lines_.empty())
        return 0;
    const FilledLine& line = lines_[line_of(index)];
    int32_t x = line.left;
    for (const LineRun& run : line.runs) {
        if (!run.is_text())
            continue;
        if (index < run.start)
            return x;
        if (index < run.start + run.chars.size())
            return run.x + (index == run.start ? 0 : run.right_edges[index - run.start - 1]);
        x = run.x + run.width();
    }
    return x;
}

size_t TextLines::index_at(size_t line_index, int32_t x) const
{
    if (line_index >= lines_.size())
        return 0;
    const FilledLine& line = lines_[line_index];
    size_t best = line.begin;
    int32_t best_distance = -1;
    const auto consider = [&](size_t index, int32_t at) {
        // The end of a wrapped line is the next line's start; a caret there stands on that line.
        if (line.soft_end && index == line.end)
            return;
        const int32_t distance = std::abs(at - x);
        if (best_distance < 0 || distance < best_distance) {
            best = index;
            best_distance = distance;
        }
    };
    for (const LineRun& run : line.runs) {
        if (!run.is_text())
            continue;
        consider(run.start, run.x);
        for (size_t i = 0; i < run.chars.size(); ++i) {
            if (i + 1 < run.chars.size() && is_low_surrogate(run.chars[i + 1]))
                continue;
            consider(run.start + i + 1, run.x + run.right_edges[i]);
        }
    }
    return best;
}

} // namespace stellaro
