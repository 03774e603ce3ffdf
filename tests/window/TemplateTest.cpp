// Dialog template 102 as the resources hold it, and the controls it makes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "res/resource.h"
#include "support/ViewerHarness.h"
#include "support/Wait.h"
#include "support/WindowProbe.h"

namespace {

struct TemplateItem {
    DWORD exStyle, style;
    short x, y, cx, cy;
    int id;
    std::string className, text;
};

struct DialogTemplate {
    WORD version = 0, signature = 0;
    DWORD helpId = 0, exStyle = 0, style = 0;
    WORD count = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int menu = -1;
    std::string className, caption, fontName;
    WORD pointSize = 0, weight = 0;
    BYTE italic = 0, charSet = 0;
    std::vector<TemplateItem> items;
};

// Reads DLGTEMPLATEEX and its DLGITEMTEMPLATEEX entries.
class Reader {
public:
    explicit Reader(const BYTE* p) : m_start(p), m_p(p) {}
    template <typename T> T Get()
    {
        T value;
        memcpy(&value, m_p, sizeof value);
        m_p += sizeof value;
        return value;
    }
    std::string String()
    {
        std::string s;
        for (WORD c; (c = Get<WORD>()) != 0;) s += static_cast<char>(c);
        return s;
    }
    // An ordinal (0xFFFF, n) or a string; ordinals come back as "#n".
    std::string OrdinalOrString()
    {
        WORD first;
        memcpy(&first, m_p, sizeof first);
        if (first == 0xFFFF) {
            Get<WORD>();
            return "#" + std::to_string(Get<WORD>());
        }
        return String();
    }
    void AlignDword() { m_p = m_start + ((m_p - m_start + 3) & ~3); }
    void Skip(size_t n) { m_p += n; }

private:
    const BYTE* m_start;
    const BYTE* m_p;
};

std::string ClassName(const std::string& raw)
{
    if (raw == "#128") return "BUTTON";
    if (raw == "#129") return "EDIT";
    if (raw == "#130") return "STATIC";
    if (raw == "#131") return "LISTBOX";
    std::string upper = raw;
    CharUpperBuffA(&upper[0], static_cast<DWORD>(upper.size()));
    return upper == "MSCTLS_UPDOWN32" ? "msctls_updown32" : upper;
}

DialogTemplate LoadViewerTemplate()
{
    DialogTemplate t;
    HRSRC found = FindResourceA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(102), MAKEINTRESOURCEA(5));
    if (!found) return t;
    Reader r(static_cast<const BYTE*>(LockResource(LoadResource(GetModuleHandleA(nullptr), found))));
    t.version = r.Get<WORD>();
    t.signature = r.Get<WORD>();
    t.helpId = r.Get<DWORD>();
    t.exStyle = r.Get<DWORD>();
    t.style = r.Get<DWORD>();
    t.count = r.Get<WORD>();
    t.x = r.Get<short>();
    t.y = r.Get<short>();
    t.cx = r.Get<short>();
    t.cy = r.Get<short>();
    std::string menu = r.OrdinalOrString();
    t.menu = menu.size() > 1 && menu[0] == '#' ? std::stoi(menu.substr(1)) : -1;
    t.className = r.OrdinalOrString();
    t.caption = r.String();
    t.pointSize = r.Get<WORD>();
    t.weight = r.Get<WORD>();
    t.italic = r.Get<BYTE>();
    t.charSet = r.Get<BYTE>();
    t.fontName = r.String();
    for (WORD i = 0; i < t.count; ++i) {
        r.AlignDword();
        TemplateItem item;
        r.Get<DWORD>();  // help id
        item.exStyle = r.Get<DWORD>();
        item.style = r.Get<DWORD>();
        item.x = r.Get<short>();
        item.y = r.Get<short>();
        item.cx = r.Get<short>();
        item.cy = r.Get<short>();
        item.id = static_cast<int>(r.Get<DWORD>());
        item.className = ClassName(r.OrdinalOrString());
        item.text = r.OrdinalOrString();
        r.Skip(r.Get<WORD>());
        t.items.push_back(item);
    }
    return t;
}

struct ExpectedItem {
    int id;
    const char* className;
    const char* text;
    DWORD style, exStyle;
    short x, y, cx, cy;
};

const ExpectedItem kItems[] = {
    {1000, "LISTBOX", "", 0x50A10153, WS_EX_STATICEDGE, 3, 102, 134, 150},
    {1003, "EDIT", "", 0x50A11044, WS_EX_STATICEDGE, 139, 20, 251, 232},
    {2, "BUTTON", "", 0x40010000, 0, 19, 7, 8, 7},
    {1, "BUTTON", "", 0x40010000, 0, 8, 7, 8, 7},
    {-1, "BUTTON", "Font Attributes", 0x50000007, 0, 3, 19, 134, 70},
    {-1, "STATIC", "Si&ze:", 0x50020000, 0, 13, 34, 16, 8},
    {1006, "EDIT", "", 0x50812080, 0, 31, 31, 26, 14},
    {1007, "msctls_updown32", "Spin1", 0x50000036, 0, 57, 31, 11, 14},
    {1001, "BUTTON", "&Bold", 0x50010003, 0, 79, 30, 30, 10},
    {1002, "BUTTON", "&Italic", 0x50010003, 0, 79, 44, 31, 10},
    {1004, "BUTTON", "&Underline", 0x50010003, 0, 79, 58, 46, 10},
    {1005, "BUTTON", "&StrikeOut", 0x50010003, 0, 79, 72, 50, 10},
    // Wider than 48 units: its text is cut off at 150 %, where the dialog's font grows more than the units.
    {-1, "STATIC", "Installed Fonts:", 0x50020000, 0, 5, 91, 64, 8},
};

