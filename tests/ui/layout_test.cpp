// Alignment, visibility and ownership of the component layer.
#include "../app_test_fixture.h"
#include <gtest/gtest.h>

#include "ui/forms.h"

namespace {
struct Layout : AppTest {
    void SetUp() override {
        AppTest::SetUp();
        form = new TForm(app_);
        form->SetClientSize(400, 300);
    }
    void TearDown() override { delete form; AppTest::TearDown(); }
    TPanel* Panel(TWinControl* parent, TAlign align, int size, const char* name = "") {
        auto* p = new TPanel(form, parent);
        p->Name = name;
        if (align == alTop || align == alBottom) p->SetHeight(size);
        if (align == alLeft || align == alRight) p->SetWidth(size);
        p->SetAlign(align);
        return p;
    }
    static bool Same(RECT r, int l, int t, int w, int h) {
        return r.left == l && r.top == t && r.right - r.left == w && r.bottom - r.top == h;
    }
    // Where the window really is, in its parent's client coordinates.
    static RECT WindowBounds(TWinControl* c) {
        RECT r;
        GetWindowRect(c->Handle(), &r);
        MapWindowPoints(HWND_DESKTOP, GetParent(c->Handle()), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    TForm* form = nullptr;
};
}  // namespace

TEST_F(Layout, EdgesAreTakenInOrderAndClientGetsTheRest) {
    TPanel* top = Panel(form, alTop, 20);
    TPanel* bottom = Panel(form, alBottom, 30);
    TPanel* left = Panel(form, alLeft, 100);
    TPanel* right = Panel(form, alRight, 50);
    TPanel* client = Panel(form, alClient, 0);
    EXPECT_TRUE(Same(top->BoundsRect(), 0, 0, 400, 20));
    EXPECT_TRUE(Same(bottom->BoundsRect(), 0, 270, 400, 30));
    EXPECT_TRUE(Same(left->BoundsRect(), 0, 20, 100, 250));
    EXPECT_TRUE(Same(right->BoundsRect(), 350, 20, 50, 250));
    EXPECT_TRUE(Same(client->BoundsRect(), 100, 20, 250, 250));
    EXPECT_TRUE(Same(WindowBounds(client), 100, 20, 250, 250));

    // Hiding a pane gives its room to the client; showing it takes it back.
    left->SetVisible(false);
    EXPECT_TRUE(Same(client->BoundsRect(), 0, 20, 350, 250));
    left->SetVisible(true);
    EXPECT_TRUE(Same(client->BoundsRect(), 100, 20, 250, 250));

    // Resizing the form lays everything out again, nested panes included.
    TPanel* inner = Panel(client, alBottom, 10);
    form->SetClientSize(500, 400);
    EXPECT_TRUE(Same(client->BoundsRect(), 100, 20, 350, 350));
    EXPECT_TRUE(Same(inner->BoundsRect(), 0, 340, 350, 10));
}

TEST_F(Layout, DroppingAlignmentKeepsTheLastBoundsAndRealignOnceWhileLocked) {
    TPanel* a = Panel(form, alClient, 0);
    TPanel* b = Panel(form, alNone, 0);
    b->SetVisible(false);
    const RECT before = b->BoundsRect();
    form->DisableAlign();
    a->SetVisible(false);
    a->SetAlign(alNone);
    b->SetAlign(alClient);
    b->SetVisible(true);
    const RECT locked = b->BoundsRect();
    EXPECT_TRUE(EqualRect(&before, &locked));  // nothing moves until the lock is released
    form->EnableAlign();
    EXPECT_TRUE(Same(b->BoundsRect(), 0, 0, 400, 300));
    EXPECT_TRUE(Same(a->BoundsRect(), 0, 0, 400, 300));
    EXPECT_FALSE(IsWindowVisible(a->Handle()));
}

TEST_F(Layout, ComponentsAreFoundByNameAndFreedByTheirOwner) {
    TPanel* p = Panel(form, alNone, 0, "pnSome");
    auto* label = new TLabel(form, p);
    label->Name = "lNoneInfo3";
    EXPECT_EQ(p, form->FindComponent("PNSOME"));
    EXPECT_EQ(label, form->FindComponent("lnoneinfo3"));
    EXPECT_EQ(nullptr, form->FindComponent("lNoneInfo4"));
    EXPECT_EQ(nullptr, form->FindComponent(""));
    HWND h = p->Handle();
    delete p;  // freed early: its owner forgets it, its window goes
    EXPECT_EQ(nullptr, form->FindComponent("pnSome"));
    EXPECT_FALSE(IsWindow(h));
}

TEST_F(Layout, ShowingFollowsParents) {
    TPanel* outer = Panel(form, alClient, 0);
    TPanel* inner = Panel(outer, alClient, 0);
    form->Show();
    EXPECT_TRUE(inner->Showing());
    outer->SetVisible(false);
    EXPECT_FALSE(inner->Showing());
    EXPECT_TRUE(inner->Visible());
}

TEST_F(Layout, AutoSizedLabelsFollowTheirText) {
    auto* label = new TLabel(form, form);
    label->SetCaption("Welcome to Quillmark.");
    const int wide = label->Width();
    EXPECT_GT(wide, 50);
    label->SetCaption("W");
    EXPECT_LT(label->Width(), wide);
    label->SetCaption("");
    EXPECT_EQ(0, label->Width());
}
