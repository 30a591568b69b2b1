#include "skin/kinds/toolkit_kinds.h"

#include "skin/kinds/spinner.h"
#include "skin/kinds/vlist.h"

namespace stellaro {

std::vector<std::unique_ptr<NodeRegistration>> register_toolkit_kinds()
{
    std::vector<std::unique_ptr<NodeRegistration>> kinds;
    const auto add = [&kinds](std::u16string name, ElementFactory factory) {
        kinds.push_back(std::make_unique<NodeRegistration>(std::move(name), std::move(factory)));
    };
    add(u"node", factory_of<Element>());
    add(u"vlist", factory_of<VList>());
    add(u"spinner", factory_of<Spinner>());
    return kinds;
}

} // namespace stellaro
