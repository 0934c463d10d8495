// Reading queries and form bodies that clients send to the loopback services.
#pragma once

#include <map>
#include <string>

// "%XX" as its byte and "+" as a space; a "%" without two hex digits stays as it is.
std::string PercentDecode(const std::string& text);

// name=value pairs joined by "&", names and values decoded; the first of a repeated name wins.
std::map<std::string, std::string> ParsePairs(const std::string& text);
