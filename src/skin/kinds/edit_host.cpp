#include "skin/kinds/edit_host.h"

#include "skin/kinds/edit_element.h"

namespace stellaro {

namespace {

EditHost* installed = nullptr;

EditHost& headless_host()
{
    static EditHost host;
    return host;
}

} // namespace

void EditHost::set_active_edit(EditElement* edit)
{
    if (edit == active)
        return;
    EditElement* previous = active;
    active = edit;
    if (previous)
        previous->editing_changed(false);
    if (edit)
        edit->editing_changed(true);
    if (edit && previous)
        editing_moved(*edit);
    else if (edit)
        editing_started(*edit);
    else
        editing_ended();
}

void EditHost::active_edit_moved()
{
    if (active)
        editing_moved(*active);
}

void EditHost::editing_started(EditElement&) {}

void EditHost::editing_moved(EditElement&) {}

void EditHost::editing_ended() {}

EditHost& edit_host() { return installed ? *installed : headless_host(); }

void install_edit_host(EditHost* host)
{
    edit_host().set_active_edit(nullptr);
    installed = host;
}

} // namespace stellaro
