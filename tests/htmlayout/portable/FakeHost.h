// A page host for the core's tests: text is half the font size wide per character,
// lines are the font size plus 4, images have the sizes a test gives them, and
// behaviours are the handlers a test registers by name.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "Document.h"

namespace hltest {

// A test case's name for the test lists: letters and digits, other runs as '_'.
inline std::string Label(const std::string& text) {
    std::string out;
    for (char c : text) {
        bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (keep)
            out.push_back(c);
        else if (!out.empty() && out.back() != '_')
            out.push_back('_');
    }
    while (!out.empty() && out.back() == '_') out.pop_back();
    return out.empty() ? "none" : out;
}

class FakeMeasurer : public hl::TextMeasurer {
public:
    int Width(std::u16string_view text, const hl::ComputedStyle& font) override {
        return static_cast<int>(text.size()) * font.fontSize / 2;
    }
    int LineHeight(const hl::ComputedStyle& font) override { return font.fontSize + 4; }
};

class FakeHost : public hl::DocumentHost {
public:
    hl::TextMeasurer& Measurer() override { return measurer; }
    bool ImageSize(const std::u16string& path, int& width, int& height) override {
        auto it = images.find(path);
        if (it == images.end()) return false;
        width = it->second.first;
        height = it->second.second;
        return true;
    }
    std::shared_ptr<hl::HandlerEntry> ResolveBehavior(hl::Node* element, const std::string& name) override {
        resolved.push_back(name);
        auto it = behaviors.find(name);
        if (it == behaviors.end()) return nullptr;
        return it->second(element);
    }
    void Invalidate(const hl::Rect& area) override { invalidated.push_back(area); }
    void EventsPosted() override { ++postedSignals; }
    void CaptureMouse(bool capture) override { captured = capture; }

    FakeMeasurer measurer;
    std::map<std::u16string, std::pair<int, int>> images;
    std::map<std::string, std::function<std::shared_ptr<hl::HandlerEntry>(hl::Node*)>> behaviors;
    std::vector<std::string> resolved;
    std::vector<hl::Rect> invalidated;
    int postedSignals = 0;
    bool captured = false;
};

// A host with its page, loaded from markup in a view of the given size.
struct Page {
    explicit Page(const std::string& html, int width = 800, int height = 600) : document(host) {
        document.SetViewSize(width, height);
        document.Load(html, u"C:\\skin");
    }
    hl::Node* Root() const { return document.Root(); }
    // The first element below the root whose "id" is id.
    hl::Node* ById(const std::string& id) const;
    hl::Rect Border(const std::string& id) {
        document.Update();
        return document.SeenRect(ById(id), hl::Document::BoxKind::Border);
    }

    FakeHost host;
    hl::Document document;
};

}  // namespace hltest
