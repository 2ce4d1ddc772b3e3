// What screen readers see of a container (Container.h): an IAccessible of
// ours whose children are the controls the container holds, in table order:
// native controls through the system's own objects, labels as text elements
// of the container (they have no window the system could describe), picture
// boxes as objects of ours. oleacc, ole32 and oleaut32 are loaded when a
// client first asks, so a start-up without one pays nothing. The container's
// members that hand the object out and end it are here too: Container.cpp
// stays free of COM.
#include "Controls.h"
#include "SystemLibraries.h"

#include <oleacc.h>

#include <string>

namespace fx {

namespace {

// The COM and accessibility functions, bound from the system folder when a
// client first asks. The libraries stay loaded: objects handed out run in
// them until the process ends.
struct OleFunctions {
    decltype(&CoDisconnectObject) disconnect;
    decltype(&SysAllocString) allocString;
    decltype(&LresultFromObject) lresultFromObject;
    decltype(&CreateStdAccessibleObject) createStdObject;
    bool complete() const { return disconnect && allocString && lresultFromObject && createStdObject; }
};

const OleFunctions& Ole() {
    static const OleFunctions ole = [] {
        const HMODULE com = LoadSystemLibrary(L"ole32.dll");
        // LresultFromObject marshals through COM, which the serving thread
        // must have started; this is that thread, and it keeps COM to its end.
        if (const auto start = ModuleFunction<decltype(&CoInitializeEx)>(com, "CoInitializeEx"))
            start(nullptr, COINIT_APARTMENTTHREADED);
        const HMODULE acc = LoadSystemLibrary(L"oleacc.dll");
        return OleFunctions{
            ModuleFunction<decltype(&CoDisconnectObject)>(com, "CoDisconnectObject"),
            ModuleFunction<decltype(&SysAllocString)>(LoadSystemLibrary(L"oleaut32.dll"), "SysAllocString"),
            ModuleFunction<decltype(&LresultFromObject)>(acc, "LresultFromObject"),
            ModuleFunction<decltype(&CreateStdAccessibleObject)>(acc, "CreateStdAccessibleObject"),
        };
    }();
    return ole;
}

// What a user is told a command or link does.
constexpr wchar_t kPressAction[] = L"اضغط";
constexpr wchar_t kOpenAction[] = L"افتح";

bool IsLabel(const Control& c) { return c.design().kind == Kind::Label; }

VARIANT Long(long value) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = value;
    return v;
}

HRESULT Text(const std::wstring& text, BSTR* out) {
    *out = nullptr;
    if (text.empty()) return S_FALSE;
    *out = Ole().allocString(text.c_str());
    return *out ? S_OK : E_OUTOFMEMORY;
}

RECT ToScreen(HWND from, RECT r) {
    MapWindowPoints(from, HWND_DESKTOP, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

long RoleOf(AccessRole role) {
    switch (role) {
    case AccessRole::Command: return ROLE_SYSTEM_PUSHBUTTON;
    case AccessRole::Link: return ROLE_SYSTEM_LINK;
    case AccessRole::Alert: return ROLE_SYSTEM_ALERT;
    case AccessRole::Pane: break;
    }
    return ROLE_SYSTEM_PANE;
}

} // namespace

// The object of one container. Its own element (CHILDID_SELF) is the
// container: the window's client area, or the picture box as its design
// describes it. Child ids 1..n are the controls it holds that exist, in
// table order.
class AccessibleObject final : public IAccessible {
public:
    explicit AccessibleObject(const Container& owner)
        : owner_(&owner), container_(owner.hwnd()), box_(owner.box()) {}
    void Disconnect() noexcept { owner_ = nullptr; }

    // --- IUnknown, IDispatch (no type information: clients call IAccessible)
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        const bool ours = iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible);
        *out = ours ? this : nullptr;
        if (!ours) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ULONG(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0) delete this;
        return ULONG(left);
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) *count = 0;
        return count ? S_OK : E_POINTER;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // --- IAccessible: the tree
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) return E_POINTER;
        *parent = nullptr;
        if (!owner_) return RPC_E_DISCONNECTED;
        if (box_) {
            *parent = box_->container().AccessibleObjectRef();
            return *parent ? S_OK : RPC_E_DISCONNECTED;
        }
        return Ole().createStdObject(container_, OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) return E_POINTER;
        if (!owner_) return RPC_E_DISCONNECTED;
        *count = long(Children().size());
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (!owner_) return RPC_E_DISCONNECTED;
        const Control* c = nullptr;
        if (!Resolve(child, c) || !c) return E_INVALIDARG;
        *out = ObjectOf(*c);
        return *out ? S_OK : S_FALSE; // a label is an element of ours, not an object
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* out) override {
        if (!out) return E_POINTER;
        V_VT(out) = VT_EMPTY;
        if (!owner_) return RPC_E_DISCONNECTED;
        const Control* c = nullptr;
        if (!Resolve(start, c)) return E_INVALIDARG;
        const long count = long(Children().size());
        if (!c) {
            if (direction == NAVDIR_FIRSTCHILD && count) return Element(1, out);
            if (direction == NAVDIR_LASTCHILD && count) return Element(count, out);
            if ((direction == NAVDIR_NEXT || direction == NAVDIR_PREVIOUS) && box_) { // among the box's siblings
                AccessibleObject* parent = box_->container().AccessibleObjectRef();
                if (!parent) return RPC_E_DISCONNECTED;
                const HRESULT hr = parent->accNavigate(direction, Long(parent->IdOf(*box_)), out);
                parent->Release();
                return hr;
            }
            return S_FALSE;
        }
        const long id = V_I4(&start);
        if (direction == NAVDIR_NEXT && id < count) return Element(id + 1, out);
        if (direction == NAVDIR_PREVIOUS && id > 1) return Element(id - 1, out);
        // A child's own children could only be answered by ids of its own
        // object, which the client would read as ids of this one: it asks
        // that object (as with the system's objects).
        if (direction == NAVDIR_FIRSTCHILD || direction == NAVDIR_LASTCHILD) return E_INVALIDARG;
        return S_FALSE; // no spatial navigation, nothing beyond the ends
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* out) override {
        if (!out) return E_POINTER;
        V_VT(out) = VT_EMPTY;
        if (!owner_) return RPC_E_DISCONNECTED;
        const POINT pt{x, y};
        const RECT self = ScreenRect(nullptr);
        if (!PtInRect(&self, pt)) return S_FALSE;
        const auto children = Children();
        // Windows lie above the labels; among them, table order is stacking order.
        for (size_t i = 0; i < children.size(); ++i) {
            RECT r{};
            const HWND h = children[i]->hwnd();
            if (h && IsWindowVisible(h) && GetWindowRect(h, &r) && PtInRect(&r, pt)) return Element(long(i + 1), out);
        }
        for (size_t i = 0; i < children.size(); ++i) {
            const RECT r = ScreenRect(children[i]);
            if (IsLabel(*children[i]) && IsWindowVisible(container_) && PtInRect(&r, pt))
                return Element(long(i + 1), out);
        }
        *out = Long(CHILDID_SELF);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* out) override {
        if (!out) return E_POINTER;
        V_VT(out) = VT_EMPTY;
        if (!owner_) return RPC_E_DISCONNECTED;
        const HWND focus = GetFocus();
        if (!focus) return S_FALSE;
        if (focus == container_) {
            *out = Long(CHILDID_SELF);
            return S_OK;
        }
        const auto children = Children();
        for (size_t i = 0; i < children.size(); ++i)
            if (children[i]->HoldsFocus(focus)) return Element(long(i + 1), out);
        return S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* out) override {
        if (out) V_VT(out) = VT_EMPTY;
        return owner_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
    }

    // --- IAccessible: one element's properties
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return About(child, [&](const Control* c) { return Text(NameOf(c), out); },
                     [&](IAccessible* o) { return o->get_accName(Long(CHILDID_SELF), out); });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return About(child,
                     [&](const Control* c) {
                         const AccessibleDesign* a = Design(c);
                         return a && a->role == AccessRole::Link ? Text(a->value ? a->value : L"", out) : DISP_E_MEMBERNOTFOUND;
                     },
                     [&](IAccessible* o) { return o->get_accValue(Long(CHILDID_SELF), out); });
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* out) override {
        return NoText(child, out, &IAccessible::get_accDescription);
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* out) override {
        return NoText(child, out, &IAccessible::get_accHelp);
    }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
        if (file) *file = nullptr;
        if (topic) *topic = 0;
        return owner_ ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* out) override {
        return NoText(child, out, &IAccessible::get_accKeyboardShortcut);
    }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* out) override {
        if (!out) return E_POINTER;
        V_VT(out) = VT_EMPTY;
        return About(child,
                     [&](const Control* c) {
                         *out = Long(c ? ROLE_SYSTEM_STATICTEXT : box_ ? RoleOf(Role()) : ROLE_SYSTEM_CLIENT);
                         return S_OK;
                     },
                     [&](IAccessible* o) { return o->get_accRole(Long(CHILDID_SELF), out); });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* out) override {
        if (!out) return E_POINTER;
        V_VT(out) = VT_EMPTY;
        return About(child, [&](const Control* c) {
            // A label shows while its container does.
            long state = IsWindowVisible(container_) ? 0 : STATE_SYSTEM_INVISIBLE;
            if (c) state |= STATE_SYSTEM_READONLY;
            else if (!box_ || Acts(Design(nullptr))) {
                state |= STATE_SYSTEM_FOCUSABLE;
                if (GetFocus() == container_) state |= STATE_SYSTEM_FOCUSED;
                if (box_ && Role() == AccessRole::Link) state |= STATE_SYSTEM_LINKED;
            }
            *out = Long(state);
            return S_OK;
        }, [&](IAccessible* o) { return o->get_accState(Long(CHILDID_SELF), out); });
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        return About(child,
                     [&](const Control* c) {
                         if (!Acts(Design(c))) return DISP_E_MEMBERNOTFOUND;
                         return Text(Role() == AccessRole::Link ? kOpenAction : kPressAction, out);
                     },
                     [&](IAccessible* o) { return o->get_accDefaultAction(Long(CHILDID_SELF), out); });
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        return About(child,
                     [&](const Control* c) {
                         // Posted, as a click arrives: the client is not kept
                         // waiting, and the program may end in the handler.
                         if (!Acts(Design(c))) return DISP_E_MEMBERNOTFOUND;
                         return PostMessageW(container_, BM_CLICK, 0, 0) ? S_OK : E_FAIL;
                     },
                     [&](IAccessible* o) { return o->accDoDefaultAction(Long(CHILDID_SELF)); });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
        return About(child,
                     [&](const Control* c) {
                         if (c || !(flags & SELFLAG_TAKEFOCUS) || (box_ && !Acts(Design(nullptr))))
                             return DISP_E_MEMBERNOTFOUND;
                         SetFocus(container_);
                         return S_OK;
                     },
                     [&](IAccessible* o) { return o->accSelect(flags, Long(CHILDID_SELF)); });
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override {
        if (!left || !top || !width || !height) return E_POINTER;
        *left = *top = *width = *height = 0;
        return About(child,
                     [&](const Control* c) {
                         const RECT r = ScreenRect(c);
                         *left = r.left, *top = r.top, *width = r.right - r.left, *height = r.bottom - r.top;
                         return S_OK;
                     },
                     [&](IAccessible* o) { return o->accLocation(left, top, width, height, Long(CHILDID_SELF)); });
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    long IdOf(const Control& control) const {
        const auto children = Children();
        for (size_t i = 0; i < children.size(); ++i)
            if (children[i] == &control) return long(i + 1);
        return CHILDID_SELF;
    }

private:
    ~AccessibleObject() = default;

    // The controls of the container that exist (some are made late).
    std::vector<const Control*> Children() const {
        std::vector<const Control*> children;
        for (const Control* c : owner_->children())
            if (c->Created()) children.push_back(c);
        return children;
    }
    // CHILDID_SELF gives null; false for anything but a child id of ours.
    bool Resolve(const VARIANT& child, const Control*& c) const {
        if (V_VT(&child) != VT_I4) return false;
        const long id = V_I4(&child);
        const auto children = Children();
        if (id < 0 || id > long(children.size())) return false;
        c = id == CHILDID_SELF ? nullptr : children[size_t(id - 1)];
        return true;
    }
    // A child's own object (a new reference); null for a label.
    IAccessible* ObjectOf(const Control& c) const {
        if (IsLabel(c)) return nullptr;
        if (const Container* box = c.AsContainer()) return box->AccessibleObjectRef();
        void* object = nullptr;
        return SUCCEEDED(Ole().createStdObject(c.hwnd(), OBJID_WINDOW, __uuidof(IAccessible), &object))
                   ? static_cast<IAccessible*>(object)
                   : nullptr;
    }
    // A child as a client expects it: its object, or the id of a label.
    HRESULT Element(long id, VARIANT* out) const {
        if (IAccessible* object = ObjectOf(*Children().at(size_t(id - 1)))) {
            V_VT(out) = VT_DISPATCH;
            V_DISPATCH(out) = object;
        } else {
            *out = Long(id);
        }
        return S_OK;
    }
    // A text property that neither this object nor its labels have; a child
    // with an object of its own is asked for its own.
    HRESULT NoText(const VARIANT& child, BSTR* out, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) const {
        if (!out) return E_POINTER;
        *out = nullptr;
        return About(child, [](const Control*) { return S_FALSE; },
                     [&](IAccessible* o) { return (o->*get)(Long(CHILDID_SELF), out); });
    }
    // `own` answers for this object and its labels (null: the object
    // itself); a child with an object of its own is asked through `forward`.
    template <class Own, class Call>
    HRESULT About(const VARIANT& child, Own own, Call forward) const {
        if (!owner_) return RPC_E_DISCONNECTED;
        const Control* c = nullptr;
        if (!Resolve(child, c)) return E_INVALIDARG;
        if (c && !IsLabel(*c)) {
            IAccessible* object = ObjectOf(*c);
            if (!object) return E_FAIL;
            const HRESULT hr = forward(object);
            object->Release();
            return hr;
        }
        return own(c);
    }

    const AccessibleDesign* Design(const Control* c) const { return c || !box_ ? nullptr : box_->design().accessible; }
    AccessRole Role() const {
        const AccessibleDesign* a = Design(nullptr);
        return a ? a->role : AccessRole::Pane;
    }
    std::wstring NameOf(const Control* c) const {
        if (c) return static_cast<const Label&>(*c).Caption();
        const AccessibleDesign* a = Design(nullptr);
        std::wstring name = a && a->name ? a->name : L"";
        if (Role() == AccessRole::Link && a->value) (name += name.empty() ? L"" : L" ") += a->value;
        if (Role() == AccessRole::Alert) // read as its message
            for (const Control* child : Children())
                if (IsLabel(*child)) (name += name.empty() ? L"" : L" ") += static_cast<const Label&>(*child).Caption();
        return name;
    }
    // The container: its client area for the form's window, the whole box
    // for a picture box; a label: its box.
    RECT ScreenRect(const Control* c) const {
        RECT r{};
        if (c) return ToScreen(container_, c->Bounds());
        if (box_) GetWindowRect(container_, &r);
        else GetClientRect(container_, &r), r = ToScreen(container_, r);
        return r;
    }

    LONG refs_ = 1;
    const Container* owner_; // null once disconnected
    HWND container_;
    const Control* box_ = nullptr; // the picture box, or null for the form's window
};

LRESULT Container::AnswerGetObject(WPARAM wp, LPARAM lp) {
    if (DWORD(lp) != DWORD(OBJID_CLIENT) || !Ole().complete()) return 0;
    AccessibleObject* object = AccessibleObjectRef();
    if (!object) return 0;
    const LRESULT result = Ole().lresultFromObject(__uuidof(IAccessible), wp, object);
    object->Release();
    return result > 0 ? result : 0;
}

AccessibleObject* Container::AccessibleObjectRef() const {
    if (disconnected_) return nullptr;
    if (!accessible_) accessible_ = new AccessibleObject(*this);
    accessible_->AddRef();
    return accessible_;
}

void Container::DisconnectAccessible() {
    disconnected_ = true;
    if (!accessible_) return;
    accessible_->Disconnect();
    // Drops what COM holds for clients in other processes: their calls now
    // fail in their own process.
    Ole().disconnect(accessible_, 0);
    std::exchange(accessible_, nullptr)->Release();
}

} // namespace fx
