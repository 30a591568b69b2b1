#include "fonts/font_handle.h"
#include "skin/kinds/text_lines.h"
#include "skin/kinds/text_word.h"

#include <benchmark/benchmark.h>

#include <string>

namespace stellaro {

namespace {

// A paragraph of about 600 characters, as an information panel or a notes field holds.
std::u16string paragraph()
{
    std::u16string text;
    for (int i = 0; i < 12; ++i)
        text += u"Betelgeuse marks the shoulder of Orion. ";
    return text;
}

FontHandle body_font()
{
    FontDesc desc = default_font_desc(1);
    desc.size = 15;
    desc.face = u"DejaVu Sans";
    return FontHandle(desc);
}

// What every keystroke in a notes field costs before drawing: words measured, lines filled.
void BM_SplitAndWrapParagraph600(benchmark::State& state)
{
    const FontHandle font = body_font();
    const std::u16string text = paragraph();
    TextLines::Style style;
    style.box_width = 448;
    style.space_px = font->measure(u" ", 0).width;
    TextLines lines;
    for (auto _ : state) {
        lines.fill(split_words(shown_text(text, true), font), style);
        benchmark::DoNotOptimize(lines.count());
    }
}
BENCHMARK(BM_SplitAndWrapParagraph600);

} // namespace

} // namespace stellaro
