// A picture box: a child window with a background colour, an optional
// one-pixel border, an optional image drawn at its own size from the top-left
// corner, and the labels it contains. A left click (or BM_CLICK) is reported
// to the container as WM_COMMAND with the kPictureClicked code. A box that
// acts when clicked (its accessible design) also takes the keyboard focus,
// shows it, and acts on Enter or Space.
#pragma once

#include "Container.h"
#include "Window.h"

namespace fx {

inline constexpr WORD kPictureClicked = 0x7F01;

class PictureBox : public Control, public Container, public BaseWindow<PictureBox> {
public:
    PictureBox(Container& container, const ControlDesign& design, int id)
        : Control(container, design, id), Container(this) {}
    static constexpr bool Holds(Kind k) { return k == Kind::PictureBox; }
    // One window: the control's and the container's.
    HWND hwnd() const noexcept override { return BaseWindow::hwnd(); }
    const Container* AsContainer() const noexcept override { return this; }
    // Takes ownership of the image; it is drawn unscaled and may be cut off.
    void SetImage(UniqueBitmap image);
    // Stretches a docked box across its container's client width.
    void Dock();

protected:
    void CreateIn(HWND container, const RECT& px) override;
    void PlaceAt(const RECT& px) override;
    LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
    void PaintUnder(HDC dc) override;
    void PaintOver(HDC dc) override;

private:
    void ReportClick();
    UniqueBitmap image_;
    UniqueBrush background_;
    bool pressed_ = false;
};

} // namespace fx
