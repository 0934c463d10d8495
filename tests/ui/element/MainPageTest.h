// The parts of the main window's page that the element behaviours work on
// ("mainparts.html"), bound to element objects as the main window's manager binds
// them, with the player's test windows around: the page's window stands for the main
// window. The facade's play list starts empty; the commands broadcast through the
// facade are logged, and display titles are the file names without extension.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestPage.h"
#include "fakes/FakeWindows.h"

class MainPageTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    template <class T>
    T& Object(LPCWSTR id) {
        return *dynamic_cast<T*>(page.Manager().GetElementObject(id));
    }
    htmlayout::dom::element Find(LPCWSTR id) { return page.Find(id); }
    // The "li" children of the list.
    std::vector<htmlayout::dom::element> ListItems(LPCWSTR listId);
    // "play file <path>", "clear play list <flag>", "play next <flag>", in order.
    static std::vector<std::string>& Broadcasts();

    FakeWindows windows;
    TestPage page{L"mainparts.html", &Bind};

private:
    static void Bind(CRecordingCtrlManager& manager);
};

// Text for expectations: UTF-8.
std::string Utf8(LPCWSTR text);
