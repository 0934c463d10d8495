// Loads any input as a page and works it over: styles, layout and painting at a
// view size the input picks, hit tests, input events, selection, setting HTML and
// styles, and the round trip of written markup.
// The input is split at zero bytes: the page, a selector, a fragment, declarations;
// the bytes after them choose the operations.
#include <stddef.h>
#include <stdint.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Css.h"
#include "Document.h"
#include "Html.h"
#include "Search.h"

namespace {

class Measurer : public hl::TextMeasurer {
public:
    int Width(std::u16string_view text, const hl::ComputedStyle& font) override {
        return static_cast<int>(text.size()) * font.fontSize / 2;
    }
    int LineHeight(const hl::ComputedStyle& font) override { return font.fontSize + 4; }
};

class Host : public hl::DocumentHost {
public:
    hl::TextMeasurer& Measurer() override { return m_measurer; }
    bool ImageSize(const std::u16string& path, int& width, int& height) override {
        width = 1 + static_cast<int>(path.size() % 7);
        height = 1 + static_cast<int>(path.size() % 5);
        return path.size() % 3 != 0;
    }
    std::shared_ptr<hl::HandlerEntry> ResolveBehavior(hl::Node*, const std::string&) override { return nullptr; }
    void Invalidate(const hl::Rect&) override {}
    void EventsPosted() override {}
    void CaptureMouse(bool) override {}

private:
    ::Measurer m_measurer;
};

std::vector<std::string> Split(const uint8_t* data, size_t size, size_t parts) {
    std::vector<std::string> out(1);
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0 && out.size() < parts)
            out.emplace_back();
        else
            out.back().push_back(static_cast<char>(data[i]));
    }
    out.resize(parts);
    return out;
}

// Markup written, read back and written again must not change.
void CheckRoundTrip(const hl::Node* node) {
    std::string once = hl::WriteHtml(node, false);
    hl::NodeRef copy = hl::Node::CreateElement("div");
    hl::ParseHtml(once, copy.get());
    std::string twice = hl::WriteHtml(copy.get(), false);
    if (twice != once) {
        std::fprintf(stderr, "written:\n%s\nread back and written:\n%s\n", once.c_str(), twice.c_str());
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> parts = Split(data, size, 5);
    const std::string& page = parts[0];
    const std::string& selector = parts[1];
    const std::string& fragment = parts[2];
    const std::string& declarations = parts[3];
    const std::string& ops = parts[4];

    Host host;
    hl::Document document(host);
    int width = 200 + (ops.empty() ? 0 : static_cast<uint8_t>(ops[0]) * 4);
    document.SetViewSize(width, width * 3 / 4);
    document.Load(page, u"C:\\skin\\");
    document.Paint({0, 0, width, width});
    CheckRoundTrip(document.DocumentNode());

    std::vector<hl::NodeRef> found;
    if (hl::Node* root = document.Root()) {
        hl::SelectElements(root, selector, [&](hl::Node* n) {
            found.emplace_back(n);
            return found.size() > 64;
        });
    }
    for (size_t i = 1; i < ops.size() && i < 64; ++i) {
        uint8_t op = static_cast<uint8_t>(ops[i]);
        hl::Point p{(op * 37) % width, (op * 53) % width};
        hl::NodeRef hold(found.empty() ? document.Root() : found[op % found.size()].get());
        hl::Node* target = hold.get();
        if (!target || target->OwnerDocument() != &document) continue;
        switch (op % 10) {
            case 0:
                hl::ParseHtml(fragment, target);
                break;
            case 1:
                for (const hl::Declaration& d : hl::ParseDeclarations(declarations))
                    target->SetRuntimeStyle(d.id, &d.value);
                break;
            case 2:
                document.GetInput().MouseDown(p, 1 + op % 2, op % 4, op % 3 == 0);
                break;
            case 3:
                document.GetInput().MouseUp(p, 1 + op % 2, 0);
                break;
            case 4:
                document.GetInput().MouseMove(p, op % 2, 0);
                break;
            case 5:
                target->SetState(1u << (op % 16), 1u << ((op / 16) % 16));
                break;
            case 6:
                target->Remove();
                break;
            case 7:
                document.ScrollToView(target, op % 2);
                break;
            case 8:
                document.GetInput().Key(op % 3, op, 0);
                break;
            default:
                document.Paint({0, 0, width, width});
                break;
        }
        document.Update();
        document.HitTest(p);
        hl::SelectParent(target, selector, op % 3);
    }
    document.Paint({0, 0, width, width});
    CheckRoundTrip(document.DocumentNode());
    return 0;
}
