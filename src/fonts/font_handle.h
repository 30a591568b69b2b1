#pragma once
#include "fonts/font_desc.h"
#include "fonts/font_rep.h"

#include <memory>

namespace stellaro {

// A shared reference to a FontRep; the font goes when the last handle does. Copies may be
// made and dropped on any thread (the count is atomic); the font itself is used by one thread.
class FontHandle {
public:
    // A copy of the process-wide default handle.
    FontHandle();
    explicit FontHandle(const FontDesc& description);
    explicit FontHandle(std::shared_ptr<FontRep> rep) : rep(std::move(rep)) {}

    FontRep* get() const { return rep.get(); }
    FontRep* operator->() const { return rep.get(); }
    FontRep& operator*() const { return *rep; }
    explicit operator bool() const { return rep != nullptr; }
    friend bool operator==(const FontHandle& a, const FontHandle& b) { return a.rep == b.rep; }

    // The handle new empty handles copy: what set_default gave, else a 10-point "Tahoma" made on
    // first use.
    static FontHandle default_font();
    static void set_default(const FontHandle& font);

private:
    std::shared_ptr<FontRep> rep;
};

} // namespace stellaro
