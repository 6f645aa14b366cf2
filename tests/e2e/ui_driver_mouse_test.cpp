// The UI driver's real mouse input and screenshots against the fixture program: clicks
// on list rows, header items, tree nodes and buttons, and the pixels of a painted panel.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "common/scoped_win.h"
#include "e2e/fixture_program.h"

namespace kelvaro::test {
namespace {

class UiDriverMouse : public FixtureSuite {
protected:
    static void SetUpTestSuite() {
        FixtureSuite::SetUpTestSuite();
        // Real clicks land on whatever window is at the point: keep ours on top.
        if (w_.main != nullptr) SetForegroundWindow(w_.main);
    }
};

TEST_F(UiDriverMouse, ClicksSelectListRowsAndReachTheOwner) {
    MouseClickAt(ListViewRowPoint(w_.list, 1));
    EXPECT_TRUE(WaitUntil([&] { return ListViewSelectedRow(w_.list) == 1; }));
    EXPECT_TRUE(StatusBecomes(0, "Zeile 1 gewählt"));
    MouseClickAt(ListViewRowPoint(w_.list, 2), false, true);
    EXPECT_TRUE(StatusBecomes(0, "Doppelklick Zeile 2"));
    MouseClickAt(ListViewRowPoint(w_.list, 0), true);
    EXPECT_TRUE(StatusBecomes(0, "Rechtsklick Zeile 0"));
    EXPECT_EQ(ListViewSelectedRow(w_.list), 0);
}

TEST_F(UiDriverMouse, RowPointsLieInsideTheListInRowOrder) {
    const RECT list = ClientRectOnScreen(w_.list);
    POINT previous{};
    for (int row = 0; row < 3; ++row) {
        const POINT point = ListViewRowPoint(w_.list, row);
        EXPECT_TRUE(PtInRect(&list, point)) << row;
        if (row > 0) {
            EXPECT_EQ(point.x, previous.x);
            EXPECT_GT(point.y, previous.y);
        }
        previous = point;
    }
    // The header is a child of the list view, above the rows.
    HWND header = ListViewHeader(w_.list);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(ClassName(header), "SysHeader32");
    EXPECT_EQ(GetParent(header), w_.list);
}

TEST_F(UiDriverMouse, ClicksOnHeaderItemsReportTheirColumn) {
    ClickListViewHeader(w_.list, 1);
    EXPECT_TRUE(StatusBecomes(0, "Spalte 1"));
    ClickListViewHeader(w_.list, 2);
    EXPECT_TRUE(StatusBecomes(0, "Spalte 2"));
}

TEST_F(UiDriverMouse, ClicksOnTreeNodesSelectThem) {
    const std::vector<TreeNode> nodes = TreeNodes(w_.tree);
    ASSERT_EQ(nodes.size(), std::size(fixture::kTree));
    MouseClickAt(TreeNodePoint(w_.tree, nodes[4].item));  // Kind A2
    EXPECT_TRUE(StatusBecomes(1, "Knoten: Kind A2"));
    MouseClickAt(TreeNodePoint(w_.tree, nodes[2].item));  // Enkel A1a
    EXPECT_TRUE(StatusBecomes(1, "Knoten: Enkel A1a"));
    EXPECT_TRUE(TreeNodes(w_.tree)[2].selected);
}

TEST_F(UiDriverMouse, ClickInAWindowUsesClientCoordinates) {
    program_->WriteFile(fixture::kButtonFile, "");
    SetText(w_.edit, "per Maus");
    const SIZE button = ClientSize(w_.button);
    MouseClickInWindow(w_.button, POINT{button.cx / 2, button.cy / 2});
    EXPECT_TRUE(WaitUntil([&] { return program_->ReadFile(fixture::kButtonFile) == "per Maus"; }));
    // A right click is no button press. The fixture takes mouse input in order, so once a
    // header click after it has been handled, so has the right click.
    program_->WriteFile(fixture::kButtonFile, "");
    ClickListViewHeader(w_.list, 1);
    ASSERT_TRUE(StatusBecomes(0, "Spalte 1"));
    MouseClickInWindow(w_.button, POINT{button.cx / 2, button.cy / 2}, true);
    ClickListViewHeader(w_.list, 2);
    ASSERT_TRUE(StatusBecomes(0, "Spalte 2"));
    EXPECT_EQ(program_->ReadFile(fixture::kButtonFile), "");
}

TEST_F(UiDriverMouse, CapturesThePanelsColoursTheRightWayRound) {
    ASSERT_TRUE(WaitUntil([&] {
        const Screenshot shot = CaptureWindow(w_.panel, true);
        return shot.width > 0 && shot.At(0, 0) == fixture::kPanelTopLeft;
    })) << "the panel was not painted";
    const Screenshot shot = CaptureWindow(w_.panel, true);
    ASSERT_EQ(shot.width, fixture::kPanelWidth);
    ASSERT_EQ(shot.height, fixture::kPanelHeight);
    ASSERT_EQ(shot.pixels.size(), static_cast<size_t>(shot.width * shot.height));
    const int w = shot.width, h = shot.height;
    EXPECT_EQ(shot.At(1, 1), fixture::kPanelTopLeft);
    EXPECT_EQ(shot.At(w / 2 - 1, h / 2 - 1), fixture::kPanelTopLeft);
    EXPECT_EQ(shot.At(w / 2, 0), fixture::kPanelTopRight);
    EXPECT_EQ(shot.At(w - 1, h / 2 - 1), fixture::kPanelTopRight);
    EXPECT_EQ(shot.At(0, h / 2), fixture::kPanelBottom);
    EXPECT_EQ(shot.At(w - 1, h - 1), fixture::kPanelBottom);

    // The whole window holds the panel at its place in the client area, plus the frame.
    const Screenshot window = CaptureWindow(w_.main, false);
    RECT frame{};
    GetWindowRect(w_.main, &frame);
    EXPECT_EQ(window.width, frame.right - frame.left);
    EXPECT_EQ(window.height, frame.bottom - frame.top);
    const RECT panel = ClientRectOnScreen(w_.panel);
    EXPECT_EQ(window.At(panel.left - frame.left, panel.bottom - 1 - frame.top),
              fixture::kPanelBottom);
    EXPECT_EQ(CaptureScreenRect(panel).pixels, shot.pixels);
    EXPECT_EQ(CaptureScreenRect(RECT{10, 10, 10, 20}).width, 0);
}

TEST_F(UiDriverMouse, SavesABmpThatTheSystemReadsBackPixelForPixel) {
    Screenshot shot;
    shot.width = 3;
    shot.height = 2;
    shot.pixels = {0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF, 0x000000};
    const std::string path = program_->FilePath("shot.bmp");
    ASSERT_TRUE(shot.SaveBmp(path));
    EXPECT_FALSE(Screenshot{}.SaveBmp(program_->FilePath("leer.bmp")));

    ScopedBitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
    ASSERT_TRUE(bitmap);
    ScopedMemoryDc dc(CreateCompatibleDC(nullptr));
    ScopedSelect select(dc.get(), bitmap.get());
    for (int y = 0; y < shot.height; ++y) {
        for (int x = 0; x < shot.width; ++x) {
            const COLORREF c = GetPixel(dc.get(), x, y);
            const uint32_t rgb = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
            EXPECT_EQ(rgb, shot.At(x, y)) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace kelvaro::test
