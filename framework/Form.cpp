#include "Form.h"

#include "FileList.h"
#include "PictureBox.h"

#include <algorithm>

namespace fx {

namespace {
constexpr int kFirstControlId = 100;

std::unique_ptr<Control> MakeControl(Container& container, const ControlDesign& d, int id) {
    switch (d.kind) {
    case Kind::PictureBox: return std::make_unique<PictureBox>(container, d, id);
    case Kind::Label: return std::make_unique<Label>(container, d, id);
    case Kind::Button: return std::make_unique<Button>(container, d, id);
    case Kind::TextBox: return std::make_unique<TextBox>(container, d, id);
    case Kind::ListBox: return std::make_unique<ListBox>(container, d, id);
    case Kind::ComboBox: return std::make_unique<ComboBox>(container, d, id);
    case Kind::FileList: return std::make_unique<FileList>(container, d, id);
    }
    return nullptr;
}

bool CanWait(const ControlDesign& d, const TwipRect& seen) {
    const TwipRect& p = d.place;
    const bool outside = p.left >= seen.left + seen.width || p.top >= seen.top + seen.height ||
                         p.left + p.width <= seen.left || p.top + p.height <= seen.top;
    return WindowedControl::Holds(d.kind) && d.container == kOnWindow && (!d.visible || outside);
}
} // namespace

Form::Form(std::span<const ControlDesign> designs, Container& window) : window_(window) {
    controls_.reserve(designs.size());
    for (const ControlDesign& d : designs) {
        // A container's row comes before the rows it holds.
        Container* container = d.container == kOnWindow ? &window : &Get<PictureBox>(d.container);
        controls_.push_back(MakeControl(*container, d, kFirstControlId + int(controls_.size())));
        container->Adopt(*controls_.back());
    }
}

void Form::Create(const TwipRect* firstSeen) {
    // Each new sibling goes to the bottom of the stacking order, so creating
    // in table order leaves earlier rows above later ones.
    for (const auto& c : controls_)
        if (!firstSeen || !CanWait(c->design(), *firstSeen)) c->Create();
    Dock();
}

void Form::CreateUnseen() {
    HWND above = HWND_TOP; // the nearest earlier sibling on the window
    for (Control* c : window_.children()) {
        if (!c->Created()) {
            c->Create();
            SetWindowPos(c->hwnd(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        if (c->hwnd()) above = c->hwnd();
    }
}

bool Form::Complete() const {
    return std::all_of(controls_.begin(), controls_.end(), [](const auto& c) { return c->Created(); });
}

bool Form::SetUnits(Units units) {
    if (units == window_.units()) return false;
    window_.SetUnits(units);
    for (const auto& c : controls_)
        if (c->Created()) c->Rescale();
    Dock();
    return true;
}

int Form::RowOfId(int id) const {
    const int row = id - kFirstControlId;
    return (row >= 0 && row < int(controls_.size())) ? row : -1;
}

void Form::Dock() {
    // WM_SIZE arrives inside CreateWindowExW already, before any control exists.
    for (const auto& c : controls_)
        if (c->design().kind == Kind::PictureBox && c->hwnd()) static_cast<PictureBox&>(*c).Dock();
}

HWND Form::NextTabStop(HWND from, bool backwards) const {
    // Candidates in tab-index order; labels take no focus, and of the
    // picture boxes only those that act when clicked.
    std::vector<const Control*> order;
    for (const auto& c : controls_) {
        const Kind k = c->design().kind;
        if (k != Kind::Label && (k != Kind::PictureBox || Acts(c->design().accessible))) order.push_back(c.get());
    }
    std::sort(order.begin(), order.end(),
              [](const Control* a, const Control* b) { return a->design().tabIndex < b->design().tabIndex; });
    if (order.empty()) return nullptr;

    const auto current = std::find_if(order.begin(), order.end(), [&](const Control* c) { return c->HoldsFocus(from); });
    const int n = int(order.size());
    int start = current == order.end() ? (backwards ? 0 : n - 1) : int(current - order.begin());
    for (int step = 1; step <= n; ++step) {
        const int i = ((start + (backwards ? -step : step)) % n + n) % n;
        const Control* c = order[size_t(i)];
        if (c->IsVisible() && IsWindowEnabled(c->hwnd())) return c->hwnd();
    }
    return nullptr;
}

void Form::FocusByKeyboard(HWND control) const {
    // Windows hides focus rectangles until the keyboard is used.
    SendMessageW(GetAncestor(control, GA_ROOT), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    SetFocus(control);
}

} // namespace fx
