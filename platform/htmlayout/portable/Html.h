// Markup: parsing UTF-8 into nodes and writing nodes back as UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace hl {

class Node;

// Parses markup and appends what it reads to container (text runs and elements).
// Never fails: what cannot be read as markup stays text. "/>" closes any element;
// nothing is implied (no html, body or tbody, no end tags), so what was written
// reads back the same; nesting is cut at kMaxDepth counted from the container's
// own depth. A leading byte-order mark is skipped. Into a style or script element
// the whole markup goes as its text.
void ParseHtml(std::string_view utf8, Node* container);

// Outer or inner markup of a node; ParseHtml reads it back to the same markup.
std::string WriteHtml(const Node* node, bool outer);

// Elements that never have content (img, br, input, ...).
bool IsVoidElement(std::string_view tag);
// Elements whose content is text only, read as it stands (style, script).
bool IsRawTextElement(std::string_view tag);

}  // namespace hl
