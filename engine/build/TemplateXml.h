#pragma once

#include "engine/script/Stream.h"
#include "engine/script/StreamIO.h"

#include <string>

namespace vl {

class TvlReport;
class TvlDataDictionary;

// The export of a template into the XML document of the later product
// generation (".vl3"): the report element with its script and variables,
// one element per page and one per object. Lines end in CR LF.
void WriteTemplateXml(TvlReport& report, Stream& stream);

// The script of that document: an OnBeforePrint procedure for every page
// and every object that has a script, then an empty main block.
StringList GeneratedScript(const TvlReport& report);

// The dictionary variables in the component-stream form of the later
// generation.
MemoryStream VariablesBlock(const TvlDataDictionary& dictionary);

// Page pixels as the later generation measures paper (millimetres scaled
// by 812/775), rounded to the nearest integer, halves to even.
long long XmlPaperUnits(double pixels);

} // namespace vl
