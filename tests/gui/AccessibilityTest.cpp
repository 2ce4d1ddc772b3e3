// The window as a screen reader meets it: the tree of elements, the
// announcements while an install runs, default actions, and references
// that outlive the window. (The system's own objects for native controls are
// stubs under Wine, so the elements of the program's own are asserted.)
#include "RegistrationFixture.h"

#include <oleacc.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace mirvashel;
using namespace testing_support;
using Microsoft::WRL::ComPtr;

namespace {

VARIANT Id(long id) {
    VARIANT v;
    V_VT(&v) = VT_I4;
    V_I4(&v) = id;
    return v;
}

std::wstring Name(IAccessible* a, long id = CHILDID_SELF) {
    BSTR name = nullptr;
    if (a->get_accName(Id(id), &name) != S_OK || !name) return {};
    std::wstring text(name);
    SysFreeString(name);
    return text;
}

// A child's own object, or null for an element of its parent's.
ComPtr<IAccessible> Child(IAccessible* a, long id) {
    ComPtr<IDispatch> child;
    ComPtr<IAccessible> object;
    if (a->get_accChild(Id(id), &child) == S_OK) child.As(&object);
    return object;
}

// The name of an element as an answer gives it: an object, or a child id.
std::wstring NameOf(IAccessible* parent, VARIANT element) {
    ComPtr<IAccessible> object;
    if (V_VT(&element) != VT_DISPATCH) return V_VT(&element) == VT_I4 ? Name(parent, V_I4(&element)) : L"(none)";
    V_DISPATCH(&element)->QueryInterface(IID_PPV_ARGS(&object));
    V_DISPATCH(&element)->Release();
    return object ? Name(object.Get()) : L"?";
}

bool IsAt(IAccessible* a, long id, const RECT& expected) { // on the screen
    long x = 0, y = 0, w = 0, h = 0;
    a->accLocation(&x, &y, &w, &h, Id(id));
    return x == expected.left && y == expected.top && w == expected.right - x && h == expected.bottom - y;
}

// One line per element: indent, role, name (line breaks as ↵) and the
// states that matter. The system's objects for native controls show as
// "window": their texts differ between Windows and Wine, whose are stubs.
void Describe(IAccessible* a, long id, int depth, std::wstring& out) {
    VARIANT role, state;
    const bool window = a->get_accRole(Id(id), &role) != S_OK || V_I4(&role) == ROLE_SYSTEM_WINDOW;
    out += std::wstring(size_t(depth) * 2, L' ');
    if (window || a->get_accState(Id(id), &state) != S_OK) return void(out += L"window\n");
    wchar_t roleText[64] = {};
    GetRoleTextW(DWORD(V_I4(&role)), roleText, 64);
    std::wstring name = Name(a, id);
    for (size_t at; (at = name.find(L"\r\n")) != std::wstring::npos;) name.replace(at, 2, L"↵");
    out += roleText + (L" \"" + name + L"\"");
    for (auto [bit, word] : {std::pair{STATE_SYSTEM_INVISIBLE, L" invisible"}, {STATE_SYSTEM_FOCUSABLE, L" focusable"},
                             {STATE_SYSTEM_FOCUSED, L" focused"}, {STATE_SYSTEM_LINKED, L" linked"}})
        if (V_I4(&state) & bit) out += word;
    out += L"\n";
    long count = 0;
    if (id == CHILDID_SELF) a->get_accChildCount(&count);
    for (long i = 1; i <= count; ++i)
        if (ComPtr<IAccessible> object = Child(a, i)) Describe(object.Get(), CHILDID_SELF, depth + 1, out);
        else Describe(a, i, depth + 1, out);
}

std::wstring Tree(IAccessible* root) {
    std::wstring tree;
    Describe(root, CHILDID_SELF, 0, tree);
    std::string utf8(size_t(WideCharToMultiByte(CP_UTF8, 0, tree.c_str(), -1, nullptr, 0, nullptr, nullptr)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, tree.c_str(), -1, utf8.data(), int(utf8.size()), nullptr, nullptr);
    std::fputs(utf8.c_str(), stdout); // for a person to read
    return tree;
}

const std::wstring kMessage = L"تم تثبيت جميع الخطوط وستيم مسحها حال إعادة التشغيل؛ حتى لا تشغل حيزًا";
const std::wstring kAddress = L"http://example.com/Site/_Pages.php?Series=89";

std::wstring ExpectedTree(const std::wstring& count, bool panelShown) {
    const std::wstring panel = panelShown ? L"\n" : L" invisible\n";
    return L"client \"\" focusable\n"
           L"  push button \"إغلاق\" focusable\n"
           L"  link \"موقعنا " + kAddress + L"\" focusable linked\n"
           L"  window\n"
           L"  alert \"" + kMessage + L"\"" + panel +
           L"    window\n"
           L"    static text \"" + kMessage + L"\"" + panel +
           L"  window\n  window\n  window\n  window\n  window\n  window\n"
           L"  pane \"\"\n"
           L"  static text \"فضلا، قبل تثبيت الخطوط مؤقتًا↵أغلق برنامجي الوورد والفوتوشوب↵ثم اضغط تثبيت↵↵\"\n"
           L"  static text \"" + count + L"\"\n";
}

// The elements' ids in their container's object: its controls in table order.
constexpr long kCloseId = 1, kWebId = 2, kPanelId = 4, kCountId = 13, kMessageId = 2;

class AccessibilityTest : public RegistrationTest {
protected:
    void SetUp() override { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
    void TearDown() override {
        RegistrationTest::TearDown();
        CoUninitialize();
    }
    ComPtr<IAccessible> Root() {
        ComPtr<IAccessible> root;
        AccessibleObjectFromWindow(window->hwnd(), DWORD(OBJID_CLIENT), IID_PPV_ARGS(&root));
        return root;
    }
    HWND Hwnd(Ctl row) { return window->Get<fx::Control>(row).hwnd(); }
};

TEST_F(AccessibilityTest, TreeBeforeAndAfterAnInstall) {
    AddTestFonts(2);
    folder.Write(L"VevoDider\\one.ttf");
    Open();
    ComPtr<IAccessible> root = Root();
    ASSERT_TRUE(root);
    EXPECT_EQ(Tree(root.Get()), ExpectedTree(L"1", false));

    // Places on the screen, and what lies under a point.
    RECT close{}, count = window->Get<fx::Label>(kCountLabel).Bounds();
    GetWindowRect(Hwnd(kClosePicture), &close);
    EXPECT_TRUE(IsAt(root.Get(), kCloseId, close));
    MapWindowPoints(window->hwnd(), nullptr, reinterpret_cast<POINT*>(&count), 2);
    EXPECT_TRUE(IsAt(root.Get(), kCountId, count));
    VARIANT answer;
    root->accHitTest(count.left + 5, count.top + 5, &answer);
    EXPECT_EQ(NameOf(root.Get(), answer), L"1");
    root->accHitTest(close.left + 5, close.top + 5, &answer);
    EXPECT_EQ(NameOf(root.Get(), answer), L"إغلاق");
    SetFocus(Hwnd(kWebLinkPicture));
    root->get_accFocus(&answer);
    EXPECT_EQ(NameOf(root.Get(), answer), L"موقعنا " + kAddress);
    root->accNavigate(NAVDIR_FIRSTCHILD, Id(CHILDID_SELF), &answer);
    EXPECT_EQ(NameOf(root.Get(), answer), L"إغلاق");
    root->accNavigate(NAVDIR_NEXT, Id(kCountId - 1), &answer);
    EXPECT_EQ(NameOf(root.Get(), answer), L"1");
    EXPECT_EQ(root->accNavigate(NAVDIR_NEXT, Id(kCountId), &answer), S_FALSE);
    // The panel's labels are ids of the panel's object: the window's object
    // must not answer with them, which would name its own controls.
    for (long direction : {NAVDIR_FIRSTCHILD, NAVDIR_LASTCHILD}) {
        EXPECT_EQ(root->accNavigate(direction, Id(kPanelId), &answer), E_INVALIDARG) << direction;
        EXPECT_EQ(V_VT(&answer), VT_EMPTY) << direction;
    }

    Click(kInstallButton);
    EXPECT_EQ(Tree(root.Get()), ExpectedTree(L"0", true));
    RECT message = window->Get<fx::Label>(kDoneLabel).Bounds();
    MapWindowPoints(Hwnd(kDonePanel), nullptr, reinterpret_cast<POINT*>(&message), 2);
    EXPECT_TRUE(IsAt(Child(root.Get(), kPanelId).Get(), kMessageId, message));

    // The web picture opens our page once per click, and its default action
    // is a click.
    testing_support::Click(Hwnd(kWebLinkPicture));
    ASSERT_EQ(root->accDoDefaultAction(Id(kWebId)), S_OK);
    Pump();
    ASSERT_EQ(Record().shellCalls.size(), 2u);
    for (const ShellCall& call : Record().shellCalls) EXPECT_EQ(call.operation + L" " + call.file, L"Open " + kAddress);
    EXPECT_EQ(Record().endRequests, 0);
}

// What a screen reader's hook sees: the events of the program's elements,
// each with the element's name at that moment.
struct Seen {
    DWORD event;
    HWND hwnd;
    long child;
    std::wstring name;
    DWORD time;
};
std::vector<Seen> seen;

void CALLBACK OnEvent(HWINEVENTHOOK, DWORD event, HWND hwnd, LONG object, LONG child, DWORD, DWORD time) {
    if (object != OBJID_CLIENT ||
        (event != EVENT_OBJECT_NAMECHANGE && event != EVENT_OBJECT_SHOW && event != EVENT_SYSTEM_ALERT))
        return;
    ComPtr<IAccessible> element;
    VARIANT id;
    AccessibleObjectFromEvent(hwnd, DWORD(object), DWORD(child), &element, &id);
    seen.push_back({event, hwnd, child, element ? Name(element.Get(), V_I4(&id)) : L"?", time});
}

TEST_F(AccessibilityTest, TheCountIsAnnouncedOncePerFrameAndTheCompletionIsReadOut) {
    AddTestFonts(12);
    Open();
    seen.clear();
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_SYSTEM_ALERT, EVENT_OBJECT_NAMECHANGE, nullptr, &OnEvent,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    {
        InstallProbe slowly(*window, [](int) { Sleep(5); }); // a run of several frames
        Click(kInstallButton);
    }
    PumpFor(100);
    UnhookWinEvent(hook);

    // The count: a frame at least between announcements, going down, the
    // last one "0" (the panel then covers the label: it is never painted).
    std::vector<std::wstring> counts;
    DWORD last = 0;
    for (const Seen& s : seen) {
        if (s.event != EVENT_OBJECT_NAMECHANGE || s.hwnd != window->hwnd() || s.child != kCountId) continue;
        EXPECT_TRUE(counts.empty() || s.time - last >= fx::kFrameMilliseconds - 1) << s.time - last << " ms";
        EXPECT_TRUE(counts.empty() || std::stoi(s.name) < std::stoi(counts.back())) << s.name;
        counts.push_back(s.name);
        last = s.time;
    }
    ASSERT_FALSE(counts.empty());
    EXPECT_EQ(counts.back(), L"0");

    // The completion message appears, and the panel is read out as an alert.
    auto has = [&](DWORD event, long child) {
        return std::any_of(seen.begin(), seen.end(), [&](const Seen& s) {
            return s.event == event && s.hwnd == Hwnd(kDonePanel) && s.child == child && s.name == kMessage;
        });
    };
    EXPECT_TRUE(has(EVENT_OBJECT_SHOW, kMessageId));
    EXPECT_TRUE(has(EVENT_SYSTEM_ALERT, CHILDID_SELF));
}

// A caption changing many times a frame is announced about once a frame
// while it changes: not at every change (a flood no screen reader keeps up
// with), nor only once it stops (a wait started again by every change).
TEST_F(AccessibilityTest, ACaptionChangingFasterThanFramesIsAnnouncedOncePerFrameWhileItChanges) {
    Open();
    seen.clear();
    const HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, nullptr, &OnEvent,
                                               GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    auto& count = window->Get<fx::Label>(kCountLabel);
    auto announced = [&] {
        return std::count_if(seen.begin(), seen.end(),
                             [&](const Seen& s) { return s.hwnd == window->hwnd() && s.child == kCountId; });
    };
    const DWORD start = GetTickCount(), frames = 20;
    int changes = 0;
    while (GetTickCount() - start < frames * fx::kFrameMilliseconds) {
        for (int i = 0; i < 5; ++i) count.SetCaption(std::to_wstring(++changes));
        Sleep(3);
        Pump();
    }
    const auto whileChanging = announced();
    const DWORD elapsed = GetTickCount() - start;
    PumpFor(100);
    UnhookWinEvent(hook);
    EXPECT_GE(whileChanging, 4) << "announced only once the changes stopped";
    EXPECT_LE(announced(), long(elapsed / fx::kFrameMilliseconds) + 2) << changes << " changes in " << elapsed << " ms";
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen.back().name, std::to_wstring(changes));
}

// A screen reader may hold on to elements after the window has gone.
TEST_F(AccessibilityTest, AReferenceUsedAfterTheWindowHasGoneAnswersAnError) {
    Open();
    ComPtr<IAccessible> root = Root(), close = Child(root.Get(), kCloseId);
    ASSERT_TRUE(close);
    window.reset();
    long count = 0;
    BSTR name = nullptr;
    EXPECT_TRUE(FAILED(root->get_accChildCount(&count)));
    EXPECT_TRUE(FAILED(root->get_accName(Id(kCountId), &name)));
    EXPECT_TRUE(FAILED(close->accDoDefaultAction(Id(CHILDID_SELF))));
    EXPECT_EQ(name, nullptr);
    Pump();
    EXPECT_EQ(Record().endRequests, 0);
}

} // namespace
