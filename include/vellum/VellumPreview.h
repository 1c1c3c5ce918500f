#pragma once

// The engine's windows, for programs that link Vellum::Preview: the preview
// pane (TvlPreview) and window (TvlPreviewForm), the print dialog and run
// (PrintReport), the progress window, message boxes and the forms of dialog
// pages. A program with windows keeps one vl::WindowServices alive while it
// builds and shows reports, then calls vl::ShowReport(report).

#include "engine/output/preview/ReportPreview.h"
#include "engine/output/preview/TvlPreview.h"
#include "engine/output/preview/TvlPreviewForm.h"
#include "engine/output/printdialog/PrintReport.h"
#include "vellum/VellumPrinting.h"
