#include "Png.h"

#include "Handles.h"

// GDI+ needs the OLE declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objbase.h>
#include <objidl.h>

#include <gdiplus.h>

namespace testing_support {

namespace {
Image Capture(HDC source, const RECT& r) {
    Image image;
    image.width = r.right - r.left;
    image.height = r.bottom - r.top;
    fx::MemoryDC memory(CreateCompatibleDC(source));
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), image.width, -image.height, 1, 32, BI_RGB};
    void* bits = nullptr;
    fx::UniqueBitmap dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        fx::SelectGuard select(memory.get(), dib.get());
        BitBlt(memory.get(), 0, 0, image.width, image.height, source, r.left, r.top, SRCCOPY);
    }
    GdiFlush();
    const auto* src = static_cast<const std::uint32_t*>(bits);
    image.pixels.assign(src, src + size_t(image.width) * size_t(image.height));
    for (auto& p : image.pixels) p &= 0xFFFFFF;
    return image;
}
} // namespace

Image CaptureWindow(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return Capture(fx::WindowDC(nullptr).get(), r);
}

Image CaptureClientArea(HWND hwnd, const RECT& area) { return Capture(fx::WindowDC(hwnd).get(), area); }

bool SavePng(const Image& image, const std::filesystem::path& file) {
    // GDI+ is part of every Windows and of Wine, and writes PNG.
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return false;
    Gdiplus::Status status;
    {
        std::vector<std::uint32_t> pixels = image.pixels;
        Gdiplus::Bitmap bitmap(image.width, image.height, image.width * 4, PixelFormat32bppRGB,
                               reinterpret_cast<BYTE*>(pixels.data()));
        CLSID pngEncoder;
        CLSIDFromString(L"{557CF406-1A04-11D3-9A73-0000F81EF32E}", &pngEncoder);
        std::filesystem::create_directories(file.parent_path());
        status = bitmap.Save(file.c_str(), &pngEncoder, nullptr);
    }
    Gdiplus::GdiplusShutdown(token);
    return status == Gdiplus::Ok;
}

std::filesystem::path ScreenshotFolder() { return std::filesystem::absolute(L"screenshots"); }

} // namespace testing_support
