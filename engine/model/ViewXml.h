#pragma once

#include "engine/script/StreamIO.h"
#include "engine/script/TextUtils.h"

#include <string>
#include <string_view>

namespace vl {

// Helpers of the records and the XML attributes that views write.

// A space, the name, "=" and the value in double quotes (the value is
// written as given; escape it first where needed).
void WriteXmlAttr(Stream& stream, std::string_view name, std::string_view value);
// The shortest decimal text that reads back as the same float.
std::string XmlFloat(float value);
// Every line followed by CR LF.
std::string StringsText(const StringList& lines);

// 16-bit booleans: 0 false, anything else true (written as 0xFFFF).
void WriteBool16(Stream& s, bool value);
bool ReadBool16(Stream& s);

} // namespace vl
