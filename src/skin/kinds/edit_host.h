#pragma once

namespace stellaro {

class EditElement;

// Keeps the one edit field of the process that is being edited, and tells the platform side
// (the shell with its window) when editing starts, moves to another field or rectangle, and
// ends. Without a shell the headless host serves: editing works, nothing else is told.
class EditHost {
public:
    virtual ~EditHost() = default;

    EditElement* active_edit() const { return active; }
    // Makes the edit the one being edited; null ends editing. The fields concerned are told.
    void set_active_edit(EditElement* edit);
    // The active edit was placed again.
    void active_edit_moved();

protected:
    // Editing began in the edit while none was active.
    virtual void editing_started(EditElement& edit);
    // Editing went on in the edit: another field took it, or the field was placed again.
    virtual void editing_moved(EditElement& edit);
    // Editing ended in every field.
    virtual void editing_ended();

private:
    EditElement* active = nullptr;
};

// The host the edit fields use: the one installed, else a headless one of the process.
EditHost& edit_host();
// Installs a host (null goes back to the headless one); editing in the previous host ends.
void install_edit_host(EditHost* host);

} // namespace stellaro
