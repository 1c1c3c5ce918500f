#pragma once

#include <string>

class QWidget;

namespace vl {

class TvlEditorHost;

// The designer's InsertExpression: the expression builder's text ready to
// go into a memo (in brackets unless it is one bracket pair already), or
// empty when cancelled or left empty.
std::string InsertExpression(TvlEditorHost& host, QWidget* parent);

// Opens the expression builder on an expression and, on OK, replaces it by
// the builder's text (the expression fields of the dictionary editor and
// the arguments dialog). True when confirmed.
bool EditExpression(TvlEditorHost& host, QWidget* parent, std::string& expression);

// The designer's InsertDataField: "[" + the fields chooser's reference +
// "]", or empty.
std::string InsertDataField(TvlEditorHost& host, QWidget* parent);

} // namespace vl
