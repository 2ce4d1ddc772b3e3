#include "Form.h"

#include "FileList.h"
#include "PictureBox.h"

#include <algorithm>

namespace fx {

namespace {
constexpr int kFirstControlId = 100;

std::unique_ptr<Control> MakeControl(Form& form, const ControlDesign& d) {
    switch (d.kind) {
    case Kind::PictureBox: return std::make_unique<PictureBox>(form, d);
    case Kind::Label: return std::make_unique<Label>(form, d);
    case Kind::Button: return std::make_unique<Button>(form, d);
    case Kind::TextBox: return std::make_unique<TextBox>(form, d);
    case Kind::ListBox: return std::make_unique<ListBox>(form, d);
    case Kind::ComboBox: return std::make_unique<ComboBox>(form, d);
    case Kind::FileList: return std::make_unique<FileList>(form, d);
    }
    return nullptr;
}

bool CanWait(const ControlDesign& d, const TwipRect& seen) {
    const bool windowed = d.kind != Kind::Label && d.kind != Kind::PictureBox;
    const TwipRect& p = d.place;
    const bool outside = p.left >= seen.left + seen.width || p.top >= seen.top + seen.height ||
                         p.left + p.width <= seen.left || p.top + p.height <= seen.top;
    return windowed && d.container == kOnWindow && (!d.visible || outside);
}
} // namespace

Form::Form(std::span<const ControlDesign> designs, Units units) : designs_(designs), units_(units) {
    controls_.reserve(designs.size());
    for (const ControlDesign& d : designs) controls_.push_back(MakeControl(*this, d));
}

Form::~Form() { DisconnectAccessibility(); }

void Form::Create(HWND window, const TwipRect* firstSeen) {
    window_ = window;
    // Each new sibling goes to the bottom of the stacking order, so creating
    // in table order leaves earlier rows above later ones.
    for (size_t i = 0; i < controls_.size(); ++i)
        if (!firstSeen || !CanWait(designs_[i], *firstSeen)) CreateRow(i);
    Dock();
}

void Form::CreateUnseen() {
    HWND above = HWND_TOP; // the nearest earlier sibling on the window
    for (size_t i = 0; i < controls_.size(); ++i) {
        Control& c = *controls_[i];
        if (designs_[i].container != kOnWindow) continue;
        if (!c.container()) {
            CreateRow(i);
            SetWindowPos(c.hwnd(), above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        }
        if (c.hwnd()) above = c.hwnd();
    }
}

bool Form::Complete() const {
    return std::all_of(controls_.begin(), controls_.end(), [](const auto& c) { return c->container() != nullptr; });
}

void Form::CreateRow(size_t row) {
    const int container = designs_[row].container;
    controls_[row]->Create(container == kOnWindow ? window_ : controls_.at(size_t(container))->hwnd());
}

bool Form::SetUnits(Units units) {
    if (units == units_) return false;
    units_ = units;
    for (const auto& c : controls_)
        if (c->container()) c->Rescale();
    Dock();
    return true;
}

int Form::IdOf(const Control& control) const {
    for (size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i].get() == &control) return kFirstControlId + int(i);
    return 0;
}

int Form::RowOfId(int id) const {
    const int row = id - kFirstControlId;
    return (row >= 0 && row < int(controls_.size())) ? row : -1;
}

void Form::PaintLabels(HWND container, HDC dc, const RECT& dirty) const {
    for (const auto& c : controls_) {
        if (c->design().kind != Kind::Label || c->container() != container) continue;
        RECT bounds = c->Bounds(), overlap;
        if (IntersectRect(&overlap, &bounds, &dirty)) static_cast<const Label&>(*c).Paint(dc);
    }
}

bool Form::DrawItem(const DRAWITEMSTRUCT& item) const {
    const int row = RowOfId(int(item.CtlID));
    if (row < 0 || designs_[size_t(row)].kind != Kind::Button) return false;
    static_cast<const Button&>(*controls_[size_t(row)]).Draw(item);
    return true;
}

bool Form::IsOnLabel(HWND container, POINT pt) const {
    return std::any_of(controls_.begin(), controls_.end(), [&](const auto& c) {
        const RECT r = c->Bounds();
        return c->design().kind == Kind::Label && c->container() == container && PtInRect(&r, pt);
    });
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

    // A combo box's focus sits in its edit child.
    auto owns = [](const Control* c, HWND h) { return h && (c->hwnd() == h || IsChild(c->hwnd(), h)); };
    const auto current = std::find_if(order.begin(), order.end(), [&](const Control* c) { return owns(c, from); });
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

LRESULT Form::AnswerGetObject(HWND container, WPARAM wp, LPARAM lp) {
    if (!accessibility_) accessibility_ = std::make_unique<Accessibility>(*this);
    return accessibility_->Answer(container, wp, lp);
}

void Form::DisconnectAccessibility() {
    if (accessibility_) accessibility_->Disconnect();
}

} // namespace fx
