#include "screens/alphabet_ruler.h"

#include "skin/props/skincore.h"

#include <algorithm>
#include <memory>

namespace stellaro {

std::vector<std::u16string> ruler_letters(const NameIndex& names)
{
    std::vector<std::u16string> letters;
    for (const auto& [name, index] : names) {
        if (name.empty())
            continue;
        std::u16string initial(1, name.front());
        if (letters.empty() || letters.back() != initial)
            letters.push_back(std::move(initial));
    }
    return letters;
}

AlphabetRuler::AlphabetRuler(Properties& properties, AlphabetRulerListener& listener)
    : properties(properties), listener(listener)
{
}

AlphabetRuler::~AlphabetRuler()
{
    for (Button* each : {button, button2})
        if (each && each->listener() == this)
            each->set_listener(nullptr);
    if (button && button->layout_observer == this)
        button->layout_observer = nullptr;
}

void AlphabetRuler::forget_parts()
{
    host_ = nullptr;
    button = nullptr;
    button2 = nullptr;
    table = nullptr;
    fitted_height = -1;
    cells.clear();
    cell_letter_index.clear();
}

void AlphabetRuler::attach(Element& host)
{
    // The previous parts may already be gone with the skin they were made from.
    forget_parts();
    auto* found_button = dynamic_cast<Button*>(host.find_child(u"ruler_button"));
    if (!found_button)
        throw skincore::NodeNotFound(host.id(), u"ruler_button");
    Element* found_table = host.find_child(u"ruler_table");
    if (!found_table)
        throw skincore::NodeNotFound(host.id(), u"ruler_table");
    host_ = &host;
    button = found_button;
    button2 = dynamic_cast<Button*>(host.find_child(u"ruler_button2"));
    table = found_table;
    button->set_listener(this);
    button->layout_observer = this;
    if (button2)
        button2->set_listener(this);

    // A cell made once and thrown away tells the height every cell takes.
    auto probe = std::make_unique<Element>(table);
    if (!probe->load_from_skin(properties, CELL_TEMPLATE))
        throw skincore::NodeNotFoundInSkin(CELL_TEMPLATE);
    cell_height = probe->design_size.y;
}

void AlphabetRuler::set_letters(std::vector<std::u16string> letters)
{
    letters_ = std::move(letters);
    fit_cells();
}

void AlphabetRuler::horizontal_changed(Element&) {}

void AlphabetRuler::vertical_changed(Element& element)
{
    if (element.height() != fitted_height)
        fit_cells();
}

void AlphabetRuler::fit_cells()
{
    if (!table)
        return;
    fitted_height = button->height();
    const int32_t room = std::max(0, button->height() - table->border_min.y - table->border_max.y);
    const auto count = static_cast<int32_t>(letters_.size());
    const int32_t shown = cell_height <= 0 ? 0 : std::min(count, room / cell_height);
    while (static_cast<int32_t>(cells.size()) > shown) {
        table->remove_child(cells.back());
        cells.pop_back();
    }
    while (static_cast<int32_t>(cells.size()) < shown) {
        auto cell = std::make_unique<Element>(table);
        if (!cell->load_from_skin(properties, CELL_TEMPLATE))
            throw skincore::NodeNotFoundInSkin(CELL_TEMPLATE);
        cell->set_visible(true);
        cells.push_back(cell.get());
        table->add_child(std::move(cell));
    }
    cell_letter_index.assign(cells.size(), 0);
    for (int32_t i = 0; i < shown; ++i) {
        // Evenly spread over all the letters when not every one has a cell: each cell shows the
        // letter a finger on its middle picks, so that a tap gives the letter tapped.
        const auto letter = static_cast<int32_t>(int64_t{count} * (2 * i + 1) / (2 * shown));
        cell_letter_index[static_cast<size_t>(i)] = letter;
        cells[static_cast<size_t>(i)]->send_text(u"#text", letters_[static_cast<size_t>(letter)]);
    }
    table->invalidate_measure();
    table->request_repaint();
}

std::vector<std::u16string> AlphabetRuler::cell_letters() const
{
    std::vector<std::u16string> shown;
    for (const int32_t index : cell_letter_index)
        shown.push_back(letters_[static_cast<size_t>(index)]);
    return shown;
}

int32_t AlphabetRuler::letter_at(int32_t y) const
{
    const auto count = static_cast<int64_t>(letters_.size());
    if (!table || cells.empty() || table->height() < 1 || count == 0)
        return -1;
    const int64_t index = int64_t{y - table->y()} * count / table->height();
    return static_cast<int32_t>(std::clamp<int64_t>(index, 0, count - 1));
}

void AlphabetRuler::report(int32_t y, bool held, uint8_t extra)
{
    const int32_t index = letter_at(y);
    if (index < 0)
        return;
    listener.letter_event(*this, RulerEvent{index, letters_[static_cast<size_t>(index)], held, extra, y});
}

void AlphabetRuler::on_click(Button&, Point) {}

void AlphabetRuler::on_press_changed(Button& pressed, Point point, bool cancelled)
{
    // A release without a position (the capture was lost) has no letter under it: it only ends
    // the touch, so that the list does not jump to whatever lies at the stray point.
    if (cancelled && !pressed.held()) {
        listener.letter_event(*this, RulerEvent{-1, {}, false, 0, 0});
        return;
    }
    report(point.y, pressed.held(), 0);
}

void AlphabetRuler::on_drag(Button&, ButtonDrag& drag) { report(drag.y, true, 0); }

} // namespace stellaro
