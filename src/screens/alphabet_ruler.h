#pragma once
#include "skin/elements/element.h"
#include "skin/kinds/button.h"
#include "skin/props/properties.h"
#include "sky/stars.h"

#include <cstdint>
#include <string>
#include <vector>

namespace stellaro {

class AlphabetRuler;

// A letter touched on a ruler: its index among all the ruler's letters, the letter, and whether
// the finger is still on the ruler. extra is carried over from the release (0 for drags). A
// touch that ended without a position (cancelled) comes as index -1, no letter, not held.
struct RulerEvent {
    int32_t index = 0;
    std::u16string letter;
    bool held = false;
    uint8_t extra = 0;
    int32_t y = 0; // where the finger is, in screen coordinates
};

// Told which letter of a ruler the finger is on.
class AlphabetRulerListener {
public:
    virtual ~AlphabetRulerListener() = default;
    virtual void letter_event(AlphabetRuler& ruler, const RulerEvent& event) = 0;
};

// The initials of a name index in its order, each run of equal initials given once.
std::vector<std::u16string> ruler_letters(const NameIndex& names);

// An alphabet beside a list: a column of letter cells made from the skin's template over a
// button that reports the letter under the finger while it is pressed and dragged. When the
// column is too short for every letter, the cells show evenly spaced ones (each the letter under
// its middle), but the finger still picks among all of them. The cells are made again whenever the column's height changes. The
// ruler goes before its host's elements (or is attached to new ones once they are gone).
class AlphabetRuler : public ButtonListener, private LayoutObserver {
public:
    static constexpr const char16_t* CELL_TEMPLATE = u"AlphabetRulerText";

    AlphabetRuler(Properties& properties, AlphabetRulerListener& listener);
    ~AlphabetRuler() override;
    AlphabetRuler(const AlphabetRuler&) = delete;
    AlphabetRuler& operator=(const AlphabetRuler&) = delete;

    // Takes the host's "ruler_button" (required), "ruler_button2" (optional) and "ruler_table"
    // (required) and measures a cell from the template. Throws skincore::NodeNotFound for a
    // missing part and skincore::NodeNotFoundInSkin without the template.
    void attach(Element& host);
    // Stores the letters and makes one cell per letter that fits in the column.
    void set_letters(std::vector<std::u16string> letters);
    // The index of the letter at that height (screen coordinates), clamped to the letters; -1
    // when the ruler shows nothing to touch.
    int32_t letter_at(int32_t y) const;

    const std::vector<std::u16string>& letters() const { return letters_; }
    // The letter shown by each cell, top first.
    std::vector<std::u16string> cell_letters() const;
    Element* host() const { return host_; }

    void on_click(Button& button, Point point) override;
    void on_press_changed(Button& button, Point point, bool cancelled) override;
    void on_drag(Button& button, ButtonDrag& drag) override;

private:
    void horizontal_changed(Element& element) override;
    void vertical_changed(Element& element) override;
    // Makes as many cells as fit the button's height and gives them their letters.
    void fit_cells();
    void report(int32_t y, bool held, uint8_t extra);
    void forget_parts();

    Properties& properties;
    AlphabetRulerListener& listener;
    int32_t cell_height = 0;
    int32_t fitted_height = -1;
    Element* host_ = nullptr;
    Button* button = nullptr;
    Button* button2 = nullptr;
    Element* table = nullptr;
    std::vector<std::u16string> letters_;
    std::vector<Element*> cells;
    std::vector<int32_t> cell_letter_index;
};

} // namespace stellaro
