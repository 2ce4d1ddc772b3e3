// Screenshots of a window as it stands on the (virtual) screen, saved as PNG
// so that a person can look at what a test saw.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace testing_support {

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels; // 0x00RRGGBB, rows top-down
    std::uint32_t At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

// Copies the window's outer rectangle from the screen.
Image CaptureWindow(HWND hwnd);
// Reads back what the window has painted in part of its client area.
Image CaptureClientArea(HWND hwnd, const RECT& area);
// Writes the image as a PNG file; false when it could not be written.
bool SavePng(const Image& image, const std::filesystem::path& file);
// Where tests save screenshots: "screenshots" beside the test programs.
std::filesystem::path ScreenshotFolder();

} // namespace testing_support
