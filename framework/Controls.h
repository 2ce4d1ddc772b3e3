// The controls a form is built from: windowless labels painted by their
// container, native BUTTON/EDIT/LISTBOX/COMBOBOX windows, and picture boxes
// (PictureBox.h). Places and sizes are twips, as in the design.
#pragma once

#include "Container.h"
#include "TextPainter.h"

#include <string>
#include <string_view>
#include <vector>

namespace fx {

// A control with a native window of a system class.
class WindowedControl : public Control {
public:
    using Control::Control;
    static constexpr bool Holds(Kind k) { return k != Kind::Label && k != Kind::PictureBox; }
    HWND hwnd() const noexcept override { return hwnd_; }
    std::wstring Text() const;
    void SetText(std::wstring_view text);

protected:
    void CreateIn(HWND container, const RECT& px) override;
    void PlaceAt(const RECT& px) override;
    virtual const wchar_t* ClassName() const = 0;
    virtual DWORD ExtraStyle() const { return 0; }
    HWND hwnd_ = nullptr; // owned by the container window, destroyed with it
};

// A push button that draws its own caption, centred with Uniscribe's
// measure of the shaped text (the system's button centres Arabic by an
// unshaped measure on some platforms). Frame and focus are the system's.
class Button : public WindowedControl {
public:
    using WindowedControl::WindowedControl;
    static constexpr bool Holds(Kind k) { return k == Kind::Button; }
    void Click() const { SendMessageW(hwnd_, BM_CLICK, 0, 0); }
    bool DrawItem(const DRAWITEMSTRUCT& item) const override;

protected:
    const wchar_t* ClassName() const override { return L"BUTTON"; }
    DWORD ExtraStyle() const override { return BS_OWNERDRAW | WS_TABSTOP; }
};

class TextBox : public WindowedControl {
public:
    using WindowedControl::WindowedControl;
    static constexpr bool Holds(Kind k) { return k == Kind::TextBox; }

protected:
    const wchar_t* ClassName() const override { return L"EDIT"; }
    DWORD ExtraStyle() const override { return ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP; }
};

class ComboBox : public WindowedControl {
public:
    using WindowedControl::WindowedControl;
    static constexpr bool Holds(Kind k) { return k == Kind::ComboBox; }

protected:
    void CreateIn(HWND container, const RECT& px) override;
    void PlaceAt(const RECT& px) override;
    const wchar_t* ClassName() const override { return L"COMBOBOX"; }
    DWORD ExtraStyle() const override { return CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP; }
};

class ListBox : public WindowedControl {
public:
    using WindowedControl::WindowedControl;
    static constexpr bool Holds(Kind k) { return k == Kind::ListBox || k == Kind::FileList; }

    int Count() const;
    void Clear();
    // Adds a row; a sorted list puts it at its alphabetical place.
    void Add(std::wstring_view row);
    // Adds a row that usually sorts after every row already there (the next
    // of an ordered series): then it goes straight to the end, sparing a
    // sorted list its search of every row; otherwise as Add.
    void Append(std::wstring_view row);
    std::wstring Row(int index) const;
    std::vector<std::wstring> Rows() const;
    int SelectedIndex() const;
    std::wstring SelectedText() const;
    // Selects a row and, when the selection changed, tells the container as
    // a user's click would, so one handler serves both.
    void Select(int index);

    // Suspends repainting while many rows are added or selected in turn.
    class BatchUpdate {
    public:
        explicit BatchUpdate(ListBox& list, int expectedRows = 0);
        ~BatchUpdate();
        BatchUpdate(const BatchUpdate&) = delete;
        BatchUpdate& operator=(const BatchUpdate&) = delete;

    private:
        ListBox& list_;
    };

    // Appends a series of rows as Append does, asking the list for its
    // locale and last row only once: later rows are compared with the row
    // appended before them. Only this object may add rows while it lives.
    class OrderedAppend {
    public:
        explicit OrderedAppend(ListBox& list);
        void operator()(std::wstring_view row);

    private:
        ListBox& list_;
        LCID locale_;
        std::wstring last_;
    };

protected:
    const wchar_t* ClassName() const override { return L"LISTBOX"; }
    DWORD ExtraStyle() const override;
};

// A windowless caption painted by its container beneath its windowed
// controls: centred or not, wrapped at word boundaries, clipped to its box.
// Text that would not show whole in its font (another face stands in for
// the designed one) is drawn smaller, or in the fallback face (FitFont).
class Label : public Control {
public:
    using Control::Control;
    ~Label() override;
    static constexpr bool Holds(Kind k) { return k == Kind::Label; }
    RECT Bounds() const override { return bounds_; }
    void SetVisible(bool) override {}
    bool IsVisible() const override { return true; }

    const std::wstring& Caption() const noexcept { return caption_; }
    void SetCaption(std::wstring_view caption);
    HFONT Font() const noexcept { return font_.get(); }
    // Changes only the font's family; false (and the old font kept) when
    // the family cannot be set.
    bool SetFontFace(std::wstring_view face);
    void Paint(HDC dc) const override;

    // The font the caption is drawn in: the label's own, or a smaller one
    // when the caption does not fit in it.
    HFONT DrawnFont(HDC dc) const;

protected:
    void CreateIn(HWND container, const RECT& px) override;
    void PlaceAt(const RECT& px) override;

private:
    void Invalidate() const;
    TextLayout Layout() const;
    RECT bounds_{};
    std::wstring caption_;
    // Found on the first paint after the caption, font or box changed.
    mutable UniqueFont fitted_;
    mutable bool fitKnown_ = false;
    // Set from invalidation to the next paint: a label already waiting for
    // its repaint is not invalidated again (a countdown changes it far more
    // often than it is painted).
    mutable bool paintPending_ = false;
    // Screen readers hear a new caption once it has held for a frame: a
    // countdown is announced at the pace it is shown, its last value always
    // (also where a window covers the label and it is never painted).
    void AnnounceSoon();
    static void CALLBACK Announce(HWND container, UINT, UINT_PTR label, DWORD);
    bool announcePending_ = false;
};

} // namespace fx
