#pragma once
#include "platform/atomic_file.h"
#include "shell/screen_stack.h"

#include <string>

namespace stellaro {

class Document;
class Properties;
class Stars;

// What the program stands at besides its screens: the document with the language in use and
// the sky view, when there is one.
struct DumpedState {
    const Document* document = nullptr;
    const Properties* properties = nullptr;
    const Stars* sky = nullptr;
};

// The open screens as JSON, bottom first: for each element its name (id), kind, rectangle on
// the frame, whether it is visible and enabled, what it shows (text, checkbox state, spinner or
// progress value, list selection and first item in view) and its children. With a document, a
// top-level "document" object tells the place, the moment, the clock, the switches, night mode,
// the language, the selection and the view.
std::string dump_screens(const ScreenStack& screens, const DumpedState& state = {});

// Writes the dump to the file as write_whole_file does; fails, saying why, when it could not be
// written completely.
FileResult write_dump(const ScreenStack& screens, const std::string& path, const DumpedState& state = {});

} // namespace stellaro
