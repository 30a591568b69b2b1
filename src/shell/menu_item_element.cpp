#include "shell/menu_item_element.h"

#include "shell/menu.h"
#include "skin/props/skincore.h"

namespace stellaro {

void MenuItemElement::bind(VList&, bool)
{
    const std::vector<MenuItem>& entries = menu.items();
    if (index() < 0 || index() >= static_cast<int32_t>(entries.size()))
        return;
    const MenuItem& item = entries[static_cast<size_t>(index())];
    std::u16string name = item.template_name.empty() ? menu.default_template() : item.template_name;
    if (!item.enabled)
        name += u"Disabled";
    if (!load_from_skin(menu.properties(), name))
        throw skincore::NodeNotFoundInSkin(name);
    send_text(u"#text", menu.text_of(item));
    if (Element* separator = find_child(u"separator"))
        separator->set_visible(item.separator);
    if (Element* checked = find_child(u"checked"))
        checked->set_visible(item.checked);
}

} // namespace stellaro
