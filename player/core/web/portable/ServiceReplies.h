// Values read from the replies of the user, point, wealth and member services.
// Portable: no platform headers.
#pragma once

#include <string>

// The member "nickname" of a JSON object reply; empty when it is missing or no text.
std::string NickNameFromReply(const std::string& utf8Json);

// The member "data" of a JSON object reply as a whole number (a fraction is cut
// toward zero, values beyond the int range are clamped); 0 when it is no number.
int GoldFromReply(const std::string& utf8Json);

// True only when the member "data" of a JSON object reply is the value true.
bool NeedChooseAgeFromReply(const std::string& utf8Json);

// Points of an XML reply that holds /ReturnData/Result/ErrorCode: the text of
// /ReturnData/Datas/item as a decimal number cut toward zero; 0 otherwise.
int PointsFromReply(const std::u16string& xml);
