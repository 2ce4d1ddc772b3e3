// What screen readers see of a form. Each of its container windows (the
// form's window and its picture boxes) answers WM_GETOBJECT with an
// IAccessible of ours whose children are the controls it contains, in table
// order: native controls through the system's own objects, labels as text
// elements of the container (they have no window the system could describe),
// picture boxes as objects of ours. oleacc, ole32 and oleaut32 are loaded
// when a client first asks, so a start-up without one pays nothing.
#pragma once

#include <windows.h>

#include <vector>

namespace fx {

class Control;
class Form;
class AccessibleObject;

class Accessibility {
public:
    explicit Accessibility(const Form& form) : form_(form) {}
    ~Accessibility() { Disconnect(); }
    Accessibility(const Accessibility&) = delete;
    Accessibility& operator=(const Accessibility&) = delete;

    // Answers WM_GETOBJECT for one of the form's containers; 0 when the
    // request is not for its client object or cannot be served.
    LRESULT Answer(HWND container, WPARAM wp, LPARAM lp);
    // Clients keep references after the window has gone: from now on every
    // call they make is answered with an error, never with freed memory.
    void Disconnect();

    // The object of a container window, made on first use; a new reference.
    AccessibleObject* ObjectFor(HWND container);
    const Form& form() const noexcept { return form_; }

private:
    const Form& form_;
    std::vector<AccessibleObject*> objects_; // one reference each
    bool closed_ = false;
};

// Tells clients of a change to a control's element, as the system does by
// itself for windows.
void NotifyAccessible(const Form& form, DWORD event, const Control& control);
// A picture box has just appeared: its labels, which have no window for the
// system to announce, are announced with it; an alert is read out.
void AnnounceShown(const Form& form, const Control& box);

} // namespace fx
