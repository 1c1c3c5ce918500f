#pragma once

#include "engine/build/PrintOutcome.h"

class QWidget;

namespace vl {

class TvlReport;

// The preview's Print command for a report's prepared pages: the print
// dialog (unless the report prints without it), a rebuild on the newly
// chosen printer when the report asks for one, and the print run under the
// engine's progress window. currentPage is the page the preview shows,
// from 1. Nothing happens without prepared pages or without a printer
// (NothingToPrint). Failures are shown in the engine's message box and
// returned.
TvlPrintOutcome PrintReport(TvlReport& report, int currentPage, QWidget* parent = nullptr);

} // namespace vl
