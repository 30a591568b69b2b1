#include "skin/kinds/toolkit_kinds.h"

#include "skin/kinds/edit_element.h"
#include "skin/kinds/label_edit.h"
#include "skin/kinds/text_element.h"

namespace stellaro {

std::vector<std::unique_ptr<NodeRegistration>> register_toolkit_kinds()
{
    std::vector<std::unique_ptr<NodeRegistration>> kinds;
    const auto add = [&kinds](std::u16string name, ElementFactory factory) {
        kinds.push_back(std::make_unique<NodeRegistration>(std::move(name), std::move(factory)));
    };
    add(u"node", factory_of<Element>());
    add(u"text", factory_of<TextElement>());
    add(u"edit", factory_of<EditElement>());
    add(u"label_edit", factory_of<LabelEdit>());
    return kinds;
}

} // namespace stellaro
