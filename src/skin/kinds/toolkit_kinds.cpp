#include "skin/kinds/toolkit_kinds.h"

#include "skin/kinds/big_picture.h"
#include "skin/kinds/button.h"
#include "skin/kinds/checkbox.h"
#include "skin/kinds/clip_box.h"
#include "skin/kinds/color_box.h"
#include "skin/kinds/edit_element.h"
#include "skin/kinds/htable.h"
#include "skin/kinds/image_box.h"
#include "skin/kinds/label_edit.h"
#include "skin/kinds/old_text.h"
#include "skin/kinds/progress_bar.h"
#include "skin/kinds/spinner.h"
#include "skin/kinds/text_element.h"
#include "skin/kinds/vlist.h"
#include "skin/kinds/vtable.h"

namespace stellaro {

std::vector<std::unique_ptr<NodeRegistration>> register_toolkit_kinds()
{
    std::vector<std::unique_ptr<NodeRegistration>> kinds;
    const auto add = [&kinds](std::u16string name, ElementFactory factory) {
        kinds.push_back(std::make_unique<NodeRegistration>(std::move(name), std::move(factory)));
    };
    add(u"node", factory_of<Element>());
    add(u"oldtext", factory_of<OldText>());
    add(u"image", factory_of<ImageBox>());
    add(u"color", factory_of<ColorBox>());
    add(u"htable", factory_of<HTable>());
    add(u"vtable", factory_of<VTable>());
    add(u"clip", factory_of<ClipBox>());
    add(u"button", factory_of<Button>());
    add(u"checkbox", factory_of<Checkbox>());
    add(u"progress", factory_of<ProgressBar>());
    add(u"vlist", factory_of<VList>());
    add(u"spinner", factory_of<Spinner>());
    add(u"text", factory_of<TextElement>());
    add(u"edit", factory_of<EditElement>());
    add(u"label_edit", factory_of<LabelEdit>());
    add(BigPicture::KIND, factory_of<BigPicture>());
    return kinds;
}

} // namespace stellaro
