// The tree: uses and handles, insertion, deletion, swapping and sorting.
#include <gtest/gtest.h>

#include "FakeHost.h"
#include "Html.h"
#include "Text.h"

namespace {

using hl::Node;
using hl::NodeRef;

std::u16string Ids(const Node* parent) {
    std::u16string out;
    for (size_t i = 0; i < parent->ElementCount(); ++i) {
        const std::u16string* id = parent->ElementAt(i)->GetAttribute("id");
        out += id ? *id : u"?";
    }
    return out;
}

class TreeTest : public testing::Test {
protected:
    hltest::Page page{
        "<ul id=\"list\">text<li id=\"a\">3</li><li id=\"b\">1</li>more<li id=\"c\">2</li><li id=\"d\">1</li></ul>"};
    Node* list = page.ById("list");
};

TEST_F(TreeTest, ChildrenAreElementsAndTextIsContent) {
    EXPECT_EQ(list->ElementCount(), 4u);
    EXPECT_EQ(Ids(list), u"abcd");
    EXPECT_EQ(page.ById("c")->ElementIndex(), 2u);
    EXPECT_EQ(list->ElementAt(4), nullptr);
    EXPECT_EQ(list->InnerText(), u"text31more21");
    // A text run counts the elements before it.
    EXPECT_EQ(list->Kids()[3]->ElementIndex(), 2u);
}

TEST_F(TreeTest, HandlesOfRemovedElementsGoStaleUnlessAUseIsHeld) {
    uint32_t kept = page.ById("a")->Handle();
    uint32_t dropped = page.ById("b")->Handle();
    Node::FromHandle(kept)->Use();
    page.ById("a")->Remove();
    page.ById("b")->Remove();
    ASSERT_NE(Node::FromHandle(kept), nullptr);
    EXPECT_EQ(Node::FromHandle(kept)->Parent(), nullptr);
    EXPECT_EQ(Node::FromHandle(dropped), nullptr);
    EXPECT_TRUE(Node::FromHandle(kept)->Unuse());
    EXPECT_EQ(Node::FromHandle(kept), nullptr);
}

TEST_F(TreeTest, UnuseWithoutAUseIsRefusedAndTheElementStays) {
    Node* a = page.ById("a");
    EXPECT_FALSE(a->Unuse());
    EXPECT_EQ(page.ById("a"), a);
}

struct InsertCase {
    const char* moved;
    size_t index;
    const char16_t* order;
};

void PrintTo(const InsertCase& c, std::ostream* out) {
    *out << hltest::Label(std::string(c.moved) + " to " + std::to_string(c.index));
}

class TreeInsert : public TreeTest, public testing::WithParamInterface<InsertCase> {};

TEST_P(TreeInsert, InsertsOrMovesAtTheIndex) {
    const InsertCase& c = GetParam();
    NodeRef fresh = Node::CreateElement("li");
    std::u16string id = u"n";
    fresh->SetAttribute("id", &id);
    Node* moved = std::string(c.moved) == "new" ? fresh.get() : page.ById(c.moved);
    ASSERT_TRUE(list->InsertElement(moved, c.index));
    EXPECT_EQ(Ids(list), c.order);
    EXPECT_EQ(moved->ElementIndex(), std::u16string(c.order).find(moved->GetAttribute("id")->at(0)));
}

INSTANTIATE_TEST_SUITE_P(Cases, TreeInsert,
                         testing::Values(InsertCase{"new", 0, u"nabcd"}, InsertCase{"new", 1, u"anbcd"},
                                         InsertCase{"new", 0x7FFFFFFF, u"abcdn"}, InsertCase{"new", 4, u"abcdn"},
                                         InsertCase{"a", 0x7FFFFFFF, u"bcda"}, InsertCase{"d", 0, u"dabc"},
                                         InsertCase{"b", 2, u"acbd"}, InsertCase{"b", 3, u"acdb"}));

TEST_F(TreeTest, InsertRefusesCyclesTextAndTooDeepTrees) {
    NodeRef deep = Node::CreateElement("div");
    Node* n = deep.get();
    for (int i = 0; i < hl::kMaxDepth - 1; ++i) {
        NodeRef kid = Node::CreateElement("div");
        ASSERT_TRUE(n->InsertElement(kid.get(), 0));
        n = kid.get();
    }
    EXPECT_FALSE(list->InsertElement(deep.get(), 0));
    EXPECT_FALSE(page.ById("a")->InsertElement(list, 0));
    EXPECT_FALSE(list->InsertElement(list, 0));
    EXPECT_FALSE(list->InsertElement(list->Kids()[0], 0));
    NodeRef image = Node::CreateElement("img");
    NodeRef inner = Node::CreateElement("span");
    EXPECT_FALSE(image->InsertElement(inner.get(), 0));  // void elements stay empty, as markup writes them
    image->SetInnerText(u"x");
    EXPECT_TRUE(image->Kids().empty());
    EXPECT_EQ(Ids(list), u"abcd");
}

TEST_F(TreeTest, SwapExchangesPlacesAcrossParents) {
    NodeRef other = Node::CreateElement("ul");
    NodeRef x = Node::CreateElement("li");
    std::u16string id = u"x";
    x->SetAttribute("id", &id);
    other->InsertElement(x.get(), 0);
    EXPECT_TRUE(Node::Swap(page.ById("b"), page.ById("d")));
    EXPECT_EQ(Ids(list), u"adcb");
    Node* c = page.ById("c");
    EXPECT_TRUE(Node::Swap(c, x.get()));
    EXPECT_EQ(Ids(list), u"adxb");
    EXPECT_EQ(c->Parent(), other.get());
    EXPECT_FALSE(Node::Swap(list, page.ById("a")));
}

TEST_F(TreeTest, SortIsStableOverTheRangeAndSafeWithAnyComparison) {
    auto byText = [](Node* a, Node* b) {
        return static_cast<int>(a->InnerText()[0]) - static_cast<int>(b->InnerText()[0]);
    };
    list->SortElements(1, 0x7FFFFFFF, byText);
    EXPECT_EQ(Ids(list), u"abdc");  // b and d both read 1 and keep their order
    list->SortElements(0, 4, byText);
    EXPECT_EQ(Ids(list), u"bdca");
    EXPECT_EQ(list->InnerText(), u"text11more23");  // the text runs stay where they were
    int calls = 0;
    list->SortElements(0, 4, [&](Node*, Node*) { return ++calls % 3 - 1; });
    EXPECT_EQ(list->ElementCount(), 4u);
    // A comparison that changes the tree leaves the order alone.
    list->SortElements(0, 4, [&](Node* a, Node*) {
        if (a->Parent()) a->Remove();
        return 1;
    });
    EXPECT_LT(list->ElementCount(), 4u);
}

TEST_F(TreeTest, SetInnerTextReplacesTheContent) {
    list->SetInnerText(u"only");
    EXPECT_EQ(list->ElementCount(), 0u);
    EXPECT_EQ(list->InnerText(), u"only");
    list->SetInnerText(u"");
    EXPECT_TRUE(list->Kids().empty());
}

TEST_F(TreeTest, AttributesByAnyCaseAndNullRemoves) {
    Node* a = page.ById("a");
    std::u16string v = u"\x64ad\x653e";
    a->SetAttribute("Path", &v);
    ASSERT_NE(a->GetAttribute("PATH"), nullptr);
    EXPECT_EQ(*a->GetAttribute("path"), v);
    a->SetAttribute("path", nullptr);
    EXPECT_EQ(a->GetAttribute("path"), nullptr);
}

TEST_F(TreeTest, ExpandedAndCollapsedExcludeEachOther) {
    Node* a = page.ById("a");
    a->SetState(hl::kStateExpanded | hl::kStateCurrent, 0);
    a->SetState(hl::kStateCollapsed, 0);
    EXPECT_EQ(a->State(), hl::kStateCollapsed | hl::kStateCurrent);
    a->SetState(hl::kStateExpanded, hl::kStateCurrent);
    EXPECT_EQ(a->State(), hl::kStateExpanded);
}

}  // namespace
