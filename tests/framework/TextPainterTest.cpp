// Line breaking of label text: paragraphs at CR LF, words at spaces.
#include "Fonts.h"
#include "Handles.h"
#include "TextPainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>

namespace {

class TextPainterTest : public ::testing::Test {
protected:
    fx::WindowDC screen{nullptr};
    fx::MemoryDC dc{CreateCompatibleDC(screen.get())};
    fx::UniqueFont font = fx::CreateDesignFont({L"Tahoma", 12, DEFAULT_CHARSET}, 96);
    fx::SelectGuard select{dc.get(), font.get()};

    std::vector<std::wstring> Wrap(std::wstring_view text, int width) {
        std::vector<std::wstring> out;
        for (auto line : fx::WrapLines(dc.get(), text, width, false)) out.emplace_back(line);
        return out;
    }
};

// Line breaks start new lines (a final one adds none); within the width,
// lines wrap at spaces and a long word stays whole.
TEST_F(TextPainterTest, BreaksAtLineBreaksAndWrapsAtSpacesWithinTheWidth) {
    EXPECT_EQ(Wrap(L"one\r\ntwo\r\nthree\r\n\r\n", 10000),
              (std::vector<std::wstring>{L"one", L"two", L"three", L""}));
    EXPECT_EQ(Wrap(L"a\nb\rc", 10000), (std::vector<std::wstring>{L"a", L"b", L"c"}));

    const int wordWidth = std::max(fx::MeasureLine(dc.get(), L"alpha beta", false),
                                   fx::MeasureLine(dc.get(), L"gamma delta", false));
    ASSERT_GT(wordWidth, 0);
    ASSERT_GT(fx::MeasureLine(dc.get(), L"alpha beta gamma", false), wordWidth);
    const auto lines = Wrap(L"alpha beta gamma delta", wordWidth);
    EXPECT_EQ(lines, (std::vector<std::wstring>{L"alpha beta", L"gamma delta"}));
    for (const auto& line : lines) EXPECT_LE(fx::MeasureLine(dc.get(), line, false), wordWidth);

    EXPECT_EQ(Wrap(L"unbreakable", 3), (std::vector<std::wstring>{L"unbreakable"}));
}

// A paragraph that fits is drawn from its one shaping, one that does not
// from its wrapped lines: both paths must put the same pixels down.
TEST_F(TextPainterTest, WrappedParagraphDrawsAsTheSameLinesGivenApart) {
    const int width = std::max(fx::MeasureLine(dc.get(), L"alpha beta", false),
                               fx::MeasureLine(dc.get(), L"gamma delta", false));
    const RECT box{0, 0, width, 200};
    auto render = [&](std::wstring_view text, const fx::TextLayout& layout) {
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -200, 1, 32, BI_RGB};
        void* bits = nullptr;
        fx::UniqueBitmap bitmap(CreateDIBSection(dc.get(), &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        fx::SelectGuard target(dc.get(), bitmap.get());
        PatBlt(dc.get(), 0, 0, width, 200, WHITENESS);
        fx::DrawWrappedText(dc.get(), box, text, layout);
        GdiFlush();
        const auto* p = static_cast<const uint32_t*>(bits);
        return std::vector<uint32_t>(p, p + size_t(width) * 200);
    };
    for (const fx::TextLayout layout : {fx::TextLayout{false, false}, fx::TextLayout{true, false}}) {
        const auto wrapped = render(L"alpha beta gamma delta", layout);
        EXPECT_EQ(wrapped, render(L"alpha beta\r\ngamma delta", layout)) << "centred " << layout.centred;
        EXPECT_NE(wrapped, render(L"", layout)); // something was drawn at all
    }
}

TEST_F(TextPainterTest, ArabicIsMeasuredAsShapedText) {
    // Joined letters are narrower than the same letters measured apart.
    const std::wstring word = L"تثبيت";
    int apart = 0;
    for (wchar_t c : word) apart += fx::MeasureLine(dc.get(), std::wstring(1, c), true);
    const int joined = fx::MeasureLine(dc.get(), word, true);
    EXPECT_GT(joined, 0);
    EXPECT_LT(joined, apart);
}

// A face the system has is drawn as designed, even where its text is cut;
// a stand-in for a missing face is made smaller until the text fits, and
// past two thirds of its size the fallback face takes over.
TEST_F(TextPainterTest, OnlyAStandInIsFittedToItsBox) {
    const std::wstring text = L"alpha beta gamma delta";
    const fx::TextLayout layout{true, false};
    TEXTMETRICW tm{};
    GetTextMetricsW(dc.get(), &tm);
    const RECT twoLinesTooLow{0, 0, fx::MeasureLine(dc.get(), L"alpha beta", false), tm.tmHeight * 3 / 2};
    ASSERT_FALSE(fx::FitsBox(dc.get(), twoLinesTooLow, text, layout));
    EXPECT_FALSE(fx::FitFont(dc.get(), font.get(), twoLinesTooLow, text, layout));

    const fx::UniqueFont missing = fx::WithFace(font.get(), L"Mirvashel No Such Face");
    LOGFONTW lf{};
    const fx::UniqueFont fitted = fx::FitFont(dc.get(), missing.get(), twoLinesTooLow, text, layout);
    ASSERT_TRUE(fitted && GetObjectW(fitted.get(), sizeof lf, &lf));
    EXPECT_LT(-lf.lfHeight, 16);
    fx::SelectGuard selected(dc.get(), fitted.get());
    EXPECT_TRUE(fx::FitsBox(dc.get(), twoLinesTooLow, text, layout));
    const fx::UniqueFont smallest = fx::FitFont(dc.get(), missing.get(), RECT{0, 0, 5, 5}, text, layout);
    ASSERT_TRUE(smallest && GetObjectW(smallest.get(), sizeof lf, &lf));
    EXPECT_EQ(-lf.lfHeight, 11);
    EXPECT_STREQ(lf.lfFaceName, fx::kFallbackFace);
}

} // namespace