TEST(ViewerTemplate, HeaderIsExact)
{
    DialogTemplate t = LoadViewerTemplate();
    EXPECT_EQ(1, t.version);
    EXPECT_EQ(0xFFFF, t.signature) << "the extended form";
    EXPECT_EQ(0u, t.helpId);
    EXPECT_EQ(0x00040000u, t.exStyle);
    EXPECT_EQ(0x90CF0040u, t.style);
    EXPECT_EQ(13, t.count);
    EXPECT_EQ(0, t.x);
    EXPECT_EQ(0, t.y);
    EXPECT_EQ(390, t.cx);
    EXPECT_EQ(254, t.cy);
    EXPECT_EQ(129, t.menu);
    EXPECT_EQ("", t.className) << "the default dialog class";
    EXPECT_EQ("Typoscope 1.0", t.caption);
    EXPECT_EQ(8, t.pointSize);
    EXPECT_EQ(0, t.weight);
    EXPECT_EQ(0, t.italic);
    EXPECT_EQ(1, t.charSet);
    EXPECT_EQ("MS Sans Serif", t.fontName);
}

TEST(ViewerTemplate, ThirteenControlsInOrderWithTheirClassesTextsStylesAndRectangles)
{
    DialogTemplate t = LoadViewerTemplate();
    ASSERT_EQ(13u, t.items.size());
    for (size_t i = 0; i < t.items.size(); ++i) {
        const ExpectedItem& e = kItems[i];
        const TemplateItem& item = t.items[i];
        SCOPED_TRACE(testing::Message() << "control " << i + 1 << " (" << e.id << ")");
        EXPECT_EQ(e.id, static_cast<short>(item.id));
        EXPECT_EQ(e.className, item.className);
        EXPECT_EQ(e.text, item.text);
        EXPECT_EQ(e.style, item.style);
        EXPECT_EQ(e.exStyle, item.exStyle);
        EXPECT_EQ(e.x, item.x);
        EXPECT_EQ(e.y, item.y);
        EXPECT_EQ(e.cx, item.cx);
        EXPECT_EQ(e.cy, item.cy);
    }
}

TEST(ViewerTemplate, TheLiveControlsComeInTemplateOrderWithTheTemplateStyles)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    std::vector<HWND> children;
    for (HWND child = GetWindow(h.Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (GetDlgCtrlID(child) != IDC_TOOLBAR) children.push_back(child);
    ASSERT_EQ(13u, children.size());
    for (size_t i = 0; i < children.size(); ++i) {
        const ExpectedItem& e = kItems[i];
        HWND child = children[i];
        SCOPED_TRACE(testing::Message() << "control " << i + 1 << " (" << e.id << ")");
        EXPECT_EQ(e.id, static_cast<short>(GetDlgCtrlID(child)));
        EXPECT_EQ(0, lstrcmpiA(e.className, WindowClass(child).c_str())) << WindowClass(child);
        EXPECT_EQ(e.exStyle, static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE)) & WS_EX_STATICEDGE);
        // The dialog manager turns a control's WS_BORDER into a sunken client edge, and
        // the sample box's scroll bar and wrapping follow the settings; the rest stays as made.
        DWORD style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        DWORD mask = ~static_cast<DWORD>(WS_BORDER);
        if (e.id == IDC_SAMPLE_BOX) mask &= ~static_cast<DWORD>(WS_VSCROLL | WS_HSCROLL | ES_AUTOHSCROLL);
        EXPECT_EQ(e.style & mask, style & mask) << std::hex << style;
        if (e.id != IDC_SAMPLE_BOX && e.id != IDC_FONT_LIST && e.id != IDC_SIZE_FIELD) {
            EXPECT_EQ(e.text, WindowText(child));
        }
    }
    EXPECT_EQ("Typoscope 1.0", WindowText(h.Hwnd()));
    EXPECT_EQ(0x00040000u, static_cast<DWORD>(GetWindowLongA(h.Hwnd(), GWL_EXSTYLE)) & 0x00040000u);
    EXPECT_EQ(h.Item(IDC_FONT_LIST), h.Get<HWND>([] { return GetFocus(); })) << "the first tab stop has the focus";
}

TEST(SystemMenu, EndsWithASeparatorAndTheAboutItem)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HMENU menu = h.Get<HMENU>([&] { return GetSystemMenu(h.Hwnd(), FALSE); });
    int count = GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(static_cast<UINT>(MF_SEPARATOR), GetMenuState(menu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(16u, GetMenuItemID(menu, count - 1));
    char text[64] = "";
    GetMenuStringA(menu, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ("&About Typoscope...", text);
}

TEST(WindowIcon, IsTheProgramsOwnIconBothBigAndSmall)
{
    ViewerHarness h;
    ASSERT_TRUE(h.Started());
    HICON icon = h.Get<HICON>([&] { return h.Dlg().WindowIcon; });
    ASSERT_NE(nullptr, icon);
    EXPECT_EQ(reinterpret_cast<LRESULT>(icon), SendMessageA(h.Hwnd(), WM_GETICON, ICON_BIG, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(icon), SendMessageA(h.Hwnd(), WM_GETICON, ICON_SMALL, 0));
}

}  // namespace
